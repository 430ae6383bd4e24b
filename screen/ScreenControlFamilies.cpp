#include "screen/ScreenForm.h"

#include "platform/AnsiText.h"
#include "screen/ScreenWidgets.h"
#include "screen/controls/Button.h"
#include "screen/controls/CheckBox.h"
#include "screen/controls/EditBox.h"
#include "screen/controls/ListBox.h"
#include "screen/controls/Memo.h"
#include "screen/controls/RadioGroup.h"
#include "screen/controls/Slider.h"
#include "screen/controls/Spinner.h"
#include "screen/controls/Timer.h"

// Creation: each family's control is made from its creation struct, goes
// into the first empty slot of its family with its component name (the
// family's prefix and the slot), and gets its handlers, which write the
// control's name into the family's last-event text.

namespace {

ControlSurface SurfaceOf(TScreenForm& form)
{
    return { form.Image1, form.palette, form.canvas->brushColor, form.canvas->penColor, form.canvas->fontColor };
}

QString ComponentName(const char* prefix, int slot)
{
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(slot);
}

} // namespace

void TScreenForm::AddButton(const NewButton& made)
{
    const int slot = Buttons.FreeSlot();
    auto* button = new Button(SurfaceOf(*this), made);
    button->setObjectName(ComponentName("Buttons_", slot));
    button->onClick = [this, slot] {
        lastButton = Buttons.names.items[slot];
        ReturnKeysToScreen();
    };
    Buttons.Place(slot, button, made.name);
    button->show();
}

void TScreenForm::AddEdit(const NewEdit& made)
{
    const int slot = EditBoxes.FreeSlot();
    auto* box = new EditBox(SurfaceOf(*this), made);
    box->setObjectName(ComponentName("EditBoxes_", slot));
    const QString component = box->objectName();
    box->onChange = [this, slot] { lastEdit = EditBoxes.names.items[slot]; };
    box->onEnter = [this, box, component] {
        editTextOnEnter = platform::fromQString(box->text());
        focusedEditName = platform::fromQString(component);
    };
    box->onExit = [this] { focusedEditName.clear(); };
    box->onFinish = [this, box](EditBox::Finish how) {
        if (how == EditBox::Finish::Escape) box->setText(platform::toQString(editTextOnEnter));
        ReturnKeysToScreen();
    };
    EditBoxes.Place(slot, box, made.name);
    box->show();
}

void TScreenForm::AddListBox(const NewListBox& made)
{
    const int slot = ListBoxes.FreeSlot();
    auto* box = new ListBox(SurfaceOf(*this), made);
    box->setObjectName(ComponentName("ListBoxes_", slot));
    box->onChoice = [this, slot] {
        lastListBox = ListBoxes.names.items[slot];
        ReturnKeysToScreen();
    };
    ListBoxes.Place(slot, box, made.name);
    box->show();
}

void TScreenForm::AddRBGroup(const NewRBGroup& made)
{
    const int slot = RBGroups.FreeSlot();
    auto* group = new RadioGroup(SurfaceOf(*this), made);
    group->setObjectName(ComponentName("RBGroups_", slot));
    group->onClick = [this, slot](RadioGroup::By by) {
        lastRBGroup = RBGroups.names.items[slot];
        if (by == RadioGroup::By::User) ReturnKeysToScreen();
    };
    RBGroups.Place(slot, group, made.name);
    group->show();
}

void TScreenForm::AddCheckBox(const NewCheckBox& made)
{
    const int slot = CheckBoxes.FreeSlot();
    auto* box = new CheckBox(SurfaceOf(*this), made);
    box->setObjectName(ComponentName("CheckBoxes_", slot));
    box->onClick = [this, slot](CheckBox::By by) {
        lastCheckBox = CheckBoxes.names.items[slot];
        if (by == CheckBox::By::User) ReturnKeysToScreen();
    };
    CheckBoxes.Place(slot, box, made.name);
    box->show();
}

void TScreenForm::AddSlider(const NewSlider& made)
{
    const int slot = Sliders.FreeSlot();
    auto* slider = new Slider(SurfaceOf(*this), made);
    slider->setObjectName(ComponentName("Sliders_", slot));
    slider->onChange = [this, slot] { lastSlider = Sliders.names.items[slot]; };
    Sliders.Place(slot, slider, made.name);
    slider->show();
}

void TScreenForm::AddSpinner(const NewSpinner& made)
{
    const int slot = Spinners.FreeSlot();
    auto* spinner = new Spinner(SurfaceOf(*this), made);
    spinner->setObjectName(ComponentName("Spinners_", slot));
    spinner->onClick = [this, slot] { lastSpinner = Spinners.names.items[slot]; };
    Spinners.Place(slot, spinner, made.name);
    spinner->show();
}

void TScreenForm::AddMemo(const NewMemo& made)
{
    const int slot = Memos.FreeSlot();
    auto* memo = new Memo(SurfaceOf(*this), made);
    memo->setObjectName(ComponentName("Memos_", slot));
    Memos.Place(slot, memo, made.name);
    // The handler comes first: an initial text is already a change.
    memo->onChange = [this, slot] { lastMemo = Memos.names.items[slot]; };
    memo->Action(ControlProperty::MemoText, made.text);
    memo->show();
}

void TScreenForm::AddTimer(const NewTimer& made)
{
    const int slot = Timers.FreeSlot();
    auto* timer = new Timer(this, made);
    timer->setObjectName(ComponentName("Timers_", slot));
    timer->onTick = [this, slot] { lastTimer = Timers.names.items[slot]; };
    Timers.Place(slot, timer, made.name);
}

// Both selections focus the memo afterwards, when it can take the focus.
static void FocusMemo(Memo& memo)
{
    if (memo.isEnabled() && memo.isVisible()) memo.setFocus();
}

static Memo* FindMemo(const ControlSlots& memos, const AnsiString& name)
{
    for (int k = 0; k < memos.controls.capacity; ++k)
        if (memos.controls.items[k] && memos.names.items[k] == name)
            return dynamic_cast<Memo*>(memos.controls.items[k]);
    return nullptr;
}

void TScreenForm::SetMemoSelection(const AnsiString& name, int line, int column, int length)
{
    if (Memo* memo = FindMemo(Memos, name)) {
        memo->SelectLineColumn(line, column, length);
        FocusMemo(*memo);
    }
}

void TScreenForm::SetMemoSelected(const AnsiString& name, int position, int length)
{
    if (Memo* memo = FindMemo(Memos, name)) {
        memo->SelectPosition(position, length);
        FocusMemo(*memo);
    }
}
