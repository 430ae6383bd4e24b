#include "devices/ParportIo.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

int ParportIo::Open(const std::string& path)
{
    // Not blocking: a write hands its bytes over and returns, as the
    // component's asynchronous send wants.
    return ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

int ParportIo::Ioctl(int fd, unsigned long request, void* argument)
{
    return ::ioctl(fd, request, argument);
}

ssize_t ParportIo::Write(int fd, const void* data, size_t length)
{
    return ::write(fd, data, length);
}

void ParportIo::Close(int fd)
{
    ::close(fd);
}

ParportIo& SystemParportIo()
{
    static ParportIo io;
    return io;
}
