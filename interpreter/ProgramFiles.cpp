#include "interpreter/ProgramFiles.h"

#include "interpreter/ProtectedPrograms.h"
#include "platform/RegularFiles.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ProgramFiles {

AnsiString NormaliseLineEnds(AnsiString&& text)
{
    size_t lone = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\n' && (k == 0 || text[k - 1] != '\r')) ++lone;
    }
    if (lone == 0) return std::move(text);
    if (text.capacity() < text.size() + lone) return NormaliseLineEnds(static_cast<const AnsiString&>(text));
    // Widened in place from the end: every character moves right by the line
    // breaks before it that gain a '\r', so nothing is overwritten unread.
    size_t from = text.size();
    size_t to = from + lone;
    text.resize(to);
    while (from > 0) {
        const char c = text[--from];
        text[--to] = c;
        if (c == '\n' && (from == 0 || text[from - 1] != '\r')) text[--to] = '\r';
    }
    return std::move(text);
}

AnsiString NormaliseLineEnds(const AnsiString& text)
{
    AnsiString result;
    result.reserve(text.size() + text.size() / 32);
    for (size_t k = 0; k < text.size(); ++k) {
        char c = text[k];
        if (c == '\n' && (k == 0 || text[k - 1] != '\r')) result += '\r';
        result += c;
    }
    return result;
}

AnsiString FindFileIgnoringCase(const AnsiString& name)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path path(name);
    if (fs::is_regular_file(path, error)) return name;
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    const std::string wanted = path.filename().string();
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string candidate = entry->path().filename().string();
        if (strcasecmp(candidate.c_str(), wanted.c_str()) == 0 && entry->is_regular_file(error))
            return (path.parent_path() / candidate).string();
    }
    return {};
}

ReadResult ReadBytes(const AnsiString& path, AnsiString& bytes)
{
    // Opened without blocking, so that a pipe with no writer is refused at
    // once rather than waited on; the checks below go by what was opened.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return ReadResult::NotFound;
    const platform::DescriptorCloser closer(descriptor);
    struct stat status { };
    if (::fstat(descriptor, &status) != 0) return ReadResult::ReadFailed;
    if (!S_ISREG(status.st_mode)) return ReadResult::NotRegular;
    if (static_cast<uint64_t>(status.st_size) > MaxProgramBytes) return ReadResult::TooLarge;
    bytes.clear();
    // With room for widening the line breaks of a text from elsewhere in
    // place; room that is not written takes no memory.
    bytes.reserve(static_cast<size_t>(status.st_size) + static_cast<size_t>(status.st_size) / 16 + 16);
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadResult::ReadFailed;
        }
        // The file may have grown since it was measured.
        if (bytes.size() + static_cast<size_t>(got) > MaxProgramBytes) return ReadResult::TooLarge;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return ReadResult::Ok;
}

ReadResult ReadProgram(const AnsiString& path, AnsiString& text, bool& binary)
{
    AnsiString bytes;
    const ReadResult result = ReadBytes(path, bytes);
    if (result != ReadResult::Ok) return result;
    binary = ProtectedPrograms::UnscrambleBinaryProgram(bytes);
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (std::string_view(bytes).starts_with(byteOrderMark)) bytes.erase(0, byteOrderMark.size());
    text = NormaliseLineEnds(std::move(bytes));
    return ReadResult::Ok;
}

ReadResult ReadText(const AnsiString& path, AnsiString& text)
{
    bool binary = false;
    return ReadProgram(path, text, binary);
}

AnsiString DescribeFailure(ReadResult result, const AnsiString& path)
{
    switch (result) {
    case ReadResult::NotRegular:
        return path + " is not a regular file";
    case ReadResult::TooLarge:
        return path + " is larger than " + std::to_string(MaxProgramBytes / (1024 * 1024)) + " MiB";
    default:
        return "cannot read " + path;
    }
}

} // namespace ProgramFiles
