#include "ide/IdeMain.h"
#include "platform/WindowModule.h"
#include "screen/robot/RobotParts.h"

namespace {

// FIXME: the executable links the window parts in-process until they are
// built as the module it loads.
void InstallWindowPartsInProcess()
{
    InstallRobotParts();
}

} // namespace

int main(int argc, char** argv)
{
    platform::setWindowInstaller(&InstallWindowPartsInProcess);
    return EnvironmentMain(argc, argv);
}
