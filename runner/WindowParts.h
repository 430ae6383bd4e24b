#pragma once

#include "runner/HeadlessWindow.h"

#include <cstdio>
#include <memory>

class QCoreApplication;

// What the window module gives the executable besides the seams of its
// parts: the environment, and the application object and run-time screen of
// a headless run. Set by the module's installer.
struct WindowParts {
    // The environment's main routine: the editor and its windows.
    int (*environmentMain)(int argc, char** argv);
    // A widget application for a headless run, on the off-screen platform.
    QCoreApplication* (*makeApplication)(int& argc, char** argv);
    // The headless run's run-time screen: off screen, sized for a 1024 x 768
    // desktop, echoing to `out` and reading `in`. Needs the application.
    std::unique_ptr<HeadlessWindow> (*makeHeadlessWindow)(FILE* out, FILE* in);
};

void SetWindowParts(const WindowParts& parts);
// The parts, the window module installed first when it is not.
const WindowParts& Window();
