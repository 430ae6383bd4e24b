#include "interpreter/EventThrottle.h"
#include "support/MemoryBound.h"

#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr auto tick = std::chrono::milliseconds(5);

class Ticker {
public:
    explicit Ticker(std::atomic<bool>& flag)
        : thread([this, &flag] {
            std::unique_lock<std::mutex> lock(mutex);
            while (!stopping) {
                wake.wait_for(lock, tick);
                flag.store(true, std::memory_order_relaxed);
                MemoryBound::Sample();
            }
        })
    {
        // Named from here, so that the name is there as soon as a run starts.
        pthread_setname_np(thread.native_handle(), EventThrottle::threadName);
    }
    ~Ticker()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        thread.join();
    }

private:
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::thread thread;
};

// The runs in progress and the ticker they share.
struct Runs {
    std::mutex mutex;
    int count = 0;
    std::unique_ptr<Ticker> ticker;
};

Runs& runs()
{
    // Never destroyed: a run still going when the process exits keeps it.
    static Runs* const all = new Runs;
    return *all;
}

} // namespace

EventThrottle::Running::Running()
{
    Runs& all = runs();
    std::lock_guard<std::mutex> lock(all.mutex);
    if (all.count++ == 0) {
        // The first statement of a run lets the window catch up at once.
        due.store(true, std::memory_order_relaxed);
        MemoryBound::Reset();
        all.ticker = std::make_unique<Ticker>(due);
    }
}

EventThrottle::Running::~Running()
{
    Runs& all = runs();
    std::lock_guard<std::mutex> lock(all.mutex);
    if (--all.count == 0) all.ticker.reset();
}
