#include "ide/AboutInfo.h"

#include "devices/QelmBridge.h"
#include "pictures/JpegCodec.h"

#include <QtGlobal>

#include <dlfcn.h>

namespace AboutInfo {

namespace {

// GStreamer comes into the process with the media backend, which only the
// media module loads. The library is asked only when it is there already:
// loading it just to name its version would be no answer.
AnsiString LoadedGStreamerVersion()
{
    void* library = dlopen("libgstreamer-1.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
    if (!library) return {};
    using VersionNumbers = void (*)(unsigned*, unsigned*, unsigned*, unsigned*);
    const auto version = reinterpret_cast<VersionNumbers>(dlsym(library, "gst_version"));
    AnsiString text;
    if (version) {
        unsigned major = 0, minor = 0, micro = 0, nano = 0;
        version(&major, &minor, &micro, &nano);
        text = std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(micro);
    }
    // Only drops the reference taken above.
    dlclose(library);
    return text;
}

// The JPEG library names itself with its version ("libjpeg-turbo 2.1.5").
Library JpegLibrary()
{
    const AnsiString named = JpegLibraryVersion();
    const size_t gap = named.rfind(' ');
    if (gap == AnsiString::npos) return { named, {}, {} };
    return { named.substr(0, gap), named.substr(gap + 1), {} };
}

} // namespace

std::vector<Library> RunningLibraries()
{
    std::vector<Library> libraries {
        { "Qt", qVersion(), {} },
        JpegLibrary(),
        { "hidapi", devices::Qelm().HidLibraryVersion(), "libqelm.so" },
    };
    // A run that never played media has no GStreamer to name.
    AnsiString gstreamer = LoadedGStreamerVersion();
    if (!gstreamer.empty()) libraries.push_back({ "GStreamer", std::move(gstreamer), {} });
    return libraries;
}

std::vector<AnsiString> LibraryLines(const std::vector<Library>& libraries)
{
    std::vector<AnsiString> lines;
    for (const Library& library : libraries) {
        AnsiString line = library.name + (library.version.empty() ? ": not loaded" : " " + library.version);
        if (!library.through.empty()) line += " (through " + library.through + ")";
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace AboutInfo
