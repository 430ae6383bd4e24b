#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/EditRules.h"
#include "screen/controls/ProgramControl.h"

#include <QLineEdit>

#include <functional>

class Palette;

// A one-line edit box a program makes. Typed keys may be filtered to an
// integer or a floating-point number, or shaped by an edit mask. Esc and Enter
// finish the editing (Esc first puts the text back) and go no further.
class EditBox : public QLineEdit, public ProgramControl {
public:
    EditBox(const ControlSurface& surface, const NewEdit& made);
    ~EditBox() override;

    enum class Finish { Enter, Escape };
    // Set by the screen: the text changed (by typing or by the program), the
    // box took or lost the focus, Esc or Enter was pressed.
    std::function<void()> onChange;
    std::function<void()> onEnter;
    std::function<void()> onExit;
    std::function<void(Finish)> onFinish;

    // Set by a change, cleared by reading it through property 0.
    bool changed = false;

    void Action(ControlProperty action, const AnsiString& text) override;
    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;
    void SetDimensions(int left, int top, int width, int height) override;
    AnsiString Text(ControlProperty property, int n) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class Filter { Plain, Integer, Float };
    // The text typing `key` would leave.
    std::string TextWithKey(char key) const;
    bool Accepts(char key) const;

    const Palette& palette;
    Filter filter = Filter::Plain;
    edit_rules::EditMask mask;
};
