#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/ProgramControl.h"

#include <QSlider>

#include <functional>

// A slider a program makes: tick marks above (or left of) the groove, a
// selection bar drawn over the groove, and a thumb that may be hidden. A
// vertical slider has its minimum at the top.
class Slider : public QSlider, public ProgramControl {
public:
    Slider(const ControlSurface& surface, const NewSlider& made);

    // Set by the screen: the position changed, by the user or the program.
    std::function<void()> onChange;

    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;
    void SetDimensions(int left, int top, int width, int height) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The selection bar follows the thumb while this is set.
    bool barFollows = false;
    bool thumbHidden = false;
    int barStart = 0;
    int barEnd = 0;
};
