#include "screen/controls/Timer.h"

#include <algorithm>

Timer::Timer(QObject* owner, const NewTimer& made)
    : QTimer(owner)
{
    setInterval(made.period > 0 ? made.period : 1000);
    connect(this, &QTimer::timeout, this, [this] {
        ++ticks;
        if (onTick) onTick();
    });
    start();
}

void Timer::SetProperty(ControlProperty property, int value)
{
    switch (property) {
    case ControlProperty::TimerOn:
        // Switching on starts the count afresh; a period of 0 or less never ticks.
        if (value != 0 && !isActive()) ticks = 0;
        if (value != 0 && interval() > 0)
            start();
        else
            stop();
        on = value != 0;
        break;
    case ControlProperty::TimerPeriod:
        stop();
        setInterval(std::max(value, 0));
        ticks = 0;
        on = false;
        break;
    case ControlProperty::TimerTicks:
        ticks = value;
        break;
    default:
        break;
    }
}

int Timer::Property(ControlProperty property) const
{
    switch (property) {
    case ControlProperty::TimerOn:
        return isActive() || on;
    case ControlProperty::TimerPeriod:
        return interval();
    case ControlProperty::TimerTicks:
        return ticks;
    default:
        return 0;
    }
}
