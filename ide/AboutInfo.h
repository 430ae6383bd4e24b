#pragma once

#include "base/Values.h"

#include <vector>

// What the about box says: the program's name and version as the editor's
// caption gives them, what the program is, and the libraries it runs on, with
// the versions those libraries report at run time. Plain data, so that it is
// tested without a window.
namespace AboutInfo {

// The editor's caption begins with it.
constexpr const char* programTitle = "Quorvatine IDE V4.2.1";
constexpr const char* programSummary
    = "A programming environment for BASIC programs that draw, control devices and drive a simulated robot.";

struct Library {
    AnsiString name;
    // Empty when the library is not loaded.
    AnsiString version;
    // How the program reaches it, when not directly ("through libqelm.so").
    AnsiString through;
};

// The libraries as this process runs them now: Qt, the JPEG library, hidapi
// (through the board library, loaded for the asking) and GStreamer (listed
// only once the media module has brought it in).
std::vector<Library> RunningLibraries();

// The library lines of the box, one a library: "Qt 6.4.2", "hidapi 0.13.1
// (through libqelm.so)", "hidapi: not loaded (through libqelm.so)".
std::vector<AnsiString> LibraryLines(const std::vector<Library>& libraries);

} // namespace AboutInfo
