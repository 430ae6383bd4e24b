#include "screen/controls/Memo.h"

#include "pictures/Palette.h"
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

Memo::Memo(const ControlSurface& surface, const NewMemo& made)
    : QPlainTextEdit(surface.parent)
    , palette(surface.palette)
{
    setFont(ControlFont(FontHeight::Form));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        changed = true;
        if (onChange) onChange();
    });
    SetBackColour(*this, surface.brushColour);
    SetTextColour(*this, surface.penColour);
    PlaceControl(*this, made.left, made.top, made.width > 0 ? made.width : 100, made.height > 0 ? made.height : 100);
    SetHint(*this, made.hint);
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

void Memo::Action(ControlProperty action, const AnsiString& text)
{
    if (action == ControlProperty::MemoClearing) ReplaceText({});
    if (action == ControlProperty::MemoText) ReplaceText(FromProgram(text));
    if (action == ControlProperty::MemoNewLine) {
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

void Memo::SetProperty(ControlProperty property, int value)
{
    switch (property) {
    case ControlProperty::MemoEnabled:
        setEnabled(value != 0);
        break;
    case ControlProperty::MemoHidden:
        setVisible(value == 0);
        break;
    case ControlProperty::MemoReadOnly:
        setReadOnly(value != 0);
        break;
    case ControlProperty::MemoWrap:
        setLineWrapMode(value != 0 ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        break;
    case ControlProperty::MemoBorder:
        setFrameShape(value != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
        break;
    case ControlProperty::MemoScrollBars:
        if (value < 0 || value > 3) break;
        scrollBars = value;
        setVerticalScrollBarPolicy(value & 1 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(value & 2 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        break;
    case ControlProperty::MemoColour:
        SetBackColour(*this, palette.PaletteColor(value));
        break;
    case ControlProperty::MemoLineDeletion:
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
    default:
        break;
    }
}

int Memo::Property(ControlProperty property) const
{
    const QTextCursor caret = textCursor();
    switch (property) {
    case ControlProperty::MemoEnabled:
        return isEnabled();
    case ControlProperty::MemoHidden:
        return IsHidden(*this);
    case ControlProperty::MemoReadOnly:
        return isReadOnly();
    case ControlProperty::MemoWrap:
        return lineWrapMode() != QPlainTextEdit::NoWrap;
    case ControlProperty::MemoBorder:
        return frameShape() != QFrame::NoFrame;
    case ControlProperty::MemoColour:
        return BackColour(*this, palette);
    case ControlProperty::MemoScrollBars:
        return scrollBars;
    case ControlProperty::MemoLineCount:
        return LineCount();
    case ControlProperty::MemoChanged:
        return std::exchange(changed, false);
    case ControlProperty::MemoCaretLine:
        return caret.blockNumber() + 1;
    case ControlProperty::MemoCaretColumn:
        return caret.positionInBlock();
    case ControlProperty::MemoLeft:
        return x();
    case ControlProperty::MemoTop:
        return y();
    case ControlProperty::MemoWidth:
        return width();
    case ControlProperty::MemoHeight:
        return height();
    case ControlProperty::MemoFocused:
        return hasFocus();
    case ControlProperty::MemoCaretPosition:
        return CountedPosition(caret.position()) + 1;
    default:
        break;
    }
    return 0;
}

AnsiString Memo::Text(ControlProperty property, int n) const
{
    switch (property) {
    case ControlProperty::MemoText:
        return ToProgram(toPlainText());
    case ControlProperty::MemoFont:
        return FontText(*this, palette);
    case ControlProperty::MemoLine:
        return LineIndex(n) < 0 ? AnsiString()
                                : platform::fromQString(document()->findBlockByNumber(LineIndex(n)).text());
    case ControlProperty::MemoSelection:
        return ToProgram(textCursor().selectedText());
    default:
        break;
    }
    return {};
}

void Memo::SetDimensions(int left, int top, int width, int height)
{
    ReplaceDimensions(*this, left, top, width, height);
}
