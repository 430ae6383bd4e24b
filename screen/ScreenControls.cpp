#include "screen/ScreenForm.h"

#include "platform/AnsiText.h"
#include "screen/ScreenWidgets.h"
#include "screen/controls/EditBox.h"
#include "screen/controls/ProgramControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

// The controls a running program makes, each in the first empty slot of its
// family, found by the name the program gave it. Their handlers write the
// control's name into the family's last-event text, which the run loop polls
// and the getters read. The families with many properties answer for them
// themselves (ProgramControl); buttons, list boxes, check boxes and timers are
// handled here.

namespace {

using controls::FromQColor;
using controls::ToQColor;

// The slot of the first control named `name`, -1 when none.
int SlotOf(const ControlSlots& familySlots, const AnsiString& name)
{
    for (int k = 0; k < familySlots.controls.capacity && k < familySlots.names.capacity; ++k)
        if (familySlots.controls.items[k] && familySlots.names.items[k] == name) return k;
    return -1;
}

template <typename T> T* Find(const ControlSlots& familySlots, const AnsiString& name)
{
    const int slot = SlotOf(familySlots, name);
    return slot < 0 ? nullptr : qobject_cast<T*>(familySlots.controls.items[slot]);
}

void Remove(ControlSlots& familySlots, const AnsiString& name)
{
    const int slot = SlotOf(familySlots, name);
    if (slot < 0) return;
    QObject* control = familySlots.controls.items[slot];
    if (auto* widget = qobject_cast<QWidget*>(control)) widget->hide();
    // Deferred: the control may be running one of its own handlers now.
    control->deleteLater();
    familySlots.controls.items[slot] = nullptr;
    familySlots.names.items[slot].clear();
}

int TextWidth(const QWidget& widget, const AnsiString& text)
{
    return QFontMetrics(widget.font()).horizontalAdvance(platform::toQString(text));
}

// The widget's common integer properties.
int Common(const QWidget& w, char what)
{
    switch (what) {
    case 'e':
        return w.isEnabled();
    case 'h':
        return !w.isVisibleTo(w.parentWidget());
    case 'x':
        return w.x();
    case 'y':
        return w.y();
    case 'w':
        return w.width();
    case 'H':
        return w.height();
    case 'f':
        return w.hasFocus();
    }
    return 0;
}

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

// A sorted list box keeps its items in byte order ignoring case; the shown
// item stays.
void SortItems(QComboBox& box)
{
    if (!box.property("sorted").toBool()) return;
    const QString shown = box.currentIndex() >= 0 ? box.currentText() : QString();
    const bool selected = box.currentIndex() >= 0;
    QStringList items;
    for (int k = 0; k < box.count(); ++k)
        items << box.itemText(k);
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
    box.clear();
    box.addItems(items);
    box.setCurrentIndex(selected ? static_cast<int>(items.indexOf(shown)) : -1);
}

// Item n counted from 1, beyond the end the last; -1 for n below 1 or no items.
int ItemIndex(const QComboBox& box, int n)
{
    if (n < 1 || box.count() == 0) return -1;
    return std::min(n, box.count()) - 1;
}

} // namespace

// --- Shared -----------------------------------------------------------------------------

static ControlSlots& SlotsOf(TScreenForm& form, ControlFamily family)
{
    ControlSlots* families[] = { &form.Buttons, &form.EditBoxes, &form.ListBoxes, &form.RBGroups, &form.CheckBoxes,
        &form.Sliders, &form.Spinners, &form.Memos, &form.Timers };
    return *families[static_cast<int>(family)];
}

AnsiString TScreenForm::TakeLastEvent(ControlFamily family)
{
    AnsiString* texts[] = { &lastButton, &lastEdit, &lastListBox, &lastRBGroup, &lastCheckBox, &lastSlider,
        &lastSpinner, &lastMemo, &lastTimer };
    AnsiString& text = *texts[static_cast<int>(family)];
    AnsiString taken = std::move(text);
    text.clear();
    return taken;
}

int TScreenForm::TakeLastKey()
{
    const int key = lastKeyCode;
    lastKeyCode = 0;
    return key;
}

int TScreenForm::TakeLastMouse()
{
    const int mouse = mouseButtons;
    mouseButtons = 0;
    return mouse;
}

void TScreenForm::ReturnKeysToScreen()
{
    if (DummyEdit) DummyEdit->setFocus();
    if (InputEditBox_00) InputEditBox_00->deselect();
}

void TScreenForm::AddControl(ControlFamily family, const AnsiString& name, const int* numbers, const AnsiString* texts)
{
    ControlSlots& familySlots = SlotsOf(*this, family);
    const int x = numbers[0], y = numbers[1];
    switch (family) {
    case ControlFamily::Button: {
        const int slot = familySlots.FreeSlot();
        auto* button = new QPushButton(platform::toQString(name), Image1);
        button->setObjectName(QStringLiteral("Buttons_%1").arg(slot));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setFont(controls::ControlFont(controls::FontHeight::Form));
        const int width = numbers[2] > 0 ? numbers[2] : TextWidth(*button, name + "  ") + 8;
        const int height = numbers[3] > 0 ? numbers[3] : button->sizeHint().height();
        controls::PlaceControl(*button, x, y, width, height);
        if (!texts[4].empty()) button->setToolTip(platform::toQString(texts[4]));
        QObject::connect(button, &QPushButton::clicked, this, [this, slot] {
            lastButton = Buttons.names.items[slot];
            ReturnKeysToScreen();
        });
        familySlots.controls.items[slot] = button;
        familySlots.names.items[slot] = name;
        button->show();
        break;
    }
    case ControlFamily::CheckBox: {
        const int slot = familySlots.FreeSlot();
        // Two or more characters are the caption, a single space none, anything
        // shorter the name.
        const AnsiString& given = texts[2];
        const AnsiString caption = given.size() >= 2 ? given : given == " " ? AnsiString() : name;
        auto* box = new QCheckBox(platform::toQString(caption), Image1);
        box->setObjectName(QStringLiteral("CheckBoxes_%1").arg(slot));
        box->setFont(controls::ControlFont(controls::FontHeight::Template));
        box->setChecked(numbers[3] != 0);
        if (numbers[4] != 0) box->setLayoutDirection(Qt::RightToLeft);
        QPalette colours = box->palette();
        colours.setColor(QPalette::Window, ToQColor(canvas->brushColor));
        colours.setColor(QPalette::WindowText, ToQColor(canvas->fontColor));
        box->setPalette(colours);
        box->setAutoFillBackground(true);
        const int width = caption.empty() ? 15 : TextWidth(*box, caption) + 20;
        controls::PlaceControl(*box, x, y, width, box->sizeHint().height());
        if (!texts[5].empty()) box->setToolTip(platform::toQString(texts[5]));
        QObject::connect(box, &QCheckBox::clicked, this, [this, slot] {
            lastCheckBox = CheckBoxes.names.items[slot];
            ReturnKeysToScreen();
        });
        familySlots.controls.items[slot] = box;
        familySlots.names.items[slot] = name;
        box->show();
        break;
    }
    case ControlFamily::ListBox: {
        const int slot = familySlots.FreeSlot();
        auto* box = new QComboBox(Image1);
        box->setObjectName(QStringLiteral("ListBoxes_%1").arg(slot));
        box->setEditable(false);
        box->setFont(controls::ControlFont(controls::FontHeight::Template));
        box->setMaxVisibleItems(20);
        box->addItems(platform::linesOf(texts[3]));
        box->setCurrentIndex(-1);
        QPalette colours = box->palette();
        colours.setColor(QPalette::Base, ToQColor(canvas->brushColor));
        colours.setColor(QPalette::Button, ToQColor(canvas->brushColor));
        colours.setColor(QPalette::Text, ToQColor(canvas->fontColor));
        colours.setColor(QPalette::ButtonText, ToQColor(canvas->fontColor));
        box->setPalette(colours);
        controls::PlaceControl(*box, x, y, numbers[2] > 0 ? numbers[2] : 100, box->sizeHint().height());
        if (!texts[4].empty()) box->setToolTip(platform::toQString(texts[4]));
        // Only the user's choice is an event; the program's changes are not.
        QObject::connect(box, &QComboBox::activated, this, [this, slot] {
            lastListBox = ListBoxes.names.items[slot];
            ReturnKeysToScreen();
        });
        familySlots.controls.items[slot] = box;
        familySlots.names.items[slot] = name;
        box->show();
        break;
    }
    case ControlFamily::Edit:
        AddEditBox(name, numbers, texts);
        break;
    case ControlFamily::RBGroup:
        AddRadioGroup(name, numbers, texts);
        break;
    case ControlFamily::Slider:
        AddSlider(name, numbers, texts);
        break;
    case ControlFamily::Spinner:
        AddSpinner(name, numbers, texts);
        break;
    case ControlFamily::Memo:
        AddMemo(name, numbers, texts);
        break;
    case ControlFamily::Timer: {
        const int slot = familySlots.FreeSlot();
        timerTicks.EnsureIndex(slot);
        timerTicks.items[slot] = 0;
        auto* timer = new QTimer(this);
        timer->setObjectName(QStringLiteral("Timers_%1").arg(slot));
        timer->setInterval(x > 0 ? x : 1000);
        QObject::connect(timer, &QTimer::timeout, this, [this, slot] {
            lastTimer = Timers.names.items[slot];
            ++timerTicks.items[slot];
        });
        familySlots.controls.items[slot] = timer;
        familySlots.names.items[slot] = name;
        timer->start();
        break;
    }
    default:
        break;
    }
}

void TScreenForm::ControlAction(ControlFamily family, const AnsiString& name, int op, const AnsiString& text)
{
    ControlSlots& familySlots = SlotsOf(*this, family);
    const int slot = SlotOf(familySlots, name);
    if (slot < 0) return;
    if (op == 0) return Remove(familySlots, name);
    auto* widget = qobject_cast<QWidget*>(familySlots.controls.items[slot]);
    if (op == 1) {
        if (widget && widget->isEnabled() && widget->isVisible()) widget->setFocus();
        return;
    }
    if (auto* control = dynamic_cast<ProgramControl*>(widget)) return control->Action(op, text);
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        if (op != 10 && op != 11) return;
        button->setText(platform::toQString(text));
        if (op == 10) familySlots.names.items[slot] = text;
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        if (op == 2) list->clear();
        if (op == 10) list->addItem(platform::toQString(text));
        if (op == 11) {
            list->clear();
            list->addItems(platform::linesOf(text));
            list->setCurrentIndex(-1);
        }
        if (op == 10 || op == 11) SortItems(*list);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        if (op != 10) return;
        box->setText(platform::toQString(text));
        box->resize(text.empty() ? 15 : TextWidth(*box, text) + 20, box->height());
    }
}

void TScreenForm::SetControlProperty(ControlFamily family, const AnsiString& name, int op, int value)
{
    ControlSlots& familySlots = SlotsOf(*this, family);
    const int slot = SlotOf(familySlots, name);
    if (slot < 0) return;
    QObject* control = familySlots.controls.items[slot];
    if (auto* own = dynamic_cast<ProgramControl*>(control)) return own->SetProperty(op, value);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        if (op == 0) button->setEnabled(value != 0);
        if (op == 1) button->setVisible(value == 0);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        if (op == 0) {
            // A change by the program counts as a click, as on the screen.
            if (box->isChecked() != (value != 0)) lastCheckBox = name;
            box->setChecked(value != 0);
        }
        if (op == 1) box->setEnabled(value != 0);
        if (op == 2) box->setVisible(value == 0);
        if (op == 3) {
            QPalette colours = box->palette();
            colours.setColor(QPalette::Window, ToQColor(PaletteColor(value)));
            box->setPalette(colours);
        }
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        if (op == 0) list->setCurrentIndex(value == 0 ? -1 : ItemIndex(*list, value < 1 ? list->count() : value));
        if (op == 1) list->setEnabled(value != 0);
        if (op == 2) list->setVisible(value == 0);
        if (op == 3) {
            list->setProperty("sorted", value != 0);
            SortItems(*list);
        }
        if (op == 4 && ItemIndex(*list, value) >= 0) list->removeItem(ItemIndex(*list, value));
        if (op == 5) {
            QPalette colours = list->palette();
            colours.setColor(QPalette::Base, ToQColor(PaletteColor(value)));
            colours.setColor(QPalette::Button, ToQColor(PaletteColor(value)));
            list->setPalette(colours);
        }
    } else if (auto* timer = qobject_cast<QTimer*>(control)) {
        if (op == 0) {
            // Switching on starts the count afresh; a period of 0 or less never ticks.
            if (value != 0 && !timer->isActive()) timerTicks.items[slot] = 0;
            if (value != 0 && timer->interval() > 0)
                timer->start();
            else
                timer->stop();
            timer->setProperty("on", value != 0);
        }
        if (op == 1) {
            timer->stop();
            timer->setInterval(std::max(value, 0));
            timerTicks.items[slot] = 0;
            timer->setProperty("on", false);
        }
        if (op == 2) timerTicks.items[slot] = value;
    }
}

int TScreenForm::GetControlProperty(ControlFamily family, const AnsiString& name, int op)
{
    ControlSlots& familySlots = SlotsOf(*this, family);
    const int slot = SlotOf(familySlots, name);
    if (slot < 0) return 0;
    QObject* control = familySlots.controls.items[slot];
    if (auto* edit = dynamic_cast<EditBox*>(control); edit && op == 0) {
        // The flag waits while no box has the focus, so a program polling it
        // sees a change only once the user is editing.
        if (focusedEditName.empty()) return 0;
        return std::exchange(edit->changed, false);
    }
    if (auto* own = dynamic_cast<ProgramControl*>(control)) return own->Property(op);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        static const char codes[] = "ehxywHf";
        return op >= 0 && op < 7 ? Common(*button, codes[op]) : 0;
    }
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        if (op == 0) return box->isChecked();
        if (op == 3) return PaletteIndexOf(FromQColor(box->palette().color(QPalette::Window)));
        static const char codes[] = "?eh?xyf";
        return op >= 1 && op < 7 && op != 3 ? Common(*box, codes[op]) : 0;
    }
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        switch (op) {
        case 0:
            return list->currentIndex() + 1;
        case 3:
            return list->property("sorted").toBool();
        case 4:
            return list->count();
        case 5:
            return PaletteIndexOf(FromQColor(list->palette().color(QPalette::Base)));
        }
        static const char codes[] = "?eh???xywf";
        return op >= 1 && op < 10 ? Common(*list, codes[op]) : 0;
    }
    if (auto* timer = qobject_cast<QTimer*>(control)) {
        if (op == 0) return timer->isActive() || timer->property("on").toBool();
        if (op == 1) return timer->interval();
        if (op == 2) return timerTicks.items[slot];
    }
    return 0;
}

AnsiString TScreenForm::GetControlText(ControlFamily family, const AnsiString& name, int op, int n)
{
    ControlSlots& familySlots = SlotsOf(*this, family);
    const int slot = SlotOf(familySlots, name);
    if (slot < 0) return {};
    QObject* control = familySlots.controls.items[slot];
    if (auto* own = dynamic_cast<ProgramControl*>(control)) return own->Text(op, n);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        if (op == 0) return platform::fromQString(button->text());
        if (op == 1) return controls::FontText(*button, palette);
    }
    if (auto* box = qobject_cast<QCheckBox*>(control))
        if (op == 0) return platform::fromQString(box->text());
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        if (op == 0) return list->currentIndex() < 0 ? AnsiString() : platform::fromQString(list->currentText());
        if (op == 1) {
            AnsiString all;
            for (int k = 0; k < list->count(); ++k)
                all += platform::fromQString(list->itemText(k)) + "\r\n";
            return all;
        }
        if (op == 2)
            return ItemIndex(*list, n) < 0 ? AnsiString() : platform::fromQString(list->itemText(ItemIndex(*list, n)));
        if (op == 3) return controls::FontText(*list, palette);
    }
    return {};
}

void TScreenForm::SetControlDim(ControlFamily family, const AnsiString& name, int left, int top, int width, int height)
{
    ControlSlots& familySlots = SlotsOf(*this, family);
    const int slot = SlotOf(familySlots, name);
    if (slot < 0) return;
    auto* widget = qobject_cast<QWidget*>(familySlots.controls.items[slot]);
    if (!widget) return;
    const bool sizeToo = family != ControlFamily::CheckBox;
    if (family == ControlFamily::ListBox || family == ControlFamily::Slider) height = -1;
    const QRect r = widget->geometry();
    controls::PlaceControl(*widget, left >= 0 ? left : r.x(), top >= 0 ? top : r.y(),
        sizeToo && width >= 0 ? width : r.width(), sizeToo && height >= 0 ? height : r.height());
}

void TScreenForm::SetControlFont(
    ControlFamily family, const AnsiString& name, const AnsiString& fontName, int size, int style, int colour)
{
    const bool hasFont = family == ControlFamily::Button || family == ControlFamily::Edit
        || family == ControlFamily::ListBox || family == ControlFamily::RBGroup || family == ControlFamily::Memo;
    if (!hasFont) return;
    if (auto* widget = Find<QWidget>(SlotsOf(*this, family), name))
        controls::ChangeFont(*widget, palette, fontName, size, style, colour);
}
