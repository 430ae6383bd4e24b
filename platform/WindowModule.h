#pragma once

// The window module: everything that draws or shows a window (images and the
// drawing surfaces, the robot, the run-time screen, the environment's forms)
// and Qt Gui and Widgets with it. A run that only computes and prints never
// needs it, and loading those libraries would cost more than such a run, so
// the executable links none of it and loads the module the first time a run
// draws, reads a pixel, measures a text, moves the robot, reaches the
// clipboard or shows a window.
//
// The module's parts reach the rest of the program through seams: function
// pointers and makers that the module's installer sets. Programs that link
// the parts in-process (the tests) set the installer instead, and nothing is
// loaded.
namespace platform {

using WindowInstaller = void (*)();
// Links the parts in-process: RequireWindowModule calls `install` instead of
// loading the module.
void setWindowInstaller(WindowInstaller install);
// Installs the window parts unless they are: from the installer set above,
// else from the module beside the executable (or in the folder it was built
// in). A program that cannot find the module cannot draw: it says so on
// standard error and ends with status 2.
void RequireWindowModule();

// The module's file and its installer's name.
constexpr const char* windowModuleFile = "libqv_window.so";
constexpr const char* windowModuleEntry = "QvInstallWindowParts";

} // namespace platform
