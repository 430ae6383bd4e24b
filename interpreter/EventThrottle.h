#pragma once

#include <atomic>

// Decides when the run loop lets window events be processed. Reading a clock on
// every statement would cost more than the statement itself, so a background
// ticker raises a flag every few milliseconds and the run loop only tests it:
// one relaxed atomic load per keyword statement.
//
// The ticker runs only while a program runs: between runs nothing in the
// process wakes up on its own.
class EventThrottle {
public:
    // True at most once per tick (5 ms); clears the flag.
    static bool Due()
    {
        if (!flag().load(std::memory_order_relaxed)) return false;
        flag().store(false, std::memory_order_relaxed);
        return true;
    }

    // Keeps the ticker going while it lives; runs may nest (the last one to
    // end stops it).
    class Running {
    public:
        Running();
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
    };

    // The name of the ticker's thread, as the system lists it.
    static constexpr const char* threadName = "qv-ticker";

private:
    // Read on every statement: a plain variable, with no accessor call or
    // guard for a local static in the way.
    static inline std::atomic<bool> due { true };
    static std::atomic<bool>& flag() { return due; }
};
