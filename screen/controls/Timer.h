#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/ProgramControl.h"

#include <QTimer>

#include <functional>

// A timer a program makes: it runs from its creation and counts its ticks
// until it is switched off, re-timed or removed.
class Timer : public QTimer, public ProgramControl {
public:
    Timer(QObject* owner, const NewTimer& made);

    // Set by the screen: the timer ticked (after the count went up).
    std::function<void()> onTick;

    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;

private:
    int ticks = 0;
    // Switched on by the program: on even while a period of 0 keeps it from
    // running.
    bool on = false;
};
