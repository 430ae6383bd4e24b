#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/ProgramControl.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class QToolButton;

// The stepping of a spinner, apart from its widget. Minimum, maximum, position
// and increment are 16-bit values: a larger number keeps its low 16 bits. The
// up arrow steps toward the maximum (which may lie below the minimum); past
// the end the position stops there, or with wrapping jumps to the other end.
struct SpinnerSteps {
    int16_t minimum = 0;
    int16_t maximum = 100;
    int16_t position = 0;
    int16_t increment = 1;
    bool wrap = false;

    static int16_t Cut(int value) { return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF)); }
    void SetPosition(int value);
    // One step up (toward the maximum) or down.
    enum class Direction { Up, Down };
    void Step(Direction direction);
};

// A spinner a program makes: two arrow buttons that repeat while held, up and
// down, or right and left when it lies horizontally.
class Spinner : public QWidget, public ProgramControl {
public:
    Spinner(const ControlSurface& surface, const NewSpinner& made);

    // Set by the screen: an arrow was clicked (not run by the program's changes).
    std::function<void()> onClick;

    SpinnerSteps steps;

    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;
    void SetDimensions(int left, int top, int width, int height) override;

    QToolButton* UpButton() const { return up; }
    QToolButton* DownButton() const { return down; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Click(SpinnerSteps::Direction direction);

    Qt::Orientation orientation;
    QToolButton* up;
    QToolButton* down;
};
