#include "ide/IdeMain.h"

#include "ide/Environment.h"
#include "ide/IdeDialogs.h"
#include "platform/AnsiText.h"
#include "platform/KeyMap.h"
#include "platform/MessageBoxes.h"
#include "platform/ProcessStart.h"
#include "platform/widgets/QtMessageBoxes.h"
#include "runner/ExecutableImage.h"
#include "runner/IdePaths.h"
#include "runner/ProgramRunner.h"
#include "screen/ScreenDialogs.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace {

constexpr const char* usage
    = "usage: quorvatine [PROGRAM.bas]\n"
      "       quorvatine --headless [--screenshot OUT.png] [--max-statements N] [--max-memory MB] PROGRAM.bas\n";

// An exception that reaches the event loop is shown, and the program goes on.
class EnvironmentApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            platform::messageBoxes().show(error.what(), "Quorvatine", platform::MessageFlags::IconError);
        } catch (...) {
            platform::messageBoxes().show("Unknown error", "Quorvatine", platform::MessageFlags::IconError);
        }
        return false;
    }
};

} // namespace

int EnvironmentMain(int argc, char** argv)
{
    const AnsiString executable = IdePaths::RunningExecutable();
    const bool compiled = !ExecutableImage::IsIdeExecutable(executable);
    AnsiString file;
    if (!compiled) {
        if (argc > 2 || (argc == 2 && std::strncmp(argv[1], "--", 2) == 0)) {
            std::fputs(usage, stderr);
            return static_cast<int>(ProgramRunner::Status::CannotRun);
        }
        if (argc == 2) file = argv[1];
    }

    EnvironmentApplication application(argc, argv);
    QApplication::setApplicationName("Quorvatine");
    // Number texts never follow the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    // The environment's lifetime keeper alone ends the program (see
    // ProcessLifetime.h); the run-time screen and the dialogs come and go.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::InstallKeyTracking();
    platform::QtMessageBoxes qtBoxes;
    platform::setMessageBoxes(&qtBoxes);
    QtDialogs runDialogs;
    platform::setDialogs(&runDialogs);
    struct ForgetDialogs {
        ~ForgetDialogs() { platform::setDialogs(nullptr); }
    } forgetDialogs;
    platform::setChildOutput(platform::ChildOutput::Inherited);

    QtIdeDialogs dialogs;
    // The settings folder may depend on the application's name: it is found
    // once the application exists.
    Environment environment(IdePaths::ForExecutable(executable), compiled ? AnsiString(" ") : file, dialogs);
    return environment.Exec();
}
