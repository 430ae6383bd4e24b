#include "platform/gui/RtfDocument.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QTextCharFormat>
#include <QTextDocument>

namespace rtf {

QtSink::QtSink(QTextDocument& document)
    : cursor(&document)
{
    cursor.movePosition(QTextCursor::End);
}

void QtSink::Text(std::u32string_view text, const CharFormat& format)
{
    QTextCharFormat look;
    look.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    look.setFontItalic(format.italic);
    look.setFontUnderline(format.underline);
    look.setFontStrikeOut(format.strikeOut);
    if (!format.fontName.empty()) look.setFontFamilies({ QString::fromLatin1(format.fontName) });
    look.setFontPointSize(format.halfPoints / 2.0);
    if (format.foreground != NoColour) look.setForeground(QColor::fromRgb(static_cast<QRgb>(format.foreground)));
    if (format.background != NoColour) look.setBackground(QColor::fromRgb(static_cast<QRgb>(format.background)));
    cursor.insertText(QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())), look);
}

void QtSink::ParagraphEnd()
{
    cursor.insertBlock();
}

void QtSink::LineBreak()
{
    cursor.insertText(QString(QChar::LineSeparator));
}

bool LoadFile(const AnsiString& path, QTextDocument& document)
{
    const QString name = QString::fromLocal8Bit(path.c_str());
    const QFileInfo info(name);
    if (!info.isFile() || info.size() > MaxFileSize) return false;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return false;
    // Read up to one byte past the bound: a file that grew since the check
    // still counts as too large.
    const QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize) return false;
    document.clear();
    QtSink sink(document);
    Parse(std::string_view(data.constData(), static_cast<size_t>(data.size())), sink);
    return true;
}

} // namespace rtf
