#include "devices/DeviceChangeWatch.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <map>
#include <memory>
#include <mutex>
#include <string_view>

#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::mutex lock;
std::map<int, std::function<void()>>& Handlers()
{
    static std::map<int, std::function<void()>> handlers;
    return handlers;
}
int nextId = 1;

// The kernel's device events, read where the first subscriber's event loop runs.
struct KernelEvents {
    int socket = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    ~KernelEvents()
    {
        notifier.reset();
        if (socket >= 0) ::close(socket);
    }
    void Start()
    {
        if (socket >= 0 || !QCoreApplication::instance()) return;
        socket = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
        if (socket < 0) return;
        sockaddr_nl address {};
        address.nl_family = AF_NETLINK;
        address.nl_groups = 1;
        if (::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            // No device events here (a container): nothing is watched.
            ::close(socket);
            socket = -1;
            return;
        }
        notifier = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [this] { Read(); });
    }
    void Read()
    {
        char buffer[8192];
        bool ports = false;
        for (;;) {
            const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            ports = ports || DeviceChangeWatch::ConcernsPorts(buffer, static_cast<size_t>(got));
        }
        if (ports) DeviceChangeWatch::Changed();
    }
};

KernelEvents& Kernel()
{
    static KernelEvents events;
    return events;
}

} // namespace

namespace DeviceChangeWatch {

int Subscribe(std::function<void()> handler)
{
    std::lock_guard<std::mutex> guard(lock);
    Kernel().Start();
    const int id = nextId++;
    Handlers()[id] = std::move(handler);
    return id;
}

void Unsubscribe(int id)
{
    std::lock_guard<std::mutex> guard(lock);
    Handlers().erase(id);
}

void Changed()
{
    std::map<int, std::function<void()>> current;
    {
        std::lock_guard<std::mutex> guard(lock);
        current = Handlers();
    }
    for (const auto& [id, handler] : current)
        if (handler) handler();
}

bool ConcernsPorts(const char* message, size_t length)
{
    const std::string_view text(message, length);
    size_t start = 0;
    bool added = false;
    bool ports = false;
    while (start < text.size()) {
        size_t end = text.find('\0', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view field = text.substr(start, end - start);
        if (field == "ACTION=add" || field == "ACTION=remove") added = true;
        if (field == "SUBSYSTEM=tty" || field == "SUBSYSTEM=parport") ports = true;
        start = end + 1;
    }
    return added && ports;
}

} // namespace DeviceChangeWatch
