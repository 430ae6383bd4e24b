#include "devices/PortIoHelpers.h"

#include "devices/ComPortMap.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// What is left of a wait of ms (-1: no limit) that started at `start`.
int Left(int ms, Clock::time_point start)
{
    if (ms < 0) return -1;
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    return spent >= ms ? 0 : static_cast<int>(ms - spent);
}

// Waits for the descriptor to take or give bytes; false on time-out or failure.
bool Ready(int fd, short events, int ms)
{
    pollfd p { fd, events, 0 };
    for (;;) {
        const int n = poll(&p, 1, ms);
        if (n < 0 && errno == EINTR) continue;
        return n > 0 && (p.revents & events) && !(p.revents & (POLLERR | POLLNVAL));
    }
}

// The one write under way.
struct PendingWrite {
    std::mutex lock;
    std::condition_variable changed;
    std::thread worker;
    int fd = -1;
    bool busy = false;
    bool cancelled = false;
    bool completed = true;
    ~PendingWrite()
    {
        {
            std::lock_guard<std::mutex> guard(lock);
            cancelled = true;
        }
        if (worker.joinable()) worker.join();
    }
};

PendingWrite& Pending()
{
    static PendingWrite pending;
    return pending;
}

void FinishWrite(int fd, std::string bytes)
{
    PendingWrite& pending = Pending();
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        {
            std::lock_guard<std::mutex> guard(pending.lock);
            if (pending.cancelled) {
                ok = false;
                break;
            }
        }
        // Short slices, so that a cancel is seen soon.
        if (!Ready(fd, POLLOUT, 10)) {
            pollfd p { fd, POLLOUT, 0 };
            if (poll(&p, 1, 0) >= 0 && (p.revents & (POLLERR | POLLNVAL | POLLHUP))) {
                ok = false;
                break;
            }
            continue;
        }
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    std::lock_guard<std::mutex> guard(pending.lock);
    pending.busy = false;
    pending.completed = ok;
    pending.changed.notify_all();
}

} // namespace

AnsiString ComPortToStr(unsigned number)
{
    return "COM" + std::to_string(number);
}

int OpenPort(int number)
{
    const std::string path = ComPortPath(number);
    if (path.empty()) return -1;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    ioctl(fd, TIOCEXCL);
    // A port passes bytes as they are: no line editing, no echo back to the
    // device, no translations. The speed stays as it was.
    termios line {};
    if (tcgetattr(fd, &line) == 0) {
        cfmakeraw(&line);
        line.c_cflag |= CREAD | CLOCAL;
        tcsetattr(fd, TCSANOW, &line);
    }
    return fd;
}

void ClosePort(int fd)
{
    if (fd >= 0) ::close(fd);
}

bool WriteSync(int fd, const char* buffer, size_t n, int ms)
{
    if (fd < 0 || (buffer == nullptr && n > 0)) return false;
    const auto start = Clock::now();
    size_t done = 0;
    while (done < n) {
        if (!Ready(fd, POLLOUT, Left(ms, start))) return false;
        const ssize_t written = ::write(fd, buffer + done, n - done);
        if (written < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

bool ReadSync(int fd, char* buffer, size_t n, size_t& got, int ms)
{
    got = 0;
    if (fd < 0 || (buffer == nullptr && n > 0)) return false;
    const auto start = Clock::now();
    while (got < n) {
        if (!Ready(fd, POLLIN, Left(ms, start))) return false;
        const ssize_t read = ::read(fd, buffer + got, n - got);
        if (read < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (read <= 0) return false;
        got += static_cast<size_t>(read);
    }
    return true;
}

bool WriteAsync(int fd, const char* buffer, size_t n)
{
    if (fd < 0 || (buffer == nullptr && n > 0)) return false;
    PendingWrite& pending = Pending();
    std::unique_lock<std::mutex> lock(pending.lock);
    pending.changed.wait(lock, [&] { return !pending.busy; });
    if (pending.worker.joinable()) pending.worker.join();
    ssize_t written = ::write(fd, buffer, n);
    if (written < 0 && errno != EAGAIN && errno != EINTR) return false;
    if (written < 0) written = 0;
    pending.fd = fd;
    pending.cancelled = false;
    if (static_cast<size_t>(written) == n) {
        pending.completed = true;
        return true;
    }
    pending.busy = true;
    pending.completed = false;
    pending.worker = std::thread(FinishWrite, fd, std::string(buffer + written, n - static_cast<size_t>(written)));
    return true;
}

bool WaitForIOCompletion(int ms)
{
    PendingWrite& pending = Pending();
    std::unique_lock<std::mutex> lock(pending.lock);
    const auto idle = [&] { return !pending.busy; };
    if (ms < 0)
        pending.changed.wait(lock, idle);
    else if (!pending.changed.wait_for(lock, std::chrono::milliseconds(ms), idle))
        return false;
    if (pending.worker.joinable()) pending.worker.join();
    return pending.completed;
}

int qzCancelIO(int fd)
{
    PendingWrite& pending = Pending();
    std::unique_lock<std::mutex> lock(pending.lock);
    if (!pending.busy || pending.fd != fd) return 0;
    pending.cancelled = true;
    pending.changed.wait(lock, [&] { return !pending.busy; });
    if (pending.worker.joinable()) pending.worker.join();
    return 1;
}
