#pragma once

#include "interpreter/RunScreen.h"
#include "runner/Console.h"

#include <cstdio>

// The run-time screen's window as a headless run drives it. The window lives
// in the window module; a headless run reaches it only through this.
class HeadlessWindow {
public:
    virtual ~HeadlessWindow() = default;
    // The window as a run-time screen and its console's state.
    virtual RunScreen& Screen() = 0;
    virtual ConsoleState& ConsoleText() = 0;
    // The window sets and watches flag instead of its own stop flag, which a
    // run then never reads.
    virtual void ShareStopFlag(bool& flag) = 0;
    virtual void PrepareForRun() = 0;
    virtual void AfterRun() = 0;
    virtual bool SaveImagePng(const AnsiString& fileName) const = 0;
    // Where the window echoes what is printed and reads input from; null
    // for neither.
    virtual void SetHeadless(FILE* out, FILE* in) = 0;
};
