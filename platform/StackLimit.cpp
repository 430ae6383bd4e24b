#include "platform/StackLimit.h"

#include <pthread.h>

#include <cstdint>
#include <limits>

namespace platform {

namespace {

// The lowest usable address of the calling thread's stack; 0 when unknown.
uintptr_t FindStackLow()
{
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0) return 0;
    void* low = nullptr;
    size_t size = 0;
    const bool found = pthread_attr_getstack(&attributes, &low, &size) == 0;
    size_t guard = 0;
    pthread_attr_getguardsize(&attributes, &guard);
    pthread_attr_destroy(&attributes);
    if (!found || low == nullptr) return 0;
    return reinterpret_cast<uintptr_t>(low) + guard;
}

} // namespace

size_t StackHeadroom()
{
    thread_local const uintptr_t low = FindStackLow();
    if (low == 0) return std::numeric_limits<size_t>::max();
    // The frame address, not a local's: a sanitizer may keep locals elsewhere.
    const auto position = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    return position > low ? position - low : 0;
}

} // namespace platform
