#include "canvas/ImagePartsInstaller.h"
#include "platform/WindowModule.h"

// Tests link the window parts in-process: asking for the window module
// installs them from here instead of loading the module.

namespace {

void InstallForTests()
{
    InstallImageParts();
}

const bool installerSet = (platform::setWindowInstaller(&InstallForTests), true);

} // namespace
