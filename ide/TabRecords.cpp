#include "ide/TabRecords.h"

namespace TabNames {

AnsiString NewTabName(const std::vector<AnsiString>& names, int i)
{
    AnsiString name = "NoName" + std::to_string(i) + ".BAS";
    for (int k = 0; k < i && k < static_cast<int>(names.size());) {
        if (names[static_cast<size_t>(k)] == name) {
            i = i + k + 1;
            name = "NoName" + std::to_string(i) + ".BAS";
            k = 0;
        } else {
            ++k;
        }
    }
    return name;
}

AnsiString WithoutFolder(const AnsiString& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == AnsiString::npos ? path : path.substr(slash + 1);
}

AnsiString Folder(const AnsiString& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == AnsiString::npos ? AnsiString() : path.substr(0, slash + 1);
}

AnsiString Caption(const AnsiString& path, bool modified)
{
    return (modified ? "*" : "") + WithoutFolder(path);
}

namespace {
// The position of the extension's dot within the file name, or npos.
size_t ExtensionDot(const AnsiString& path)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash)) return AnsiString::npos;
    return dot;
}
} // namespace

AnsiString BinaryFileName(const AnsiString& path)
{
    const size_t dot = ExtensionDot(path);
    if (dot == AnsiString::npos) return path + "_";
    return path.substr(0, dot) + "_" + path.substr(dot);
}

AnsiString ExecutableName(const AnsiString& path)
{
    const size_t dot = ExtensionDot(path);
    return (dot == AnsiString::npos ? path : path.substr(0, dot)) + ".Exe";
}

bool IsUntitled(const AnsiString& path)
{
    return path.find('/') == AnsiString::npos && path.rfind("NoName", 0) == 0;
}

} // namespace TabNames
