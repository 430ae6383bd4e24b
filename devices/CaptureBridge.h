#pragma once

#include "base/Values.h"

#include <functional>
#include <string>

// The image-capture library, loaded at run time from the program's own folder
// as "libqcapture.so" and reached through its five entry points. None ships
// with the program: without it every capture answers 0.
namespace devices {

class CaptureBridge {
public:
    // Loads `file` from `folder` by absolute path and binds the entry points;
    // the source's own dialog starts hidden.
    void Load(const std::string& folder, const std::string& file = "libqcapture.so");
    void Unload();
    bool Loaded() const { return library != nullptr; }

    // Capture of `type`: 0 choose the source, 1 acquire with the source's
    // dialog, 2 acquire without it, 3 ask whether capture is available (an
    // answer of 0 forgets the library for the rest of the run). An acquisition
    // goes to the clipboard when `fileName` is empty, else to fileName + ".bmp"
    // (in the current folder when the name has no folder).
    int Acquire(int type, const AnsiString& fileName);

    // Whether the clipboard holds a picture; replaceable for tests.
    std::function<bool()> clipboardHoldsPicture;

    ~CaptureBridge() { Unload(); }

private:
    int AcquireOnce(const AnsiString& fileName);

    void* library = nullptr;
    void* entries[5] = {};
};

CaptureBridge& Capture();

} // namespace devices
