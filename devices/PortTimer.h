#pragma once

#include <atomic>
#include <functional>
#include <memory>

class QTimer;

// A timer on the event loop of the thread that made it. It runs only while
// it is enabled, its interval is not zero and a handler is set. Its
// properties may be set from any thread: the change reaches the timer
// through its thread's event loop. A handler that throws is ignored, as a
// timer has nobody to tell. With no event loop running it never fires.
class TqzTimer {
public:
    TqzTimer();
    ~TqzTimer();
    TqzTimer(const TqzTimer&) = delete;
    TqzTimer& operator=(const TqzTimer&) = delete;

    int Interval() const { return interval; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled; }
    void SetEnabled(bool on);
    void SetOnTimer(std::function<void()> handler);

private:
    std::atomic<int> interval { 1000 };
    std::atomic<bool> enabled { true };
    std::function<void()> onTimer;
    std::unique_ptr<QTimer> timer;
    void Update();
    void Fire();
};
