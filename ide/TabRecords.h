#pragma once

#include "base/Values.h"

#include <vector>

// What a file tab keeps while another tab is in the editor. Records belong to
// tabs, not to paths, so two tabs never share one.
struct OpenFiles_S {
    AnsiString path;
    // The program text; for a binary program its plain text, which the editor never shows.
    AnsiString text;
    int caretX = 0;
    int caretY = 0;
    int selStart = 0;
    int selLength = 0;
    bool modified = false;
    bool hidden = false;
    double diskTime = 0;
};

namespace TabNames {

constexpr int MaxTabs = 50;
constexpr const char* StartName = "NoName.BAS";

// The name of a new tab at index i: "NoName" + i + ".BAS", moved on while it
// equals the name of an earlier tab.
AnsiString NewTabName(const std::vector<AnsiString>& names, int i);
AnsiString WithoutFolder(const AnsiString& path);
AnsiString Folder(const AnsiString& path);
// The tab caption: the name without folder, "*" in front while modified.
AnsiString Caption(const AnsiString& path, bool modified);
// The name with "_" before its extension (prog.BAS gives prog_.BAS).
AnsiString BinaryFileName(const AnsiString& path);
// The name with its extension replaced by ".Exe".
AnsiString ExecutableName(const AnsiString& path);
// True for the names of untitled tabs.
bool IsUntitled(const AnsiString& path);

} // namespace TabNames
