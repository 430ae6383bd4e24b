#include "interpreter/EventThrottle.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

constexpr auto tick = std::chrono::milliseconds(5);

// The ticker thread lives until the program exits; its destructor stops it so
// that no thread outlives the static objects it touches.
class Ticker {
public:
    explicit Ticker(std::atomic<bool>& flag)
        : thread([this, &flag] {
            std::unique_lock<std::mutex> lock(mutex);
            while (!stopping) {
                wake.wait_for(lock, tick);
                flag.store(true, std::memory_order_relaxed);
            }
        })
    { }
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

} // namespace

void EventThrottle::Start()
{
    static Ticker ticker(flag());
}
