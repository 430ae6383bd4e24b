#pragma once

#include "base/Values.h"

#include <cstdarg>
#include <cstdint>
#include <mutex>

// General helpers of the port library.

// printf-style formatting into a text of any length.
AnsiString FormatText(const char* format, va_list arguments);
AnsiString FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The system's message for the last error of this thread (errno).
AnsiString GetLastSysErrorString();
// The system's message for an error number.
AnsiString SysErrorString(int error);

// The octal text of an unsigned number ("0" for 0) and back. OctToInt reads
// octal digits from the start and stops at the first other character; a
// value beyond 32 bits keeps its low 32 bits.
AnsiString IntToOct(uint32_t value);
uint32_t OctToInt(const AnsiString& text);

// A critical section: one thread at a time, and the holder may enter again.
class TCriticalSection {
public:
    void Enter() { lock.lock(); }
    void Leave() { lock.unlock(); }

private:
    std::recursive_mutex lock;
};

// The one section of the process that the port threads share.
void qzEnterThreadCritical();
void qzLeaveThreadCritical();

template <typename T> void FreeAndNil(T*& object)
{
    T* held = object;
    object = nullptr;
    delete held;
}
