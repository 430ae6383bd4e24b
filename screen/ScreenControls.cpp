#include "screen/ScreenForm.h"

#include "interpreter/ControlPropertyTable.h"
#include "screen/ScreenWidgets.h"
#include "screen/controls/EditBox.h"
#include "screen/controls/ProgramControl.h"

#include <QLineEdit>
#include <QWidget>

#include <utility>
#include <variant>

// The controls a running program makes, each in the first empty slot of its
// family, found by the name the program gave it. Their handlers write the
// control's name into the family's last-event text, which the run loop polls
// and the getters read. Removing and focusing are the same for every family;
// each family's control answers for its own properties (ProgramControl).

namespace {

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

ProgramControl* FindControl(const ControlSlots& familySlots, const AnsiString& name)
{
    const int slot = SlotOf(familySlots, name);
    return slot < 0 ? nullptr : dynamic_cast<ProgramControl*>(familySlots.controls.items[slot]);
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

template <typename... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

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

void TScreenForm::AddControl(const NewControl& control)
{
    std::visit(Overloaded {
                   [this](const NewButton& made) { AddButton(made); },
                   [this](const NewEdit& made) { AddEdit(made); },
                   [this](const NewListBox& made) { AddListBox(made); },
                   [this](const NewRBGroup& made) { AddRBGroup(made); },
                   [this](const NewCheckBox& made) { AddCheckBox(made); },
                   [this](const NewSlider& made) { AddSlider(made); },
                   [this](const NewSpinner& made) { AddSpinner(made); },
                   [this](const NewMemo& made) { AddMemo(made); },
                   [this](const NewTimer& made) { AddTimer(made); },
               },
        control);
}

void TScreenForm::ControlAction(ControlProperty action, const AnsiString& name, const AnsiString& text)
{
    ControlSlots& familySlots = SlotsOf(*this, FamilyOf(action));
    const int slot = SlotOf(familySlots, name);
    if (slot < 0) return;
    const ControlPropertyKind kind = RowOf(action).kind;
    if (kind == ControlPropertyKind::Remove) return Remove(familySlots, name);
    QObject* control = familySlots.controls.items[slot];
    if (kind == ControlPropertyKind::Focus) {
        auto* widget = qobject_cast<QWidget*>(control);
        if (widget && widget->isEnabled() && widget->isVisible()) widget->setFocus();
        return;
    }
    if (auto* own = dynamic_cast<ProgramControl*>(control)) own->Action(action, text);
    // A button's new name is its caption and the name the program finds it by.
    if (action == ControlProperty::ButtonName) familySlots.names.items[slot] = text;
}

void TScreenForm::SetControlProperty(ControlProperty property, const AnsiString& name, int value)
{
    if (ProgramControl* control = FindControl(SlotsOf(*this, FamilyOf(property)), name))
        control->SetProperty(property, value);
}

int TScreenForm::GetControlProperty(ControlProperty property, const AnsiString& name)
{
    ProgramControl* control = FindControl(SlotsOf(*this, FamilyOf(property)), name);
    if (!control) return 0;
    if (auto* edit = dynamic_cast<EditBox*>(control); edit && property == ControlProperty::EditChanged) {
        // The flag waits while no box has the focus, so a program polling it
        // sees a change only once the user is editing.
        if (focusedEditName.empty()) return 0;
        return std::exchange(edit->changed, false);
    }
    return control->Property(property);
}

AnsiString TScreenForm::GetControlText(ControlProperty property, const AnsiString& name, int n)
{
    ProgramControl* control = FindControl(SlotsOf(*this, FamilyOf(property)), name);
    return control ? control->Text(property, n) : AnsiString();
}

void TScreenForm::SetControlDim(ControlFamily family, const AnsiString& name, int left, int top, int width, int height)
{
    if (ProgramControl* control = FindControl(SlotsOf(*this, family), name))
        control->SetDimensions(left, top, width, height);
}

void TScreenForm::SetControlFont(
    ControlFamily family, const AnsiString& name, const AnsiString& fontName, int size, int style, int colour)
{
    if (!FamilyHas(family, ControlPropertyKind::Font)) return;
    if (auto* widget = Find<QWidget>(SlotsOf(*this, family), name))
        controls::ChangeFont(*widget, palette, fontName, size, style, colour);
}
