#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/ProgramControl.h"

#include <QPushButton>

#include <functional>

// A push button a program makes. Its caption starts as its name; renaming it
// changes both, which the screen keeps in the button's slot.
class Button : public QPushButton, public ProgramControl {
public:
    Button(const ControlSurface& surface, const NewButton& made);

    // Set by the screen: the user clicked the button.
    std::function<void()> onClick;

    void Action(ControlProperty action, const AnsiString& text) override;
    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;
    void SetDimensions(int left, int top, int width, int height) override;
    AnsiString Text(ControlProperty property, int n) const override;

private:
    const Palette& palette;
};
