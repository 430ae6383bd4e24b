#include "screen/controls/Button.h"

#include "platform/AnsiText.h"

using namespace controls;

Button::Button(const ControlSurface& surface, const NewButton& made)
    : QPushButton(platform::toQString(made.name), surface.parent)
    , palette(surface.palette)
{
    setFocusPolicy(Qt::StrongFocus);
    setFont(ControlFont(FontHeight::Form));
    const int width = made.width > 0 ? made.width : TextWidth(*this, made.name + "  ") + 8;
    const int height = made.height > 0 ? made.height : sizeHint().height();
    PlaceControl(*this, made.left, made.top, width, height);
    SetHint(*this, made.hint);
    connect(this, &QPushButton::clicked, this, [this] {
        if (onClick) onClick();
    });
}

void Button::Action(ControlProperty action, const AnsiString& text)
{
    if (action == ControlProperty::ButtonName || action == ControlProperty::ButtonCaption)
        setText(platform::toQString(text));
}

void Button::SetProperty(ControlProperty property, int value)
{
    if (property == ControlProperty::ButtonEnabled) setEnabled(value != 0);
    if (property == ControlProperty::ButtonHidden) setVisible(value == 0);
}

int Button::Property(ControlProperty property) const
{
    switch (property) {
    case ControlProperty::ButtonEnabled:
        return isEnabled();
    case ControlProperty::ButtonHidden:
        return IsHidden(*this);
    case ControlProperty::ButtonLeft:
        return x();
    case ControlProperty::ButtonTop:
        return y();
    case ControlProperty::ButtonWidth:
        return width();
    case ControlProperty::ButtonHeight:
        return height();
    case ControlProperty::ButtonFocused:
        return hasFocus();
    default:
        return 0;
    }
}

AnsiString Button::Text(ControlProperty property, int) const
{
    if (property == ControlProperty::ButtonCaption) return platform::fromQString(text());
    if (property == ControlProperty::ButtonFont) return FontText(*this, palette);
    return {};
}

void Button::SetDimensions(int left, int top, int width, int height)
{
    ReplaceDimensions(*this, left, top, width, height);
}
