#include "platform/widgets/QtDialogs.h"
#include "platform/AnsiText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStringList>

namespace platform {

AnsiString QtChooseFile(const FileDialogRequest& request)
{
    const QString folder = request.folder.empty() ? QDir::currentPath() : QFile::decodeName(request.folder.c_str());
    QFileDialog dialog(QApplication::activeWindow(), toQString(request.title), folder);
    switch (request.kind) {
    case FileDialogKind::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogKind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    case FileDialogKind::Folder:
        // Creating a folder from the dialog is allowed.
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        break;
    }
    if (request.kind != FileDialogKind::Folder) {
        QStringList filters;
        for (const AnsiString& filter : QtNameFilters(request.filter))
            filters << toQString(filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int index = request.filterIndex - 1;
            if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
        }
        // A name with wildcards is a filter of its own in the Windows dialog;
        // here it would only be a strange proposed name.
        const QString initial = QFile::decodeName(request.initialName.c_str());
        if (!initial.isEmpty() && !initial.contains('*') && !initial.contains('?')) dialog.selectFile(initial);
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return {};
    return QFile::encodeName(chosen.front()).toStdString();
}

} // namespace platform
