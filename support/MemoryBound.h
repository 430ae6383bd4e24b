#pragma once

#include <atomic>
#include <cstddef>

// Keeps a run from taking the machine's memory. A runaway recursion that
// passes a long text down every level, or a loop that keeps growing arrays,
// would otherwise grow until the system kills the whole environment with it.
//
// While a program runs, the event ticker samples the process's resident size
// (a few microseconds every tick); the run reads the alarm only when it lets
// the window catch up, once a tick after a keyword statement. Past the bound
// the run meets error 73 ("Could Not Create Memory for Operation"), as an
// allocation that fails does, at most once a tick so that an error handler
// still gets to run. While the alarm stands no large text is built (the text
// functions and joins fail as on a text past its bound), so that a single
// statement cannot pile up many of them before the run sees it. Once the
// program has met the error, a later alarm with no sample within the bound in
// between, or one past half as much again, ends the run with that error even
// when the program traps errors: a handler that carries on cannot keep it
// alive.
class MemoryBound {
public:
    enum class Alarm : int { None, Passed, FarPassed };

    // The bound of the process's resident size while a program runs, in
    // bytes; 0 restores the default.
    static void SetLimit(std::size_t bytes);
    static std::size_t Limit();
    // Half the machine's memory, at most 4 GiB.
    static std::size_t DefaultLimit();

    // The process's resident size now, in bytes (0 when it cannot be read).
    static std::size_t ResidentBytes();

    // The ticker's side: compares the resident size with the bound.
    static void Sample();
    // Forgets an alarm left from an earlier run.
    static void Reset()
    {
        alarm.store(static_cast<int>(Alarm::None), std::memory_order_relaxed);
        recovered.store(false, std::memory_order_relaxed);
    }
    // Whether a sample found the memory within the bound since the last
    // call; clears it.
    static bool TakeRecovered() { return recovered.exchange(false, std::memory_order_relaxed); }

    // The run's side: one relaxed load.
    static bool Raised() { return alarm.load(std::memory_order_relaxed) != 0; }
    // The alarm, cleared: the next needs a new sample past the bound.
    static Alarm Take() { return static_cast<Alarm>(alarm.exchange(0, std::memory_order_relaxed)); }

private:
    static inline std::atomic<int> alarm { 0 };
    static inline std::atomic<bool> recovered { false };
};
