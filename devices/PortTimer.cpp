#include "devices/PortTimer.h"

#include <QThread>
#include <QTimer>

TqzTimer::TqzTimer()
    : timer(std::make_unique<QTimer>())
{
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [this] { Fire(); });
}

TqzTimer::~TqzTimer() = default;

void TqzTimer::SetInterval(int ms)
{
    interval = ms < 0 ? 0 : ms;
    Update();
}

void TqzTimer::SetEnabled(bool on)
{
    enabled = on;
    Update();
}

void TqzTimer::SetOnTimer(std::function<void()> handler)
{
    onTimer = std::move(handler);
    Update();
}

void TqzTimer::Update()
{
    const bool run = enabled && interval > 0 && onTimer;
    const int ms = interval;
    QTimer* target = timer.get();
    auto apply = [target, run, ms] {
        if (run)
            target->start(ms);
        else
            target->stop();
    };
    if (QThread::currentThread() == target->thread())
        apply();
    else
        QMetaObject::invokeMethod(target, apply, Qt::QueuedConnection);
}

void TqzTimer::Fire()
{
    if (!onTimer) return;
    try {
        onTimer();
    } catch (...) { }
}
