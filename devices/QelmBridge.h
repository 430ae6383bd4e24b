#pragma once

#include "base/Values.h"
#include "devices/QelmOperation.h"

#include <string>

// The USB I/O board library, loaded at run time from the program's own folder
// and reached through a table of its entry points. A missing library (or a
// missing entry point) makes every call answer 0 and change nothing.
namespace devices {

class QelmBridge {
public:
    // Loads "libqelm.so" from `folder` by absolute path (never a search path)
    // and binds its entry points; a second call while loaded does nothing.
    void Load(const std::string& folder);
    // Load(folder) at the first DeviceCall instead: most runs never use the
    // board, and loading the library and its USB layer costs start-up time.
    void LoadOnFirstCall(const std::string& folder) { pendingFolder = folder; }
    void Unload();
    bool Loaded() const { return library != nullptr; }

    // One call of the library: `device` is the device number (for
    // SetReadTimeout the read time-out), `args` the caller's 8 parameter bytes
    // (args[0] and args[1] carry the numeric parameters; some operations write
    // results into them) and `text` the text that some operations read and
    // some fill. 0 when the library or an entry point it needs is missing.
    int DeviceCall(QelmOperation operation, int device, unsigned char args[8], AnsiString& text);

    // The version of the HID library that the board library runs on, as that
    // library reports it ("0.13.1"); empty when the board library is missing
    // or its HID library gives no version.
    std::string HidLibraryVersion();

    ~QelmBridge() { Unload(); }

private:
    // The load that LoadOnFirstCall put off, tried once.
    void LoadPending();

    void* library = nullptr;
    std::string pendingFolder;
    void* entries[50] = {};
};

// The program's one bridge.
QelmBridge& Qelm();

} // namespace devices
