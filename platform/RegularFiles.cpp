#include "platform/RegularFiles.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// EISDIR for a folder, EINVAL for anything else that is not a regular file.
bool RefuseKind(mode_t kind)
{
    if (S_ISREG(kind)) return false;
    errno = S_ISDIR(kind) ? EISDIR : EINVAL;
    return true;
}

void ClearNonBlocking(int descriptor)
{
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags >= 0) (void)::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
}

void CloseKeepingErrno(int descriptor)
{
    const int saved = errno;
    ::close(descriptor);
    errno = saved;
}

} // namespace

bool NamesSpecialFile(const AnsiString& path)
{
    struct stat status { };
    if (path.empty() || ::stat(path.c_str(), &status) != 0) return false;
    return !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

int OpenRegularFile(const AnsiString& path, int flags, mode_t mode)
{
    // Looked at before the open, so that a device is never opened at all.
    struct stat status { };
    if (::stat(path.c_str(), &status) == 0 && RefuseKind(status.st_mode)) return -1;
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, mode);
    if (descriptor < 0) return -1;
    if (::fstat(descriptor, &status) != 0 || RefuseKind(status.st_mode)) {
        CloseKeepingErrno(descriptor);
        return -1;
    }
    ClearNonBlocking(descriptor);
    return descriptor;
}

std::FILE* OpenRegularStream(const AnsiString& path, const char* mode)
{
    const bool update = std::strchr(mode, '+') != nullptr;
    int flags = 0;
    switch (mode[0]) {
    case 'r':
        flags = update ? O_RDWR : O_RDONLY;
        break;
    case 'w':
        flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
        break;
    case 'a':
        flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
        break;
    default:
        errno = EINVAL;
        return nullptr;
    }
    const int descriptor = OpenRegularFile(path, flags);
    if (descriptor < 0) return nullptr;
    std::FILE* stream = ::fdopen(descriptor, mode);
    if (stream == nullptr) CloseKeepingErrno(descriptor);
    return stream;
}

DescriptorCloser::~DescriptorCloser()
{
    if (descriptor >= 0) ::close(descriptor);
}

std::optional<AnsiString> ReadRegularFile(const AnsiString& path, size_t limit)
{
    const int descriptor = OpenRegularFile(path, O_RDONLY);
    if (descriptor < 0) return std::nullopt;
    const DescriptorCloser closer(descriptor);
    struct stat status { };
    if (::fstat(descriptor, &status) != 0 || static_cast<uint64_t>(status.st_size) > limit) return std::nullopt;
    AnsiString bytes;
    bytes.reserve(static_cast<size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        // The file may have grown since it was measured.
        if (bytes.size() + static_cast<size_t>(got) > limit) return std::nullopt;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return bytes;
}

bool WriteNamedFile(const AnsiString& path, const AnsiString& bytes)
{
    // Without blocking, a pipe that nobody reads fails to open (ENXIO).
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    if (descriptor < 0) return false;
    ClearNonBlocking(descriptor);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            CloseKeepingErrno(descriptor);
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return ::close(descriptor) == 0;
}

} // namespace platform
