#include "screen/controls/CheckBox.h"

#include "pictures/Palette.h"
#include "platform/AnsiText.h"

using namespace controls;

namespace {

// Two or more characters are the caption, a single space none, anything
// shorter the name.
AnsiString CaptionOf(const NewCheckBox& made)
{
    const AnsiString& given = made.caption;
    return given.size() >= 2 ? given : given == " " ? AnsiString() : made.name;
}

} // namespace

CheckBox::CheckBox(const ControlSurface& surface, const NewCheckBox& made)
    : QCheckBox(platform::toQString(CaptionOf(made)), surface.parent)
    , palette(surface.palette)
{
    setFont(ControlFont(FontHeight::Template));
    setChecked(made.checked != 0);
    if (made.captionLeft != 0) setLayoutDirection(Qt::RightToLeft);
    QPalette colours = QCheckBox::palette();
    colours.setColor(QPalette::Window, ToQColor(surface.brushColour));
    colours.setColor(QPalette::WindowText, ToQColor(surface.fontColour));
    setPalette(colours);
    setAutoFillBackground(true);
    const AnsiString caption = CaptionOf(made);
    PlaceControl(
        *this, made.left, made.top, caption.empty() ? 15 : TextWidth(*this, caption) + 20, sizeHint().height());
    SetHint(*this, made.hint);
    connect(this, &QCheckBox::clicked, this, [this] {
        if (onClick) onClick(By::User);
    });
}

void CheckBox::FitCaption(const AnsiString& caption)
{
    resize(caption.empty() ? 15 : TextWidth(*this, caption) + 20, height());
}

void CheckBox::Action(ControlProperty action, const AnsiString& text)
{
    if (action != ControlProperty::CheckBoxCaption) return;
    setText(platform::toQString(text));
    FitCaption(text);
}

void CheckBox::SetProperty(ControlProperty property, int value)
{
    switch (property) {
    case ControlProperty::CheckBoxChecked: {
        const bool change = isChecked() != (value != 0);
        setChecked(value != 0);
        if (change && onClick) onClick(By::Program);
        break;
    }
    case ControlProperty::CheckBoxEnabled:
        setEnabled(value != 0);
        break;
    case ControlProperty::CheckBoxHidden:
        setVisible(value == 0);
        break;
    case ControlProperty::CheckBoxColour: {
        QPalette colours = QCheckBox::palette();
        colours.setColor(QPalette::Window, ToQColor(palette.PaletteColor(value)));
        setPalette(colours);
        break;
    }
    default:
        break;
    }
}

int CheckBox::Property(ControlProperty property) const
{
    switch (property) {
    case ControlProperty::CheckBoxChecked:
        return isChecked();
    case ControlProperty::CheckBoxEnabled:
        return isEnabled();
    case ControlProperty::CheckBoxHidden:
        return IsHidden(*this);
    case ControlProperty::CheckBoxColour:
        return palette.PaletteIndexOf(FromQColor(QCheckBox::palette().color(QPalette::Window)));
    case ControlProperty::CheckBoxLeft:
        return x();
    case ControlProperty::CheckBoxTop:
        return y();
    case ControlProperty::CheckBoxFocused:
        return hasFocus();
    default:
        return 0;
    }
}

AnsiString CheckBox::Text(ControlProperty property, int) const
{
    return property == ControlProperty::CheckBoxCaption ? platform::fromQString(text()) : AnsiString();
}

// The size fits the caption: only the place changes.
void CheckBox::SetDimensions(int left, int top, int, int)
{
    ReplaceDimensions(*this, left, top, -1, -1);
}
