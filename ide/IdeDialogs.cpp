#include "ide/IdeDialogs.h"

#include "platform/AnsiText.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QString Name(const AnsiString& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

AnsiString Bytes(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

} // namespace

AnsiString QtIdeDialogs::OpenFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& folder)
{
    return Bytes(QFileDialog::getOpenFileName(
        QApplication::activeWindow(), platform::toQString(title), Name(folder), platform::toQString(filter)));
}

AnsiString QtIdeDialogs::SaveFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& proposed)
{
    return Bytes(QFileDialog::getSaveFileName(
        QApplication::activeWindow(), platform::toQString(title), Name(proposed), platform::toQString(filter)));
}

AnsiString QtIdeDialogs::Directory(const AnsiString& start)
{
    return Bytes(QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString(), Name(start)));
}

bool QtIdeDialogs::Colour(int& colour)
{
    const QColor start(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, QApplication::activeWindow());
    if (!chosen.isValid()) return false;
    colour = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
    return true;
}

bool QtIdeDialogs::FontName(AnsiString& name)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, QFont(platform::toQString(name)), QApplication::activeWindow());
    if (ok) name = platform::fromQString(font.family());
    return ok;
}

AnsiString ScriptedIdeDialogs::Next()
{
    if (fileNames.empty()) return {};
    AnsiString answer = fileNames.front();
    fileNames.pop_front();
    return answer;
}

AnsiString ScriptedIdeDialogs::OpenFileName(const AnsiString& title, const AnsiString&, const AnsiString&)
{
    shown.push_back(title);
    return Next();
}

AnsiString ScriptedIdeDialogs::SaveFileName(const AnsiString& title, const AnsiString&, const AnsiString& proposed)
{
    shown.push_back(title + " " + proposed);
    return Next();
}

AnsiString ScriptedIdeDialogs::Directory(const AnsiString& start)
{
    shown.push_back("Directory " + start);
    return Next();
}

bool ScriptedIdeDialogs::Colour(int& colour)
{
    shown.push_back("Colour");
    if (colours.empty()) return false;
    colour = colours.front();
    colours.pop_front();
    return true;
}

bool ScriptedIdeDialogs::FontName(AnsiString&)
{
    shown.push_back("Font");
    return false;
}

bool QtIdeDialogs::Print(QPrinter& printer, int totalPages, bool selection, PrintChoice& choice)
{
    QPrintDialog dialog(&printer);
    dialog.setMinMax(1, std::max(1, totalPages));
    dialog.setFromTo(1, std::max(1, totalPages));
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile
        | QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintShowPageSize;
    if (selection) options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted) return false;
    switch (printer.printRange()) {
    case QPrinter::Selection:
        choice.range = PrintChoice::Range::Selection;
        break;
    case QPrinter::PageRange:
        choice.range = PrintChoice::Range::Pages;
        break;
    default:
        choice.range = PrintChoice::Range::All;
        break;
    }
    choice.fromPage = printer.fromPage();
    choice.toPage = printer.toPage();
    choice.copies = printer.copyCount();
    return true;
}

bool QtIdeDialogs::PrinterSetup(QPrinter& printer)
{
    QPageSetupDialog dialog(&printer);
    return dialog.exec() == QDialog::Accepted;
}

bool ScriptedIdeDialogs::Print(QPrinter&, int, bool, PrintChoice& choice)
{
    shown.push_back("Print");
    if (printChoices.empty()) return false;
    choice = printChoices.front();
    printChoices.pop_front();
    return true;
}

bool ScriptedIdeDialogs::PrinterSetup(QPrinter&)
{
    shown.push_back("Printer Setup");
    return false;
}
