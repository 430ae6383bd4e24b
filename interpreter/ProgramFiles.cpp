#include "interpreter/ProgramFiles.h"

#include "interpreter/ProtectedPrograms.h"

#include <cstdio>
#include <filesystem>
#include <strings.h>
#include <system_error>

namespace ProgramFiles {

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
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return ReadResult::NotFound;
    bytes.clear();
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? ReadResult::ReadFailed : ReadResult::Ok;
}

ReadResult ReadProgram(const AnsiString& path, AnsiString& text, bool& binary)
{
    AnsiString bytes;
    const ReadResult result = ReadBytes(path, bytes);
    if (result != ReadResult::Ok) return result;
    binary = ProtectedPrograms::UnscrambleBinaryProgram(bytes);
    text = NormaliseLineEnds(bytes);
    return ReadResult::Ok;
}

ReadResult ReadText(const AnsiString& path, AnsiString& text)
{
    bool binary = false;
    return ReadProgram(path, text, binary);
}

} // namespace ProgramFiles
