#include "support/FileNames.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <dirent.h>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileNames {

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(const AnsiString& a, const AnsiString& b)
{
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (LowerAscii(a[k]) != LowerAscii(b[k])) return false;
    return true;
}

bool LessIgnoringCase(const AnsiString& a, const AnsiString& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t k = 0; k < n; ++k) {
        const char x = LowerAscii(a[k]);
        const char y = LowerAscii(b[k]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

bool Exists(const AnsiString& path)
{
    struct stat status { };
    return ::lstat(path.c_str(), &status) == 0;
}

// The component as it exists in folder: itself, else the single entry that
// differs only in case, else itself.
AnsiString FindComponent(const AnsiString& folder, const AnsiString& component)
{
    const AnsiString joined = folder.empty() ? component : folder == "/" ? "/" + component : folder + "/" + component;
    if (component == "." || component == ".." || Exists(joined)) return component;
    DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!directory) return component;
    AnsiString found;
    int matches = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const AnsiString candidate = entry->d_name;
        if (EqualIgnoringCase(candidate, component)) {
            found = candidate;
            ++matches;
        }
    }
    ::closedir(directory);
    return matches == 1 ? found : component;
}

size_t LastSeparator(const AnsiString& name)
{
    for (size_t k = name.size(); k > 0; --k)
        if (IsSeparator(name[k - 1])) return k - 1;
    return AnsiString::npos;
}

// The position of the extension's dot, npos when the name part has none.
size_t ExtensionDot(const AnsiString& name)
{
    for (size_t k = name.size(); k > 0; --k) {
        if (IsSeparator(name[k - 1])) return AnsiString::npos;
        if (name[k - 1] == '.') return k - 1;
    }
    return AnsiString::npos;
}

bool MatchWildcard(const char* mask, const char* name)
{
    // Iterative matching with one backtrack point for the last "*": linear in
    // practice, and never exponential on masks full of stars.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*mask == '*') {
            star = mask++;
            resume = name;
        } else if (*mask == '?' || (*mask && LowerAscii(*mask) == LowerAscii(*name))) {
            ++mask;
            ++name;
        } else if (star) {
            mask = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*mask == '*')
        ++mask;
    return *mask == 0;
}

bool MatchesMask(const AnsiString& name, AnsiString mask)
{
    if (mask.empty()) return false;
    const bool hasDot = name.find('.') != AnsiString::npos;
    // "*.*" and "NAME.*" also match names without any extension.
    if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0) {
        if (MatchWildcard(mask.c_str(), name.c_str())) return true;
        return !hasDot && MatchWildcard(mask.substr(0, mask.size() - 2).c_str(), name.c_str());
    }
    // "NAME." matches only names without a dot.
    if (mask.back() == '.') {
        mask.pop_back();
        return !hasDot && MatchWildcard(mask.c_str(), name.c_str());
    }
    return MatchWildcard(mask.c_str(), name.c_str());
}

} // namespace

bool StartsWithDrive(const AnsiString& name)
{
    if (name.size() < 2 || name[1] != ':') return false;
    const char c = LowerAscii(name[0]);
    return c >= 'a' && c <= 'z';
}

namespace {
AnsiString confinedRoot;

bool OutsideConfinement(const AnsiString& path)
{
    if (confinedRoot.empty()) return false;
    const AnsiString normal = std::filesystem::path(Absolute(path)).lexically_normal().string();
    return normal != confinedRoot && normal.rfind(confinedRoot + "/", 0) != 0;
}
} // namespace

void ConfineTo(const AnsiString& root)
{
    confinedRoot = root.empty() ? root : std::filesystem::path(Absolute(root)).lexically_normal().string();
    while (confinedRoot.size() > 1 && confinedRoot.back() == '/')
        confinedRoot.pop_back();
}

std::optional<AnsiString> Resolve(const AnsiString& name)
{
    if (name.empty() || StartsWithDrive(name) || OutsideConfinement(name)) return std::nullopt;
    AnsiString folder = IsSeparator(name[0]) ? "/" : "";
    size_t start = 0;
    bool first = true;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !IsSeparator(name[end]))
            ++end;
        const AnsiString component = name.substr(start, end - start);
        if (!component.empty()) {
            const AnsiString found = FindComponent(folder, component);
            if (folder.empty())
                folder = found;
            else if (folder == "/")
                folder += found;
            else
                folder += "/" + found;
            first = false;
        }
        if (end >= name.size()) break;
        start = end + 1;
    }
    if (first) return folder.empty() ? std::nullopt : std::optional<AnsiString>(folder);
    // A trailing separator stays: it says the name is a folder.
    if (IsSeparator(name.back()) && folder != "/") folder += "/";
    return folder;
}

AnsiString FolderOf(const AnsiString& name)
{
    const size_t last = LastSeparator(name);
    if (last == AnsiString::npos) return {};
    // The root's separator stays ("\x" gives "\"), as does a doubled one's first.
    if (last == 0 || IsSeparator(name[last - 1])) return name.substr(0, last + 1);
    return name.substr(0, last);
}

AnsiString PathOf(const AnsiString& name)
{
    const size_t last = LastSeparator(name);
    return last == AnsiString::npos ? AnsiString() : name.substr(0, last + 1);
}

AnsiString NameOf(const AnsiString& name)
{
    const size_t last = LastSeparator(name);
    return last == AnsiString::npos ? name : name.substr(last + 1);
}

AnsiString ExtensionOf(const AnsiString& name)
{
    const size_t dot = ExtensionDot(name);
    return dot == AnsiString::npos ? AnsiString() : name.substr(dot);
}

AnsiString DriveOf(const AnsiString& name)
{
    return StartsWithDrive(name) ? name.substr(0, 2) : AnsiString();
}

AnsiString ChangeExtension(const AnsiString& name, const AnsiString& extension)
{
    const size_t dot = ExtensionDot(name);
    return (dot == AnsiString::npos ? name : name.substr(0, dot)) + extension;
}

bool MatchesMasks(const AnsiString& name, const AnsiString& masks)
{
    size_t start = 0;
    for (;;) {
        const size_t end = masks.find(';', start);
        // The blanks around a mask are cut by position, never one erase at a
        // time: a mask of millions of blanks must not take quadratic time.
        const size_t stop = end == AnsiString::npos ? masks.size() : end;
        size_t first = start;
        size_t last = stop;
        while (first < last && masks[first] == ' ')
            ++first;
        while (last > first && masks[last - 1] == ' ')
            --last;
        if (MatchesMask(name, masks.substr(first, last - first))) return true;
        if (end == AnsiString::npos) return false;
        start = end + 1;
    }
}

std::vector<AnsiString> ListCurrentFolder(EntryKind kind, const AnsiString& masks)
{
    std::vector<AnsiString> names;
    DIR* directory = ::opendir(".");
    if (!directory) return names;
    while (const dirent* entry = ::readdir(directory)) {
        const AnsiString name = entry->d_name;
        if (name.empty() || name[0] == '.') continue;
        struct stat status { };
        if (::stat(name.c_str(), &status) != 0) continue;
        const bool wanted = kind == EntryKind::Files ? S_ISREG(status.st_mode) : S_ISDIR(status.st_mode);
        if (wanted && MatchesMasks(name, masks)) names.push_back(name);
    }
    ::closedir(directory);
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

double ToDateTime(const timespec& when)
{
    tm local {};
    const time_t seconds = when.tv_sec;
    if (!::localtime_r(&seconds, &local)) return -1.0;
    // Days from 1 March of year 0 in the proleptic Gregorian calendar, counted
    // as civil dates are, then moved to 30 December 1899.
    auto daysFromCivil = [](long long y, unsigned m, unsigned d) {
        y -= m <= 2;
        const long long era = (y >= 0 ? y : y - 399) / 400;
        const unsigned yoe = static_cast<unsigned>(y - era * 400);
        const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + static_cast<long long>(doe);
    };
    const long long days = daysFromCivil(local.tm_year + 1900LL, static_cast<unsigned>(local.tm_mon + 1),
                               static_cast<unsigned>(local.tm_mday))
        - daysFromCivil(1899, 12, 30);
    const long long milliseconds = when.tv_nsec / 1000000;
    const double secondsOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + milliseconds / 1000.0;
    return static_cast<double>(days) + secondsOfDay / 86400.0;
}

AnsiString CurrentFolder()
{
    std::vector<char> buffer(4096);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size())) return buffer.data();
        if (errno != ERANGE || buffer.size() > (1u << 20)) return {};
        buffer.resize(buffer.size() * 2);
    }
}

AnsiString Absolute(const AnsiString& name)
{
    AnsiString path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (!path.empty() && path[0] == '/') return path;
    AnsiString folder = CurrentFolder();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder + path;
}

} // namespace FileNames
