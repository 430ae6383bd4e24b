#include "screen/controls/RadioGroup.h"

#include "pictures/Palette.h"
#include "platform/AnsiText.h"

#include <QRadioButton>
#include <QStyle>

#include <algorithm>

using namespace controls;

RadioGroup::RadioGroup(const ControlSurface& surface, const NewRBGroup& made)
    : QGroupBox(surface.parent)
    , palette(surface.palette)
{
    setFont(ControlFont(FontHeight::Template));
    // No caption text gives the name, a single space no caption.
    const AnsiString& caption = made.caption;
    setTitle(platform::toQString(caption.empty() ? made.name : caption == " " ? AnsiString() : caption));
    SetBackColour(*this, surface.brushColour);
    SetTextColour(*this, surface.penColour);
    SetProperty(ControlProperty::RBGroupColumns, made.columns);
    PlaceControl(*this, made.left, made.top, made.width > 0 ? made.width : 100, made.height > 0 ? made.height : 100);
    SetButtons(made.buttons);
    SetHint(*this, made.hint);
}

void RadioGroup::AddButton(const QString& caption)
{
    auto* button = new QRadioButton(caption, this);
    // The group keeps the selection itself, so that it can also select none.
    button->setAutoExclusive(false);
    connect(button, &QRadioButton::clicked, this, [this, button] {
        const auto at = std::find(buttons.begin(), buttons.end(), button) - buttons.begin();
        Select(static_cast<int>(at), By::User);
    });
    buttons.push_back(button);
    button->show();
}

void RadioGroup::RemoveButton(size_t index)
{
    delete buttons[index];
    buttons.erase(buttons.begin() + static_cast<std::ptrdiff_t>(index));
    // Removing the selected button leaves none selected, and raises no event.
    const int removed = static_cast<int>(index);
    if (removed == selected) selected = -1;
    if (removed < selected) --selected;
}

void RadioGroup::SetButtons(const AnsiString& lines)
{
    while (!buttons.empty())
        RemoveButton(buttons.size() - 1);
    for (const QString& line : platform::linesOf(lines))
        AddButton(line);
    PlaceButtons();
}

void RadioGroup::Select(int index, By by)
{
    const int before = selected;
    selected = index;
    for (int k = 0; k < static_cast<int>(buttons.size()); ++k)
        buttons[static_cast<size_t>(k)]->setChecked(k == index);
    if (index != before && onClick) onClick(by);
}

int RadioGroup::IndexOf(int n) const
{
    if (n < 1 || buttons.empty()) return -1;
    return std::min(n, static_cast<int>(buttons.size())) - 1;
}

// Columns of equal width below the caption, filled top to bottom: with n
// buttons each column holds n / columns rounded up.
void RadioGroup::PlaceButtons()
{
    if (buttons.empty()) return;
    const QRect area = contentsRect().adjusted(4, fontMetrics().height() / 2, -4, -2);
    const int count = static_cast<int>(buttons.size());
    const int rows = (count + columns - 1) / columns;
    const int columnWidth = std::max(1, area.width() / columns);
    const int rowHeight = std::max(1, area.height() / rows);
    for (int k = 0; k < count; ++k) {
        QRadioButton* button = buttons[static_cast<size_t>(k)];
        const int height = std::min(rowHeight, button->sizeHint().height());
        const int top = area.top() + (k % rows) * rowHeight + (rowHeight - height) / 2;
        button->setGeometry(area.left() + (k / rows) * columnWidth, top, columnWidth, height);
    }
}

void RadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    PlaceButtons();
}

void RadioGroup::Action(ControlProperty action, const AnsiString& text)
{
    if (action == ControlProperty::RBGroupClearing) SetButtons({});
    if (action == ControlProperty::RBGroupNewButton) {
        AddButton(platform::toQString(text));
        PlaceButtons();
    }
    if (action == ControlProperty::RBGroupButtons) SetButtons(text);
}

void RadioGroup::SetProperty(ControlProperty property, int value)
{
    switch (property) {
    case ControlProperty::RBGroupSelected:
        Select(value <= 0 ? -1 : IndexOf(value), By::Program);
        break;
    case ControlProperty::RBGroupEnabled:
        setEnabled(value != 0);
        break;
    case ControlProperty::RBGroupHidden:
        setVisible(value == 0);
        break;
    case ControlProperty::RBGroupButtonDeletion:
        if (IndexOf(value) >= 0) {
            RemoveButton(static_cast<size_t>(IndexOf(value)));
            PlaceButtons();
        }
        break;
    case ControlProperty::RBGroupColour:
        SetBackColour(*this, palette.PaletteColor(value));
        break;
    case ControlProperty::RBGroupColumns:
        columns = std::max(1, value);
        PlaceButtons();
        break;
    default:
        break;
    }
}

int RadioGroup::Property(ControlProperty property) const
{
    switch (property) {
    case ControlProperty::RBGroupSelected:
        return Selected() + 1;
    case ControlProperty::RBGroupEnabled:
        return isEnabled();
    case ControlProperty::RBGroupHidden:
        return IsHidden(*this);
    case ControlProperty::RBGroupButtonCount:
        return static_cast<int>(buttons.size());
    case ControlProperty::RBGroupColumns:
        return columns;
    case ControlProperty::RBGroupColour:
        return BackColour(*this, palette);
    case ControlProperty::RBGroupLeft:
        return x();
    case ControlProperty::RBGroupTop:
        return y();
    case ControlProperty::RBGroupWidth:
        return width();
    case ControlProperty::RBGroupHeight:
        return height();
    case ControlProperty::RBGroupFocused:
        return HasFocusWithin(*this);
    default:
        break;
    }
    return 0;
}

AnsiString RadioGroup::Text(ControlProperty property, int n) const
{
    switch (property) {
    case ControlProperty::RBGroupSelectedText:
        return Selected() < 0 ? AnsiString() : platform::fromQString(buttons[size_t(Selected())]->text());
    case ControlProperty::RBGroupButtons: {
        AnsiString all;
        for (const QRadioButton* button : buttons)
            all += platform::fromQString(button->text()) + "\r\n";
        return all;
    }
    case ControlProperty::RBGroupCaption:
        return platform::fromQString(title());
    case ControlProperty::RBGroupButton:
        return IndexOf(n) < 0 ? AnsiString() : platform::fromQString(buttons[size_t(IndexOf(n))]->text());
    case ControlProperty::RBGroupFont:
        return FontText(*this, palette);
    default:
        break;
    }
    return {};
}

void RadioGroup::SetDimensions(int left, int top, int width, int height)
{
    ReplaceDimensions(*this, left, top, width, height);
}
