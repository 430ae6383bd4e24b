#include "screen/ScreenForm.h"

#include "platform/AnsiText.h"
#include "screen/ScreenWidgets.h"
#include "screen/controls/EditBox.h"
#include "screen/controls/Memo.h"
#include "screen/controls/RadioGroup.h"
#include "screen/controls/Slider.h"
#include "screen/controls/Spinner.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <algorithm>
#include <climits>

// Creation of the families whose controls answer for their own properties:
// each control goes into the first empty slot of its family, gets its
// component name, font, colours and hint, and its handlers, which write the
// control's name into the family's last-event text.

namespace {

int TextWidth(const QWidget& widget, const AnsiString& text)
{
    return QFontMetrics(widget.font()).horizontalAdvance(platform::toQString(text));
}

void SetHint(QWidget& widget, const AnsiString& hint)
{
    if (!hint.empty()) widget.setToolTip(platform::toQString(hint));
}

} // namespace

void TScreenForm::AddEditBox(const AnsiString& name, const int* numbers, const AnsiString* texts)
{
    const int slot = EditBoxes.FreeSlot();
    auto* box = new EditBox(Image1, palette);
    box->setObjectName(QStringLiteral("EditBoxes_%1").arg(slot));
    // The initial text is no change: it is set before the handlers.
    const AnsiString& initial = texts[4];
    box->setText(platform::toQString(initial));
    box->changed = false;
    const int width = numbers[2] > 0 ? numbers[2] : initial.empty() ? 100 : TextWidth(*box, initial + "  ") + 8;
    controls::PlaceControl(*box, numbers[0], numbers[1], width, numbers[3] > 0 ? numbers[3] : box->sizeHint().height());
    // No hint text gives the usual advice, a single character none.
    const AnsiString& hint = texts[5];
    if (hint.empty())
        box->setToolTip(QStringLiteral(
            "You can enter data in this text box. Esc will cancel any editing. Enter will finish editing"));
    else if (hint.size() > 1)
        SetHint(*box, hint);
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
    EditBoxes.Place(slot, box, name);
    box->show();
}

void TScreenForm::AddRadioGroup(const AnsiString& name, const int* numbers, const AnsiString* texts)
{
    const int slot = RBGroups.FreeSlot();
    auto* group = new RadioGroup(Image1, palette);
    group->setObjectName(QStringLiteral("RBGroups_%1").arg(slot));
    // No caption text gives the name, a single space no caption.
    const AnsiString& caption = texts[5];
    group->setTitle(platform::toQString(caption.empty() ? name : caption == " " ? AnsiString() : caption));
    controls::SetBackColour(*group, canvas->brushColor);
    controls::SetTextColour(*group, canvas->penColor);
    group->SetProperty(5, numbers[4]);
    controls::PlaceControl(
        *group, numbers[0], numbers[1], numbers[2] > 0 ? numbers[2] : 100, numbers[3] > 0 ? numbers[3] : 100);
    group->SetButtons(texts[6]);
    SetHint(*group, texts[7]);
    group->onClick = [this, slot](RadioGroup::By by) {
        lastRBGroup = RBGroups.names.items[slot];
        if (by == RadioGroup::By::User) ReturnKeysToScreen();
    };
    RBGroups.Place(slot, group, name);
    group->show();
}
void TScreenForm::AddSlider(const AnsiString& name, const int* numbers, const AnsiString* texts)
{
    const int slot = Sliders.FreeSlot();
    const bool vertical = numbers[5] != 0;
    auto* slider = new Slider(Image1, vertical ? Qt::Vertical : Qt::Horizontal);
    slider->setObjectName(QStringLiteral("Sliders_%1").arg(slot));
    const int minimum = numbers[3], maximum = std::max(numbers[3], numbers[4]);
    slider->setRange(minimum, maximum);
    slider->setValue(minimum);
    const int range = static_cast<int>(std::min<long long>(INT_MAX, 0LL + maximum - minimum));
    slider->setTickInterval(numbers[6] < 0 ? range / 10 : numbers[6]);
    slider->setPageStep(numbers[7] <= 0 ? range / 5 : numbers[7]);
    // The given width is the slider's length, whichever way it lies.
    const int length = numbers[2] > 0 ? numbers[2] : 100;
    controls::PlaceControl(*slider, numbers[0], numbers[1], vertical ? 33 : length, vertical ? length : 33);
    SetHint(*slider, texts[8]);
    slider->onChange = [this, slot] { lastSlider = Sliders.names.items[slot]; };
    Sliders.Place(slot, slider, name);
    slider->show();
}
void TScreenForm::AddSpinner(const AnsiString& name, const int* numbers, const AnsiString* texts)
{
    const int slot = Spinners.FreeSlot();
    const bool horizontal = numbers[7] != 0;
    auto* spinner = new Spinner(Image1, horizontal ? Qt::Horizontal : Qt::Vertical);
    spinner->setObjectName(QStringLiteral("Spinners_%1").arg(slot));
    SpinnerSteps& steps = spinner->steps;
    steps.minimum = SpinnerSteps::Cut(numbers[4]);
    steps.maximum = SpinnerSteps::Cut(numbers[5]);
    steps.position = steps.minimum;
    if (numbers[6] > 1) steps.increment = SpinnerSteps::Cut(numbers[6]);
    steps.wrap = numbers[8] != 0;
    const int width = numbers[2] > 0 ? numbers[2] : horizontal ? 25 : 17;
    const int height = numbers[3] > 0 ? numbers[3] : horizontal ? 17 : 25;
    controls::PlaceControl(*spinner, numbers[0], numbers[1], width, height);
    SetHint(*spinner, texts[9]);
    spinner->onClick = [this, slot] { lastSpinner = Spinners.names.items[slot]; };
    Spinners.Place(slot, spinner, name);
    spinner->show();
}
void TScreenForm::AddMemo(const AnsiString& name, const int* numbers, const AnsiString* texts)
{
    const int slot = Memos.FreeSlot();
    auto* memo = new Memo(Image1, palette);
    memo->setObjectName(QStringLiteral("Memos_%1").arg(slot));
    controls::SetBackColour(*memo, canvas->brushColor);
    controls::SetTextColour(*memo, canvas->penColor);
    controls::PlaceControl(
        *memo, numbers[0], numbers[1], numbers[2] > 0 ? numbers[2] : 100, numbers[3] > 0 ? numbers[3] : 100);
    SetHint(*memo, texts[5]);
    Memos.Place(slot, memo, name);
    // The handler comes first: an initial text is already a change.
    memo->onChange = [this, slot] { lastMemo = Memos.names.items[slot]; };
    memo->Action(11, texts[4]);
    memo->show();
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
