#include "screen/controls/EditBox.h"

#include "pictures/Palette.h"
#include "platform/AnsiText.h"

#include <QKeyEvent>

using namespace controls;

EditBox::EditBox(const ControlSurface& surface, const NewEdit& made)
    : QLineEdit(surface.parent)
    , palette(surface.palette)
{
    setFont(ControlFont(FontHeight::Form));
    setFocusPolicy(Qt::StrongFocus);
    // The initial text is no change: it is set before the handlers.
    setText(platform::toQString(made.text));
    connect(this, &QLineEdit::textChanged, this, [this] {
        changed = true;
        if (onChange) onChange();
    });
    const int width = made.width > 0 ? made.width : made.text.empty() ? 100 : TextWidth(*this, made.text + "  ") + 8;
    PlaceControl(*this, made.left, made.top, width, made.height > 0 ? made.height : sizeHint().height());
    // No hint text gives the usual advice, a single character none.
    if (made.hint.empty())
        setToolTip(QStringLiteral(
            "You can enter data in this text box. Esc will cancel any editing. Enter will finish editing"));
    else if (made.hint.size() > 1)
        SetHint(*this, made.hint);
}

// A box removed while it has the focus loses it without a focus-out event
// reaching this class, so the screen learns of it here.
EditBox::~EditBox()
{
    if (hasFocus() && onExit) onExit();
}

void EditBox::Action(ControlProperty action, const AnsiString& text)
{
    if (action == ControlProperty::EditText) setText(platform::toQString(text));
    if (action == ControlProperty::EditMask) {
        mask = edit_rules::ParseEditMask(text);
        setInputMask(QString::fromLatin1(mask.qtMask));
    }
}

void EditBox::SetProperty(ControlProperty property, int value)
{
    switch (property) {
    case ControlProperty::EditEnabled:
        setEnabled(value != 0);
        break;
    case ControlProperty::EditHidden:
        setVisible(value == 0);
        break;
    case ControlProperty::EditReadOnly:
        setReadOnly(value != 0);
        break;
    case ControlProperty::EditColour:
        SetBackColour(*this, palette.PaletteColor(value));
        break;
    case ControlProperty::EditBorder:
        setFrame(value != 0);
        break;
    case ControlProperty::EditIntegerKeys:
        filter = value != 0 ? Filter::Integer : Filter::Plain;
        break;
    case ControlProperty::EditFloatKeys:
        filter = value != 0 ? Filter::Float : Filter::Plain;
        break;
    default:
        break;
    }
}

int EditBox::Property(ControlProperty property) const
{
    switch (property) {
    case ControlProperty::EditFocused:
        return hasFocus();
    case ControlProperty::EditEnabled:
        return isEnabled();
    case ControlProperty::EditHidden:
        return IsHidden(*this);
    case ControlProperty::EditReadOnly:
        return isReadOnly();
    case ControlProperty::EditColour:
        return BackColour(*this, palette);
    case ControlProperty::EditLeft:
        return x();
    case ControlProperty::EditTop:
        return y();
    case ControlProperty::EditWidth:
        return width();
    case ControlProperty::EditHeight:
        return height();
    case ControlProperty::EditBorder:
        return hasFrame();
    default:
        break;
    }
    return 0;
}

AnsiString EditBox::Text(ControlProperty property, int) const
{
    const AnsiString shown = platform::fromQString(displayText());
    if (property == ControlProperty::EditText)
        return mask.positions.empty() ? platform::fromQString(text()) : edit_rules::MaskedValue(mask, shown);
    if (property == ControlProperty::EditFont) return FontText(*this, palette);
    if (property == ControlProperty::EditShown) return mask.positions.empty() ? platform::fromQString(text()) : shown;
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

void EditBox::SetDimensions(int left, int top, int width, int height)
{
    ReplaceDimensions(*this, left, top, width, height);
}
