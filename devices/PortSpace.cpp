#include "devices/PortSpace.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <linux/parport.h>
#include <linux/ppdev.h>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define QV_HAVE_PORT_INSTRUCTIONS 1
#endif

namespace {

std::string Hex(unsigned value, int digits)
{
    char text[8];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

class SimulatedPortSpace : public PortSpace {
public:
    explicit SimulatedPortSpace(const AnsiString& logFile)
    {
        if (!logFile.empty()) log = std::fopen(logFile.c_str(), "a");
    }
    ~SimulatedPortSpace() override
    {
        if (log) std::fclose(log);
    }
    bool Reach(uint16_t, AnsiString&) override { return true; }
    uint8_t Read(uint16_t port) override
    {
        Log('R', port, bytes[port]);
        return bytes[port];
    }
    void Write(uint16_t port, uint8_t value) override
    {
        bytes[port] = value;
        Log('W', port, value);
    }

private:
    std::array<uint8_t, 65536> bytes {};
    std::FILE* log = nullptr;

    void Log(char kind, uint16_t port, uint8_t value)
    {
        if (!log) return;
        std::fprintf(log, "%c %s %s\n", kind, Hex(port, 4).c_str(), Hex(value, 2).c_str());
        std::fflush(log);
    }
};

// One parallel port reached through ppdev.
struct ParallelDevice {
    int fd = -1;
    bool claimed = false;
    // The control register as last written: ppdev keeps the direction bit apart.
    uint8_t control = 0;
};

class LinuxPortSpace : public PortSpace {
public:
    LinuxPortSpace() { FindParallelPorts(); }
    ~LinuxPortSpace() override
    {
        for (auto& [base, device] : parallel)
            if (device.fd >= 0) {
                if (device.claimed) ioctl(device.fd, PPRELEASE);
                close(device.fd);
            }
        if (devPort >= 0) close(devPort);
    }

    bool Reach(uint16_t port, AnsiString& why) override
    {
        if (ParallelDevice* device = ParallelFor(port)) {
            return ClaimParallel(BaseOf(port), *device, why);
        }
        if (RawAccess(port)) return true;
        why = "No parallel port holds address " + Hex(port, 4)
            + " and raw port access is refused (it needs root or CAP_SYS_RAWIO).";
        return false;
    }

    uint8_t Read(uint16_t port) override
    {
        if (ParallelDevice* device = ParallelFor(port)) {
            AnsiString why;
            if (!ClaimParallel(BaseOf(port), *device, why)) return 0;
            unsigned char value = 0;
            switch (port - BaseOf(port)) {
            case 0:
                ioctl(device->fd, PPRDATA, &value);
                return value;
            case 1:
                ioctl(device->fd, PPRSTATUS, &value);
                return value;
            default:
                ioctl(device->fd, PPRCONTROL, &value);
                return static_cast<uint8_t>((value & ~0x20) | (device->control & 0x20));
            }
        }
#ifdef QV_HAVE_PORT_INSTRUCTIONS
        if (portAccess.count(port) || fullAccess) return inb(port);
#endif
        unsigned char value = 0;
        if (devPort >= 0 && pread(devPort, &value, 1, port) == 1) return value;
        return 0;
    }

    void Write(uint16_t port, uint8_t value) override
    {
        if (ParallelDevice* device = ParallelFor(port)) {
            AnsiString why;
            if (!ClaimParallel(BaseOf(port), *device, why)) return;
            unsigned char byte = value;
            switch (port - BaseOf(port)) {
            case 0:
                ioctl(device->fd, PPWDATA, &byte);
                return;
            case 1:
                return; // the status register is read-only
            default: {
                int reverse = (value & 0x20) ? 1 : 0;
                ioctl(device->fd, PPDATADIR, &reverse);
                byte = static_cast<unsigned char>(value & ~0x20);
                ioctl(device->fd, PPWCONTROL, &byte);
                device->control = value;
                return;
            }
            }
        }
#ifdef QV_HAVE_PORT_INSTRUCTIONS
        if (portAccess.count(port) || fullAccess) {
            outb(value, port);
            return;
        }
#endif
        if (devPort >= 0) {
            const unsigned char byte = value;
            if (pwrite(devPort, &byte, 1, port) != 1) return;
        }
    }

private:
    // Base address to its ppdev device, from /proc/sys/dev/parport.
    std::map<unsigned, ParallelDevice> parallel;
    std::map<unsigned, int> parallelIndex;
    std::map<unsigned, bool> portAccess;
    bool fullAccess = false;
    int devPort = -1;

    void FindParallelPorts()
    {
        for (int k = 0; k < 8; ++k) {
            std::ifstream in("/proc/sys/dev/parport/parport" + std::to_string(k) + "/base-addr");
            unsigned base = 0;
            if (in >> base && base > 0 && base < 0xFFFE) {
                parallel[base] = ParallelDevice {};
                parallelIndex[base] = k;
            }
        }
    }

    unsigned BaseOf(uint16_t port) const
    {
        for (const auto& [base, device] : parallel)
            if (port >= base && port <= base + 2) return base;
        return port;
    }

    ParallelDevice* ParallelFor(uint16_t port)
    {
        for (auto& [base, device] : parallel)
            if (port >= base && port <= base + 2) return &device;
        return nullptr;
    }

    bool ClaimParallel(unsigned base, ParallelDevice& device, AnsiString& why)
    {
        if (device.claimed) return true;
        const std::string path = "/dev/parport" + std::to_string(parallelIndex[base]);
        if (device.fd < 0) device.fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (device.fd < 0) {
            why = path + ": " + std::strerror(errno) + " (the user needs the group lp).";
            return false;
        }
        if (ioctl(device.fd, PPCLAIM) != 0) {
            why = path + ": " + std::strerror(errno);
            return false;
        }
        device.claimed = true;
        return true;
    }

    bool RawAccess(uint16_t port)
    {
#ifdef QV_HAVE_PORT_INSTRUCTIONS
        if (fullAccess || portAccess.count(port)) return true;
        if (port < 0x400 && ioperm(port, 1, 1) == 0) {
            portAccess[port] = true;
            return true;
        }
        if (port >= 0x400 && iopl(3) == 0) {
            fullAccess = true;
            return true;
        }
#endif
        if (devPort < 0) devPort = open("/dev/port", O_RDWR | O_CLOEXEC);
        return devPort >= 0;
    }
};

std::unique_ptr<PortSpace>& Installed()
{
    static std::unique_ptr<PortSpace> space;
    return space;
}

} // namespace

std::unique_ptr<PortSpace> MakeSimulatedPortSpace(const AnsiString& logFile)
{
    return std::make_unique<SimulatedPortSpace>(logFile);
}

void SetPortSpaceForTests(std::unique_ptr<PortSpace> space)
{
    Installed() = std::move(space);
}

PortSpace& ThePortSpace()
{
    std::unique_ptr<PortSpace>& space = Installed();
    if (!space) {
        const char* setting = std::getenv("QUORVATINE_PORTS");
        const std::string value = setting ? setting : "";
        const std::string simulated = "simulated";
        if (value.compare(0, simulated.size(), simulated) == 0
            && (value.size() == simulated.size() || value[simulated.size()] == ':'))
            space = MakeSimulatedPortSpace(value.size() > simulated.size() ? value.substr(simulated.size() + 1) : "");
        else
            space = std::make_unique<LinuxPortSpace>();
    }
    return *space;
}
