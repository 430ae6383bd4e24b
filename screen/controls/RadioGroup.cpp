#include "screen/controls/RadioGroup.h"

#include "canvas/Palette.h"
#include "platform/AnsiText.h"

#include <QRadioButton>
#include <QStyle>

#include <algorithm>

using namespace controls;

RadioGroup::RadioGroup(QWidget* parent, const Palette& screenPalette)
    : QGroupBox(parent)
    , palette(screenPalette)
{
    setFont(ControlFont(FontHeight::Template));
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

void RadioGroup::Action(int op, const AnsiString& text)
{
    if (op == 2) SetButtons({});
    if (op == 10) {
        AddButton(platform::toQString(text));
        PlaceButtons();
    }
    if (op == 11) SetButtons(text);
}

void RadioGroup::SetProperty(int op, int value)
{
    switch (op) {
    case 0:
        Select(value <= 0 ? -1 : IndexOf(value), By::Program);
        break;
    case 1:
        setEnabled(value != 0);
        break;
    case 2:
        setVisible(value == 0);
        break;
    case 3:
        if (IndexOf(value) >= 0) {
            RemoveButton(static_cast<size_t>(IndexOf(value)));
            PlaceButtons();
        }
        break;
    case 4:
        SetBackColour(*this, palette.PaletteColor(value));
        break;
    case 5:
        columns = std::max(1, value);
        PlaceButtons();
        break;
    }
}

int RadioGroup::Property(int op) const
{
    switch (op) {
    case 0:
        return Selected() + 1;
    case 1:
        return isEnabled();
    case 2:
        return IsHidden(*this);
    case 3:
        return static_cast<int>(buttons.size());
    case 4:
        return columns;
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
        return HasFocusWithin(*this);
    }
    return 0;
}

AnsiString RadioGroup::Text(int op, int n) const
{
    switch (op) {
    case 0:
        return Selected() < 0 ? AnsiString() : platform::fromQString(buttons[size_t(Selected())]->text());
    case 1: {
        AnsiString all;
        for (const QRadioButton* button : buttons)
            all += platform::fromQString(button->text()) + "\r\n";
        return all;
    }
    case 2:
        return platform::fromQString(title());
    case 3:
        return IndexOf(n) < 0 ? AnsiString() : platform::fromQString(buttons[size_t(IndexOf(n))]->text());
    case 4:
        return FontText(*this, palette);
    }
    return {};
}
