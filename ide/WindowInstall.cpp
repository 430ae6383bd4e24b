#include "ide/WindowInstall.h"

#include "canvas/ImagePartsInstaller.h"
#include "devices/widgets/CommConfigForm.h"
#include "ide/Forms.h"
#include "ide/IdeMain.h"
#include "platform/KeyMap.h"
#include "platform/SystemQueries.h"
#include "runner/DeferredScreen.h"
#include "runner/WindowParts.h"
#include "screen/ScreenForm.h"
#include "screen/robot/RobotParts.h"

#include <QApplication>
#include <QSize>

namespace {

QCoreApplication* MakeApplication(int& argc, char** argv)
{
    auto* application = new QApplication(argc, argv);
    platform::InstallKeyTracking();
    return application;
}

// The headless run's window is the global run-time screen while it lives.
class HeadlessScreenForm : public TScreenForm {
public:
    ~HeadlessScreenForm() override
    {
        if (ScreenForm == this) ScreenForm = nullptr;
    }
};

std::unique_ptr<HeadlessWindow> MakeHeadlessWindow(FILE* out, FILE* in)
{
    // The screen exists off screen, sized as on a 1024 x 768 desktop, so that
    // its image is 800 x 600.
    auto form = std::make_unique<HeadlessScreenForm>();
    ScreenForm = form.get();
    form->SetDesktopSize(QSize(DeferredScreen::desktopWidth, DeferredScreen::desktopHeight));
    form->SetHeadless(out, in);
    // Nobody sees the off-screen window: painting it would only copy the
    // image into a backing store that nothing reads.
    form->setUpdatesEnabled(false);
    return form;
}

} // namespace

void InstallWindowParts()
{
    platform::setDesktopQueries(&platform::QtDesktopQueries());
    InstallImageParts();
    InstallRobotParts();
    // The serial component's line settings are edited in a dialog.
    InstallCommConfigDialog();
    SetWindowParts({ &EnvironmentMain, &MakeApplication, &MakeHeadlessWindow });
}
