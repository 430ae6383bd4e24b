#pragma once

#include "platform/Dialogs.h"
#include "platform/ProcessStart.h"
#include "support/FileNames.h"

#include <cctype>
#include <filesystem>
#include <string>

namespace fuzz {

// Fuzzed programs may name any file and start any program: keep their file
// names inside the harness's scratch folder, start nothing, and answer every
// dialog with a cancel (the headless dialogs would read the fuzzer's own
// standard input).
inline void InstallSandbox(const std::filesystem::path& scratch)
{
    static platform::ScriptedDialogs cancelEverything;
    platform::setDialogs(&cancelEverything);
    platform::setProgramStartAllowed(false);
    FileNames::ConfineTo(scratch.string());
}

// True when text holds word in any letter case.
inline bool MentionsWord(const std::string& text, const std::string& word)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find(word) != std::string::npos;
}

} // namespace fuzz
