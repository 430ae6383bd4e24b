#include "support/MemoryBound.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace {

std::atomic<std::size_t> limit { 0 };

} // namespace

void MemoryBound::SetLimit(std::size_t bytes)
{
    limit.store(bytes, std::memory_order_relaxed);
}

std::size_t MemoryBound::Limit()
{
    const std::size_t set = limit.load(std::memory_order_relaxed);
    return set != 0 ? set : DefaultLimit();
}

std::size_t MemoryBound::DefaultLimit()
{
    static const std::size_t computed = [] {
        constexpr std::size_t cap = std::size_t { 4 } << 30;
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        if (pages <= 0 || pageSize <= 0) return cap;
        return std::min(cap, static_cast<std::size_t>(pages) / 2 * static_cast<std::size_t>(pageSize));
    }();
    return computed;
}

std::size_t MemoryBound::ResidentBytes()
{
    // The sizes of this moment, in pages (the second is the resident set).
    // Opened afresh each time: a run leaves no descriptor behind.
    const int descriptor = open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return 0;
    char text[128];
    const ssize_t length = read(descriptor, text, sizeof text - 1);
    close(descriptor);
    if (length <= 0) return 0;
    text[length] = 0;
    char* rest = nullptr;
    std::strtoull(text, &rest, 10); // the whole size
    const unsigned long long resident = std::strtoull(rest, nullptr, 10);
    static const long pageSize = sysconf(_SC_PAGESIZE);
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(pageSize);
}

void MemoryBound::Sample()
{
    const std::size_t resident = ResidentBytes();
    const std::size_t bound = Limit();
    if (resident <= bound) {
        recovered.store(true, std::memory_order_relaxed);
        return;
    }
    const Alarm state = resident - bound > bound / 2 ? Alarm::FarPassed : Alarm::Passed;
    // A far alarm not yet taken is not weakened by a later sample.
    int current = alarm.load(std::memory_order_relaxed);
    while (current < static_cast<int>(state)
        && !alarm.compare_exchange_weak(current, static_cast<int>(state), std::memory_order_relaxed)) { }
}
