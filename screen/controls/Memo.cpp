#include "screen/controls/Memo.h"

#include "canvas/Palette.h"
#include "platform/AnsiText.h"

#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

using namespace controls;

namespace {

QString FromProgram(const AnsiString& text)
{
    QString all = platform::toQString(text);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return all;
}

AnsiString ToProgram(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return platform::fromQString(text);
}

} // namespace

Memo::Memo(QWidget* parent, const Palette& screenPalette)
    : QPlainTextEdit(parent)
    , palette(screenPalette)
{
    setFont(ControlFont(FontHeight::Form));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        changed = true;
        if (onChange) onChange();
    });
}

// A final line break ends the last line; it starts no new one.
int Memo::LineCount() const
{
    const QTextDocument* document = this->document();
    if (document->isEmpty()) return 0;
    const int blocks = document->blockCount();
    return document->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

int Memo::LineIndex(int n) const
{
    if (n < 1 || LineCount() == 0) return -1;
    return std::min(n, LineCount()) - 1;
}

void Memo::ReplaceText(const QString& text)
{
    if (toPlainText() != text) setPlainText(text);
}

int Memo::DocumentPosition(long long position) const
{
    long long counted = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const int length = block.length() - 1;
        if (position <= counted + length) return block.position() + static_cast<int>(position - counted);
        // A position between CR and LF stands at the line's end.
        if (position < counted + length + 2 || !block.next().isValid()) return block.position() + length;
        counted += length + 2;
    }
    return 0;
}

int Memo::CountedPosition(int documentPosition) const
{
    const QTextBlock block = document()->findBlock(documentPosition);
    return documentPosition + block.blockNumber();
}

void Memo::SelectLineColumn(int line, int column, int length)
{
    const int lines = std::max(LineCount(), 1);
    const QTextBlock block = document()->findBlockByNumber(std::clamp(line, 1, lines) - 1);
    const int lineLength = block.length() - 1;
    const int start = std::clamp(column, 1, lineLength + 1) - 1;
    const int size = std::min(std::max(length, 0), lineLength - start);
    QTextCursor cursor(document());
    cursor.setPosition(block.position() + start);
    cursor.setPosition(block.position() + start + size, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void Memo::SelectPosition(int position, int length)
{
    const long long start = std::max(position, 1) - 1LL;
    const long long end = start + std::max(length, 0);
    QTextCursor cursor(document());
    cursor.setPosition(DocumentPosition(start));
    cursor.setPosition(DocumentPosition(end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void Memo::Action(int op, const AnsiString& text)
{
    if (op == 2) ReplaceText({});
    if (op == 11) ReplaceText(FromProgram(text));
    if (op == 10) {
        // A line goes after the last one: behind a final line break, or
        // behind a new one when the text ends in the middle of a line.
        const QString all = toPlainText();
        const QString line = FromProgram(text);
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(
            all.isEmpty() || all.endsWith(QLatin1Char('\n')) ? line + QLatin1Char('\n') : QLatin1Char('\n') + line);
    }
}

void Memo::SetProperty(int op, int value)
{
    switch (op) {
    case 0:
        setEnabled(value != 0);
        break;
    case 1:
        setVisible(value == 0);
        break;
    case 2:
        setReadOnly(value != 0);
        break;
    case 3:
        setLineWrapMode(value != 0 ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        break;
    case 4:
        setFrameShape(value != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
        break;
    case 5:
        if (value < 0 || value > 3) break;
        scrollBars = value;
        setVerticalScrollBarPolicy(value & 1 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(value & 2 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        break;
    case 6:
        SetBackColour(*this, palette.PaletteColor(value));
        break;
    case 7:
        if (LineIndex(value) >= 0) {
            const QTextBlock block = document()->findBlockByNumber(LineIndex(value));
            QTextCursor cursor(block);
            // The line goes with its break; the last line with the one before it.
            if (block.next().isValid()) {
                cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
            } else if (block.previous().isValid()) {
                cursor.setPosition(block.previous().position() + block.previous().length() - 1);
                cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            } else {
                cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            }
            cursor.removeSelectedText();
        }
        break;
    }
}

int Memo::Property(int op) const
{
    const QTextCursor caret = textCursor();
    switch (op) {
    case 0:
        return isEnabled();
    case 1:
        return IsHidden(*this);
    case 2:
        return isReadOnly();
    case 3:
        return lineWrapMode() != QPlainTextEdit::NoWrap;
    case 4:
        return frameShape() != QFrame::NoFrame;
    case 5:
        return BackColour(*this, palette);
    case 6:
        return scrollBars;
    case 7:
        return LineCount();
    case 8:
        return std::exchange(changed, false);
    case 9:
        return caret.blockNumber() + 1;
    case 10:
        return caret.positionInBlock();
    case 11:
        return x();
    case 12:
        return y();
    case 13:
        return width();
    case 14:
        return height();
    case 15:
        return hasFocus();
    case 16:
        return CountedPosition(caret.position()) + 1;
    }
    return 0;
}

AnsiString Memo::Text(int op, int n) const
{
    switch (op) {
    case 0:
        return ToProgram(toPlainText());
    case 1:
        return FontText(*this, palette);
    case 2:
        return LineIndex(n) < 0 ? AnsiString()
                                : platform::fromQString(document()->findBlockByNumber(LineIndex(n)).text());
    case 3:
        return ToProgram(textCursor().selectedText());
    }
    return {};
}
