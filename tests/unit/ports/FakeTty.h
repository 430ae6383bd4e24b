#pragma once

#include "devices/TtyControl.h"

#include <cerrno>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include <sys/ioctl.h>

// Modem lines and line errors for a pseudo-terminal, which has neither: the
// test sets the input lines and error counters, and reads what the component
// did to its output lines and the break as "DTR+ RTS- BRK+ ..." in `calls`.
// Output flow, flushing and sending ahead reach the real pty.
class FakeTty : public TtyControl {
public:
    std::function<void(const std::string& call)> onCall;

    void SetInputLines(int bits)
    {
        {
            std::lock_guard<std::mutex> guard(lock);
            inputs = bits;
            ++changes;
        }
        changed.notify_all();
    }
    void AddFrameError()
    {
        std::lock_guard<std::mutex> guard(lock);
        ++errors.frame;
        ++changes;
        changed.notify_all();
    }
    std::string Calls()
    {
        std::lock_guard<std::mutex> guard(lock);
        return calls;
    }

    bool GetModemLines(int, int& bits) override
    {
        std::lock_guard<std::mutex> guard(lock);
        bits = inputs | outputs;
        return true;
    }
    bool SetModemLine(int, int bit, bool on) override
    {
        std::string call = bit == TIOCM_DTR ? "DTR" : "RTS";
        call += on ? "+" : "-";
        {
            std::lock_guard<std::mutex> guard(lock);
            outputs = on ? (outputs | bit) : (outputs & ~bit);
            calls += call + " ";
        }
        if (onCall) onCall(call);
        return true;
    }
    bool WaitModemChange(int) override
    {
        std::unique_lock<std::mutex> guard(lock);
        const int seen = changes;
        changed.wait(guard, [&] { return changes != seen || interrupted; });
        if (interrupted) {
            interrupted = false;
            errno = EINTR;
            return false;
        }
        return true;
    }
    void InterruptWait(pthread_t) override
    {
        std::lock_guard<std::mutex> guard(lock);
        interrupted = true;
        changed.notify_all();
    }
    bool SetBreak(int, bool on) override
    {
        std::lock_guard<std::mutex> guard(lock);
        calls += on ? "BRK+ " : "BRK- ";
        return true;
    }
    bool GetLineErrors(int, LineErrorCounts& counts) override
    {
        std::lock_guard<std::mutex> guard(lock);
        counts = errors;
        return true;
    }

private:
    std::mutex lock;
    std::condition_variable changed;
    int inputs = 0;
    int outputs = 0;
    int changes = 0;
    bool interrupted = false;
    LineErrorCounts errors;
    std::string calls;
};
