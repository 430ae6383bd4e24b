#include "platform/WindowModule.h"
#include "screen/robot/RobotParts.h"

// Tests link the window parts in-process: asking for the window module
// installs them from here instead of loading the module.

namespace {

void InstallForTests()
{
    InstallRobotParts();
}

const bool installerSet = (platform::setWindowInstaller(&InstallForTests), true);

} // namespace
