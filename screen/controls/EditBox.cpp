#include "screen/controls/EditBox.h"

#include "canvas/Palette.h"
#include "platform/AnsiText.h"

#include <QKeyEvent>

using namespace controls;

EditBox::EditBox(QWidget* parent, const Palette& screenPalette)
    : QLineEdit(parent)
    , palette(screenPalette)
{
    setFont(ControlFont(FontHeight::Form));
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QLineEdit::textChanged, this, [this] {
        changed = true;
        if (onChange) onChange();
    });
}

// A box removed while it has the focus loses it without a focus-out event
// reaching this class, so the screen learns of it here.
EditBox::~EditBox()
{
    if (hasFocus() && onExit) onExit();
}

void EditBox::Action(int op, const AnsiString& text)
{
    if (op == 10) setText(platform::toQString(text));
    if (op == 11) {
        mask = edit_rules::ParseEditMask(text);
        setInputMask(QString::fromLatin1(mask.qtMask));
    }
}

void EditBox::SetProperty(int op, int value)
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
        SetBackColour(*this, palette.PaletteColor(value));
        break;
    case 4:
        setFrame(value != 0);
        break;
    case 5:
        filter = value != 0 ? Filter::Integer : Filter::Plain;
        break;
    case 6:
        filter = value != 0 ? Filter::Float : Filter::Plain;
        break;
    }
}

int EditBox::Property(int op) const
{
    switch (op) {
    case 1:
        return hasFocus();
    case 2:
        return isEnabled();
    case 3:
        return IsHidden(*this);
    case 4:
        return isReadOnly();
    case 5:
        return BackColour(*this, palette);
    case 6:
        return x();
    case 7:
        return y();
    case 8:
        return width();
    case 9:
        return height();
    case 10:
        return hasFrame();
    }
    return 0;
}

AnsiString EditBox::Text(int op, int) const
{
    const AnsiString shown = platform::fromQString(displayText());
    if (op == 0) return mask.positions.empty() ? platform::fromQString(text()) : edit_rules::MaskedValue(mask, shown);
    if (op == 1) return FontText(*this, palette);
    if (op == 2) return mask.positions.empty() ? platform::fromQString(text()) : shown;
    return {};
}

std::string EditBox::TextWithKey(char key) const
{
    const AnsiString current = platform::fromQString(text());
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    const auto from = static_cast<size_t>(std::min<int>(start, static_cast<int>(current.size())));
    return current.substr(0, from) + key + current.substr(std::min(current.size(), from + static_cast<size_t>(length)));
}

bool EditBox::Accepts(char key) const
{
    if (filter == Filter::Integer) return edit_rules::IntegerTextAccepted(TextWithKey(key), key);
    if (filter == Filter::Float) return edit_rules::FloatTextAccepted(TextWithKey(key));
    return true;
}

void EditBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (onFinish) onFinish(key == Qt::Key_Escape ? Finish::Escape : Finish::Enter);
        event->accept();
        return;
    }
    // Only typed characters are filtered; Backspace, the arrows and the
    // shortcuts pass.
    const AnsiString typed = platform::fromQString(event->text());
    const bool character = typed.size() == 1 && static_cast<unsigned char>(typed[0]) >= 0x20 && typed[0] != 0x7F;
    if (filter == Filter::Plain || !character) return QLineEdit::keyPressEvent(event);
    char c = typed[0];
    if (filter == Filter::Integer) c = edit_rules::IntegerKey(c);
    if (!Accepts(c)) {
        event->accept();
        return;
    }
    if (c == typed[0]) return QLineEdit::keyPressEvent(event);
    QKeyEvent changedKey(event->type(), event->key(), event->modifiers(), platform::toQString(AnsiString(1, c)));
    QLineEdit::keyPressEvent(&changedKey);
}

void EditBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (onEnter) onEnter();
}

void EditBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (onExit) onExit();
}
