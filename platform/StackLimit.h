#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

namespace detail {
// The calling thread's lowest usable stack address, found on its first use;
// 0 until then, 1 when it cannot be found. Needs no initialisation guard, so
// that the check below, made for every expression evaluated, stays inline.
extern thread_local constinit std::uintptr_t stackLow;
std::uintptr_t FindStackLowOnce();
} // namespace detail

// How many bytes of native stack the calling thread has left below the
// caller's frame (stacks grow downwards on every platform we build for).
// Recursion over program text checks it, so that a nesting depth that a
// larger frame size (a sanitizer build) or a smaller stack (a thread) cannot
// hold ends in a run-time error instead of a crash. Answers a very large
// number when the limit cannot be found.
inline size_t StackHeadroom()
{
    std::uintptr_t low = detail::stackLow;
    if (low == 0) [[unlikely]]
        low = detail::FindStackLowOnce();
    if (low == 1) return static_cast<size_t>(-1);
    // The frame address, not a local's: a sanitizer may keep locals elsewhere.
    const auto position = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    return position > low ? position - low : 0;
}

} // namespace platform
