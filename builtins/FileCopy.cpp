#include "builtins/FileCopy.h"
#include "interpreter/OpenFiles.h"
#include "platform/RegularFiles.h"
#include "support/FileNames.h"

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace FileCopy {

namespace {

struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0) ::close(fd);
    }
    // Closes now; false when the system reports lost data.
    bool Close()
    {
        const int closing = fd;
        fd = -1;
        return closing < 0 || ::close(closing) == 0;
    }
};

constexpr double SourceFailed = -1;
constexpr double TargetFailed = -2;
constexpr double CopyFailed = -3;

// Copies everything from source to target; the byte count, or -1 on failure.
long long CopyBytes(int source, int target)
{
    constexpr size_t Chunk = 1u << 20;
    std::unique_ptr<char[]> buffer(new char[Chunk]);
    long long total = 0;
    for (;;) {
        const ssize_t got = ::read(source, buffer.get(), Chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) return total;
        if (OpenFiles::WriteAll(target, buffer.get(), static_cast<size_t>(got)) != static_cast<size_t>(got)) return -1;
        total += got;
    }
}

} // namespace

double Copy(const AnsiString& sourcePath, const AnsiString& targetPath, bool overwrite)
{
    Descriptor source { platform::OpenRegularFile(sourcePath, O_RDONLY) };
    struct stat sourceStatus { };
    if (source.fd < 0 || ::fstat(source.fd, &sourceStatus) != 0) return SourceFailed;
    const mode_t mode = sourceStatus.st_mode & 0777;

    struct stat targetStatus { };
    const bool targetExists = ::stat(targetPath.c_str(), &targetStatus) == 0;
    if (targetExists && (!overwrite || !S_ISREG(targetStatus.st_mode))) return TargetFailed;

    if (!overwrite) {
        Descriptor target { ::open(targetPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode) };
        if (target.fd < 0) return TargetFailed;
        const long long copied = CopyBytes(source.fd, target.fd);
        if (copied < 0 || !target.Close()) {
            ::unlink(targetPath.c_str());
            return CopyFailed;
        }
        return static_cast<double>(copied);
    }

    AnsiString folder = FileNames::PathOf(targetPath);
    AnsiString temporary = folder + ".quorvatine-copy-XXXXXX";
    Descriptor target { ::mkstemp(temporary.data()) };
    if (target.fd < 0) return TargetFailed;
    (void)::fcntl(target.fd, F_SETFD, FD_CLOEXEC);
    (void)::fchmod(target.fd, mode);
    const long long copied = CopyBytes(source.fd, target.fd);
    if (copied < 0 || !target.Close() || ::rename(temporary.c_str(), targetPath.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return CopyFailed;
    }
    return static_cast<double>(copied);
}

} // namespace FileCopy
