#include "ide/IdeDialogs.h"

#include "platform/AnsiText.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>

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
