#include "runner/ExecutableImage.h"
#include "platform/RegularFiles.h"

#include "interpreter/ProtectedPrograms.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <elf.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ExecutableImage {

namespace {

AnsiString FileNameUpper(const AnsiString& path)
{
    const size_t slash = path.find_last_of('/');
    AnsiString name = slash == AnsiString::npos ? path : path.substr(slash + 1);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// A read-only mapping of a whole file; empty when it cannot be opened or is empty.
class MappedFile {
public:
    explicit MappedFile(const AnsiString& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return;
        struct stat info;
        if (::fstat(fd, &info) == 0 && info.st_size > 0) {
            void* p = ::mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                data = static_cast<const char*>(p);
                size = static_cast<size_t>(info.st_size);
            }
        }
        ::close(fd);
    }
    ~MappedFile()
    {
        if (data) ::munmap(const_cast<char*>(data), size);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // The offset of the first compiled-program marker, or -1.
    long FindMarker() const
    {
        if (!data) return -1;
        const AnsiString marker = ProtectedPrograms::CompiledProgramMarker();
        // The environment's own image never holds the marker (the build checks
        // it), so an executable that ends with its image holds none, and one
        // whose image is followed by the marker has its first one there. Only
        // other files are searched whole.
        const size_t imageEnd = ElfImageEnd();
        if (imageEnd == size) return -1;
        if (imageEnd > 0 && imageEnd + marker.size() <= size
            && std::memcmp(data + imageEnd, marker.data(), marker.size()) == 0)
            return static_cast<long>(imageEnd);
        const void* hit = ::memmem(data, size, marker.data(), marker.size());
        return hit ? static_cast<const char*>(hit) - data : -1;
    }

    // Where a 64-bit ELF file's own bytes end (its section header table comes
    // last), or 0 for anything else.
    size_t ElfImageEnd() const
    {
        Elf64_Ehdr header;
        if (size < sizeof header) return 0;
        std::memcpy(&header, data, sizeof header);
        if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64) return 0;
        const uint64_t end = header.e_shoff + uint64_t(header.e_shnum) * header.e_shentsize;
        return header.e_shoff > 0 && end <= size ? static_cast<size_t>(end) : 0;
    }

    const char* data = nullptr;
    size_t size = 0;
};

bool WriteAll(int fd, const char* p, size_t n)
{
    while (n > 0) {
        const ssize_t written = ::write(fd, p, n);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        p += written;
        n -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

bool IsIdeExecutable(const AnsiString& path)
{
    const AnsiString name = FileNameUpper(path);
    if (name == "QUORVATINE.EXE" || name == "QUORVATINE") return true;
    MappedFile file(path);
    if (!file.data) return false;
    // A marker at the very first byte does not count, as a search that
    // answers 1-based positions and 0 for none would have it.
    return file.FindMarker() < 1;
}

AppendedResult LoadAppendedProgram(const AnsiString& path, AnsiString& text)
{
    MappedFile file(path);
    if (!file.data) return AppendedResult::Unreadable;
    const long at = file.FindMarker();
    if (at < 1) return AppendedResult::NoMarker;
    const size_t start = static_cast<size_t>(at) + ProtectedPrograms::MarkerLength;
    text.assign(file.data + start, file.size - start);
    ProtectedPrograms::UnscrambleBlocks(text);
    return AppendedResult::Found;
}

double CopyFileBinary(const AnsiString& source, const AnsiString& target, int mode)
{
    FILE* in = platform::OpenRegularStream(source, "rb");
    if (!in) return -1;
    const int flags = O_WRONLY | O_CREAT | (mode == 1 ? O_TRUNC : O_EXCL);
    const int out = platform::OpenRegularFile(target, flags);
    if (out < 0) {
        std::fclose(in);
        return -2;
    }
    char buffer[4096];
    double copied = 0;
    bool failed = false;
    size_t got;
    while ((got = std::fread(buffer, 1, 4095, in)) > 0) {
        if (!WriteAll(out, buffer, got)) {
            failed = true;
            break;
        }
        copied += static_cast<double>(got);
    }
    if (std::ferror(in)) failed = true;
    std::fclose(in);
    if (::close(out) != 0) failed = true;
    return failed ? -3 : copied;
}

bool CreateExecutable(const AnsiString& executable, const AnsiString& target, const AnsiString& program, unsigned seed)
{
    MappedFile own(executable);
    if (!own.data) return false;
    // A stand-alone executable made from another one keeps only the
    // environment, not the program that was appended to it.
    const long marker = own.FindMarker();
    const size_t keep = marker >= 1 ? static_cast<size_t>(marker) : own.size;
    struct stat info;
    const mode_t permissions = ::stat(executable.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0755;

    // A pipe or device named as the target is refused rather than waited on.
    const int out = platform::OpenRegularFile(target, O_WRONLY | O_CREAT | O_TRUNC, permissions);
    if (out < 0) return false;
    AnsiString body = ProtectedPrograms::MakeBody(program, seed);
    ProtectedPrograms::ScrambleBlocks(body);
    const AnsiString block = ProtectedPrograms::CompiledProgramMarker() + body;
    bool ok = WriteAll(out, own.data, keep) && WriteAll(out, block.data(), block.size());
    ok = ::fchmod(out, permissions) == 0 && ok;
    ok = ::close(out) == 0 && ok;
    if (!ok) ::unlink(target.c_str());
    return ok;
}

double FileAgeAsDateTime(const AnsiString& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return -1;
    // Days since 30 December 1899 in local time, with sub-second precision so
    // that two writes within one second still differ.
    const time_t seconds = info.st_mtim.tv_sec;
    struct tm local;
    localtime_r(&seconds, &local);
    const double offset = static_cast<double>(local.tm_gmtoff);
    const double unixSeconds = static_cast<double>(seconds) + info.st_mtim.tv_nsec / 1e9 + offset;
    return 25569.0 + unixSeconds / 86400.0;
}

} // namespace ExecutableImage
