#include "screen/controls/ListBox.h"

#include "pictures/Palette.h"
#include "platform/AnsiText.h"

#include <algorithm>
#include <utility>
#include <vector>

using namespace controls;

namespace {

// An item as the 8-bit text the program sees, each byte in capitals as the
// text functions fold it (the Windows-1252 letters that have a capital there).
AnsiString FoldedItem(const QString& item)
{
    AnsiString text = platform::fromQString(item);
    for (char& byte : text) {
        const QChar upper
            = QChar(static_cast<char16_t>(platform::byteToCharacter(static_cast<unsigned char>(byte)))).toUpper();
        char folded = 0;
        if (platform::characterToByte(upper.unicode(), folded)) byte = folded;
    }
    return text;
}

void SetBackColour(QComboBox& box, int windowsColor)
{
    QPalette colours = box.palette();
    colours.setColor(QPalette::Base, ToQColor(windowsColor));
    colours.setColor(QPalette::Button, ToQColor(windowsColor));
    box.setPalette(colours);
}

} // namespace

ListBox::ListBox(const ControlSurface& surface, const NewListBox& made)
    : QComboBox(surface.parent)
    , palette(surface.palette)
{
    setEditable(false);
    setFont(ControlFont(FontHeight::Template));
    setMaxVisibleItems(20);
    addItems(platform::linesOf(made.items));
    setCurrentIndex(-1);
    SetBackColour(*this, surface.brushColour);
    QPalette colours = QComboBox::palette();
    colours.setColor(QPalette::Text, ToQColor(surface.fontColour));
    colours.setColor(QPalette::ButtonText, ToQColor(surface.fontColour));
    setPalette(colours);
    PlaceControl(*this, made.left, made.top, made.width > 0 ? made.width : 100, sizeHint().height());
    SetHint(*this, made.hint);
    connect(this, &QComboBox::activated, this, [this] {
        if (onChoice) onChoice();
    });
}

// A sorted list box keeps its items in byte order ignoring case; the shown
// item stays.
void ListBox::SortItems()
{
    if (!sorted) return;
    const QString shown = currentIndex() >= 0 ? currentText() : QString();
    const bool selected = currentIndex() >= 0;
    QStringList items;
    for (int k = 0; k < count(); ++k)
        items << itemText(k);
    std::vector<std::pair<AnsiString, QString>> keyed;
    for (const QString& item : items)
        keyed.emplace_back(FoldedItem(item), item);
    // Compared as unsigned bytes, as the text functions compare.
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return std::lexicographical_compare(a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    });
    items.clear();
    for (const auto& entry : keyed)
        items << entry.second;
    clear();
    addItems(items);
    setCurrentIndex(selected ? static_cast<int>(items.indexOf(shown)) : -1);
}

int ListBox::ItemIndex(int n) const
{
    if (n < 1 || count() == 0) return -1;
    return std::min(n, count()) - 1;
}

void ListBox::Action(ControlProperty action, const AnsiString& text)
{
    switch (action) {
    case ControlProperty::ListBoxClearing:
        clear();
        break;
    case ControlProperty::ListBoxNewItem:
        addItem(platform::toQString(text));
        SortItems();
        break;
    case ControlProperty::ListBoxItems:
        clear();
        addItems(platform::linesOf(text));
        setCurrentIndex(-1);
        SortItems();
        break;
    default:
        break;
    }
}

void ListBox::SetProperty(ControlProperty property, int value)
{
    switch (property) {
    case ControlProperty::ListBoxSelected:
        setCurrentIndex(value == 0 ? -1 : ItemIndex(value < 1 ? count() : value));
        break;
    case ControlProperty::ListBoxEnabled:
        setEnabled(value != 0);
        break;
    case ControlProperty::ListBoxHidden:
        setVisible(value == 0);
        break;
    case ControlProperty::ListBoxSorted:
        sorted = value != 0;
        SortItems();
        break;
    case ControlProperty::ListBoxItemDeletion:
        if (ItemIndex(value) >= 0) removeItem(ItemIndex(value));
        break;
    case ControlProperty::ListBoxColour:
        SetBackColour(*this, palette.PaletteColor(value));
        break;
    default:
        break;
    }
}

int ListBox::Property(ControlProperty property) const
{
    switch (property) {
    case ControlProperty::ListBoxSelected:
        return currentIndex() + 1;
    case ControlProperty::ListBoxEnabled:
        return isEnabled();
    case ControlProperty::ListBoxHidden:
        return IsHidden(*this);
    case ControlProperty::ListBoxSorted:
        return sorted;
    case ControlProperty::ListBoxItemCount:
        return count();
    case ControlProperty::ListBoxColour:
        return palette.PaletteIndexOf(FromQColor(QComboBox::palette().color(QPalette::Base)));
    case ControlProperty::ListBoxLeft:
        return x();
    case ControlProperty::ListBoxTop:
        return y();
    case ControlProperty::ListBoxWidth:
        return width();
    case ControlProperty::ListBoxFocused:
        return hasFocus();
    default:
        return 0;
    }
}

AnsiString ListBox::Text(ControlProperty property, int n) const
{
    switch (property) {
    case ControlProperty::ListBoxShownText:
        return currentIndex() < 0 ? AnsiString() : platform::fromQString(currentText());
    case ControlProperty::ListBoxItems: {
        AnsiString all;
        for (int k = 0; k < count(); ++k)
            all += platform::fromQString(itemText(k)) + "\r\n";
        return all;
    }
    case ControlProperty::ListBoxItem:
        return ItemIndex(n) < 0 ? AnsiString() : platform::fromQString(itemText(ItemIndex(n)));
    case ControlProperty::ListBoxFont:
        return FontText(*this, palette);
    default:
        return {};
    }
}

// The height is the widget's own.
void ListBox::SetDimensions(int left, int top, int width, int)
{
    ReplaceDimensions(*this, left, top, width, -1);
}
