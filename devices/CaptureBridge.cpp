#include "devices/CaptureBridge.h"
#include "platform/Application.h"
#include "platform/SystemQueries.h"
#include "platform/WindowModule.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

namespace devices {
namespace {

enum Entry { SetHideUI, SelectImageSource, AcquireToClipboard, IsAvailable, AcquireToFilename, EntryCount };

constexpr const char* entryNames[EntryCount] = { "TWAIN_SetHideUI", "TWAIN_SelectImageSource",
    "TWAIN_AcquireToClipboard", "TWAIN_IsAvailable", "TWAIN_AcquireToFilename" };

using IntArg = int (*)(int);
using Window = int (*)(long);
using WindowTypes = int (*)(long, unsigned);
using NoArgs = int (*)();
using WindowName = int (*)(long, const char*);

bool SystemClipboardHoldsPicture()
{
    // The library leaves its picture on the window system's clipboard.
    platform::RequireWindowModule();
    platform::RequireApplication();
    return platform::systemClipboardHoldsPicture();
}

} // namespace

void CaptureBridge::Load(const std::string& folder, const std::string& file)
{
    if (library) return;
    const std::string path = folder + "/" + file;
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return;
    for (int k = 0; k < EntryCount; ++k)
        entries[k] = dlsym(library, entryNames[k]);
    if (entries[SetHideUI]) reinterpret_cast<IntArg>(entries[SetHideUI])(1);
}

void CaptureBridge::Unload()
{
    if (library) dlclose(library);
    library = nullptr;
    std::fill(std::begin(entries), std::end(entries), nullptr);
}

int CaptureBridge::AcquireOnce(const AnsiString& fileName)
{
    if (fileName.empty()) {
        if (!entries[AcquireToClipboard]) return 0;
        const int result = reinterpret_cast<WindowTypes>(entries[AcquireToClipboard])(0, 0);
        const bool picture = clipboardHoldsPicture ? clipboardHoldsPicture() : SystemClipboardHoldsPicture();
        return picture ? result : 0;
    }
    if (!entries[AcquireToFilename]) return 0;
    return reinterpret_cast<WindowName>(entries[AcquireToFilename])(0, fileName.c_str()) == 0 ? 1 : 0;
}

int CaptureBridge::Acquire(int type, const AnsiString& fileName)
{
    if (!library) return 0;
    AnsiString name = fileName;
    if (!name.empty()) {
        name += ".bmp";
        if (name.find('/') == AnsiString::npos) {
            std::error_code error;
            const std::string here = std::filesystem::current_path(error).string();
            if (!error) name = here + "/" + name;
        }
    }
    switch (type) {
    case 0:
        return entries[SelectImageSource] ? reinterpret_cast<Window>(entries[SelectImageSource])(0) : 0;
    case 1: {
        if (entries[SetHideUI]) reinterpret_cast<IntArg>(entries[SetHideUI])(0);
        const int result = AcquireOnce(name);
        if (entries[SetHideUI]) reinterpret_cast<IntArg>(entries[SetHideUI])(1);
        return result;
    }
    case 2:
        return AcquireOnce(name);
    case 3: {
        const int available = entries[IsAvailable] ? reinterpret_cast<NoArgs>(entries[IsAvailable])() : 0;
        // An absent source manager is remembered for the rest of the run.
        if (available == 0) Unload();
        return available;
    }
    default:
        return 0;
    }
}

CaptureBridge& Capture()
{
    static CaptureBridge bridge;
    return bridge;
}

} // namespace devices
