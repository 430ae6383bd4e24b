#include "canvas/ImagePartsInstaller.h"
#include "ide/IdeMain.h"
#include "platform/WindowModule.h"

int main(int argc, char** argv)
{
    // The executable still links the window parts: they are installed from
    // here, not loaded.
    platform::setWindowInstaller(&InstallImageParts);
    return EnvironmentMain(argc, argv);
}
