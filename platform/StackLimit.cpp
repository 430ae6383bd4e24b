#include "platform/StackLimit.h"

#include <pthread.h>

#include <cstdint>

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

thread_local constinit std::uintptr_t detail::stackLow = 0;

std::uintptr_t detail::FindStackLowOnce()
{
    const uintptr_t low = FindStackLow();
    stackLow = low == 0 ? 1 : low;
    return stackLow;
}

} // namespace platform
