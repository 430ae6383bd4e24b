#include "screen/ScreenForm.h"

#include "platform/AnsiText.h"
#include "screen/ScreenWidgets.h"
#include "screen/controls/EditBox.h"

#include <QFontMetrics>
#include <QLineEdit>

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
    box->setGeometry(numbers[0], numbers[1], width, numbers[3] > 0 ? numbers[3] : box->sizeHint().height());
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

void TScreenForm::AddRadioGroup(const AnsiString&, const int*, const AnsiString*) { }
void TScreenForm::AddSlider(const AnsiString&, const int*, const AnsiString*) { }
void TScreenForm::AddSpinner(const AnsiString&, const int*, const AnsiString*) { }
void TScreenForm::AddMemo(const AnsiString&, const int*, const AnsiString*) { }
void TScreenForm::SetMemoSelection(const AnsiString&, int, int, int) { }
void TScreenForm::SetMemoSelected(const AnsiString&, int, int) { }
