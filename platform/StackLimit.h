#pragma once

#include <cstddef>

namespace platform {

// How many bytes of native stack the calling thread has left below the
// caller's frame (stacks grow downwards on every platform we build for).
// Recursion over program text checks it, so that a nesting depth that a
// larger frame size (a sanitizer build) or a smaller stack (a thread) cannot
// hold ends in a run-time error instead of a crash. Answers a very large
// number when the limit cannot be found.
size_t StackHeadroom();

} // namespace platform
