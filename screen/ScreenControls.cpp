#include "screen/ScreenForm.h"

#include "platform/AnsiText.h"
#include "screen/ScreenWidgets.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

// The controls a running program makes: buttons, check boxes and timers, each
// in the first empty slot of its family, found by the name the program gave
// it. Their handlers write the control's name into the family's last-event
// text, which the run loop polls and the getters read.

namespace {

QColor ToQColor(int windowsColor)
{
    const auto c = static_cast<unsigned>(windowsColor);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

int FromQColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

// The first empty slot, the arrays grown when every slot is used.
int FreeSlot(ControlSlots& familySlots)
{
    for (int k = 0; k < familySlots.controls.capacity; ++k)
        if (!familySlots.controls.items[k]) return k;
    const int slot = familySlots.controls.capacity;
    familySlots.controls.EnsureIndex(slot);
    familySlots.names.EnsureIndex(slot);
    return slot;
}

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

// Keys reach the screen again after a click: the focus goes to the hidden edit.
static void ReturnFocus(TScreenForm& form)
{
    if (form.DummyEdit) form.DummyEdit->setFocus();
    if (form.InputEditBox_00) form.InputEditBox_00->deselect();
}

void TScreenForm::AddControl(ControlFamily family, const AnsiString& name, const int* numbers, const AnsiString* texts)
{
    ControlSlots& familySlots = SlotsOf(*this, family);
    const int x = numbers[0], y = numbers[1];
    switch (family) {
    case ControlFamily::Button: {
        const int slot = FreeSlot(familySlots);
        auto* button = new QPushButton(platform::toQString(name), Image1);
        button->setObjectName(QStringLiteral("Buttons_%1").arg(slot));
        button->setFocusPolicy(Qt::StrongFocus);
        const int width = numbers[2] > 0 ? numbers[2] : TextWidth(*button, name + "  ") + 8;
        const int height = numbers[3] > 0 ? numbers[3] : button->sizeHint().height();
        button->setGeometry(x, y, width, height);
        if (!texts[4].empty()) button->setToolTip(platform::toQString(texts[4]));
        QObject::connect(button, &QPushButton::clicked, this, [this, slot] {
            lastButton = Buttons.names.items[slot];
            ReturnFocus(*this);
        });
        familySlots.controls.items[slot] = button;
        familySlots.names.items[slot] = name;
        button->show();
        break;
    }
    case ControlFamily::CheckBox: {
        const int slot = FreeSlot(familySlots);
        // Two or more characters are the caption, a single space none, anything
        // shorter the name.
        const AnsiString& given = texts[2];
        const AnsiString caption = given.size() >= 2 ? given : given == " " ? AnsiString() : name;
        auto* box = new QCheckBox(platform::toQString(caption), Image1);
        box->setObjectName(QStringLiteral("CheckBoxes_%1").arg(slot));
        box->setChecked(numbers[3] != 0);
        if (numbers[4] != 0) box->setLayoutDirection(Qt::RightToLeft);
        QPalette colours = box->palette();
        colours.setColor(QPalette::Window, ToQColor(canvas->brushColor));
        colours.setColor(QPalette::WindowText, ToQColor(canvas->fontColor));
        box->setPalette(colours);
        box->setAutoFillBackground(true);
        const int width = caption.empty() ? 15 : TextWidth(*box, caption) + 20;
        box->setGeometry(x, y, width, box->sizeHint().height());
        if (!texts[5].empty()) box->setToolTip(platform::toQString(texts[5]));
        QObject::connect(box, &QCheckBox::clicked, this, [this, slot] {
            lastCheckBox = CheckBoxes.names.items[slot];
            ReturnFocus(*this);
        });
        familySlots.controls.items[slot] = box;
        familySlots.names.items[slot] = name;
        box->show();
        break;
    }
    case ControlFamily::Timer: {
        const int slot = FreeSlot(familySlots);
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
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        if (op != 10 && op != 11) return;
        button->setText(platform::toQString(text));
        if (op == 10) familySlots.names.items[slot] = text;
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
    if (auto* timer = qobject_cast<QTimer*>(control)) {
        if (op == 0) return timer->isActive() || timer->property("on").toBool();
        if (op == 1) return timer->interval();
        if (op == 2) return timerTicks.items[slot];
    }
    return 0;
}

AnsiString TScreenForm::GetControlText(ControlFamily family, const AnsiString& name, int op, int)
{
    ControlSlots& familySlots = SlotsOf(*this, family);
    const int slot = SlotOf(familySlots, name);
    if (slot < 0) return {};
    QObject* control = familySlots.controls.items[slot];
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        if (op == 0) return platform::fromQString(button->text());
        if (op == 1) {
            const QFont font = button->font();
            const int style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0);
            const int colour = PaletteIndexOf(FromQColor(button->palette().color(QPalette::ButtonText)));
            return platform::fromQString(font.family()) + "\r\n" + std::to_string(font.pointSize()) + "\r\n"
                + std::to_string(style) + "\r\n" + std::to_string(colour);
        }
    }
    if (auto* box = qobject_cast<QCheckBox*>(control))
        if (op == 0) return platform::fromQString(box->text());
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
    QRect r = widget->geometry();
    if (left >= 0) r.moveLeft(left);
    if (top >= 0) r.moveTop(top);
    if (sizeToo && width >= 0) r.setWidth(width);
    if (sizeToo && height >= 0) r.setHeight(height);
    widget->setGeometry(r);
}

void TScreenForm::SetControlFont(
    ControlFamily family, const AnsiString& name, const AnsiString& fontName, int size, int style, int colour)
{
    if (family != ControlFamily::Button) return;
    auto* button = Find<QPushButton>(Buttons, name);
    if (!button) return;
    QFont font = button->font();
    if (!fontName.empty()) font.setFamily(platform::toQString(fontName));
    if (colour >= 0) {
        QPalette colours = button->palette();
        colours.setColor(QPalette::ButtonText, ToQColor(PaletteColor(colour)));
        button->setPalette(colours);
    }
    if (size > 0) font.setPointSize(std::min(size, 1000));
    if (style >= 0) {
        font.setBold(style & 1);
        font.setItalic(style & 2);
        font.setUnderline(style & 4);
    }
    button->setFont(font);
}
