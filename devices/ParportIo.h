#pragma once

#include <cstddef>
#include <string>

#include <sys/types.h>

// The calls the parallel component makes on a ppdev device (/dev/parportN),
// behind one interface so that tests can stand in for a port. Each answers
// as the system call does: -1 with errno set on failure.
class ParportIo {
public:
    virtual ~ParportIo() = default;
    virtual int Open(const std::string& path);
    virtual int Ioctl(int fd, unsigned long request, void* argument);
    virtual ssize_t Write(int fd, const void* data, size_t length);
    virtual void Close(int fd);
};

// The kernel's.
ParportIo& SystemParportIo();
