#include "canvas/ImagePartsInstaller.h"
#include "platform/SystemQueries.h"
#include "platform/WindowModule.h"
#include "screen/robot/RobotParts.h"

// Tests link the window parts in-process: asking for the window module
// installs them from here instead of loading the module.

namespace {

void InstallForTests()
{
    platform::setDesktopQueries(&platform::QtDesktopQueries());
    InstallImageParts();
    InstallRobotParts();
}

// Installed at once: the desktop queries are asked without asking for the
// module first.
const bool installed = (platform::setWindowInstaller(&InstallForTests), platform::RequireWindowModule(), true);

} // namespace
