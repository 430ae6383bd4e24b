#pragma once

#include "base/Values.h"

#include <cstddef>
#include <cstdio>
#include <optional>

#include <sys/types.h>

// Opening the files that programs name. A name may lead to a pipe, a socket
// or a device: opening a pipe with no partner waits for ever, reading a
// device may never end, and opening some devices has effects of its own (a
// serial line raises its modem lines). None of that is what a program that
// reads or writes "a file" asks for, so these routines open regular files
// only, and never block while they look.
namespace platform {

// Closes a descriptor when it goes out of scope.
class DescriptorCloser {
public:
    explicit DescriptorCloser(int owned)
        : descriptor(owned)
    { }
    ~DescriptorCloser();
    DescriptorCloser(const DescriptorCloser&) = delete;
    DescriptorCloser& operator=(const DescriptorCloser&) = delete;

private:
    int descriptor;
};

// True when the name leads (through any links) to something that exists and
// is neither a regular file nor a folder: a pipe, a socket or a device.
bool NamesSpecialFile(const AnsiString& path);

// open(2) with flags (O_CREAT creates with mode), for a regular file only: a
// name that leads to anything else is refused before it is opened (errno
// EINVAL; a folder gives EISDIR), and the file is opened without blocking and
// checked again, so that a pipe put in its place meanwhile is refused too.
// The descriptor comes back in blocking mode; -1 on failure.
int OpenRegularFile(const AnsiString& path, int flags, mode_t mode = 0666);

// The same as a stdio stream; mode as for fopen ("rb", "wb", "ab", "r+b").
std::FILE* OpenRegularStream(const AnsiString& path, const char* mode);

// The whole of a regular file of at most limit bytes; nothing when the name
// leads to anything else, the file is larger or cannot be read.
std::optional<AnsiString> ReadRegularFile(const AnsiString& path, size_t limit);

// Writes bytes to a file the user named outright (a target on the command
// line): any kind of file is accepted, but a pipe with no reader is refused
// rather than waited on. False when the open, any write or the close fails,
// with errno telling why.
bool WriteNamedFile(const AnsiString& path, const AnsiString& bytes);

} // namespace platform
