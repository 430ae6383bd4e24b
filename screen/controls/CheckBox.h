#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/ProgramControl.h"

#include <QCheckBox>

#include <functional>

// A check box a program makes, its caption right of the box or left of it.
// Its width fits the caption.
class CheckBox : public QCheckBox, public ProgramControl {
public:
    CheckBox(const ControlSurface& surface, const NewCheckBox& made);

    // Set by the screen: the box was clicked, or the program changed its
    // state, which counts as a click but leaves the keys where they are.
    enum class By { User, Program };
    std::function<void(By)> onClick;

    void Action(ControlProperty action, const AnsiString& text) override;
    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;
    void SetDimensions(int left, int top, int width, int height) override;
    AnsiString Text(ControlProperty property, int n) const override;

private:
    void FitCaption(const AnsiString& caption);

    const Palette& palette;
};
