// The interpreter's tables name members "slots", which Qt's headers define as
// a macro: they come first.
#include "interpreter/Durnix_class.h"

#include "ide/IdeMain.h"

#include "ide/AboutForm.h"
#include "ide/CodesHelpForm.h"
#include "ide/DebugForm.h"
#include "ide/DurnixEditForm.h"
#include "ide/EmailForm.h"
#include "ide/ExecutableImage.h"
#include "ide/FindForm.h"
#include "ide/Forms.h"
#include "ide/IdeDialogs.h"
#include "ide/IdePaths.h"
#include "ide/ProgramRunner.h"
#include "ide/VTableForm.h"
#include "interpreter/RunHooks.h"
#include "platform/AnsiText.h"
#include "platform/KeyMap.h"
#include "platform/MessageBoxes.h"
#include "platform/ProcessStart.h"
#include "platform/QtMessageBoxes.h"
#include "screen/ScreenDialogs.h"
#include "screen/ScreenForm.h"

#include <QApplication>
#include <QSize>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>

namespace {

constexpr const char* usage = "usage: quorvatine [PROGRAM.bas]\n"
                              "       quorvatine --headless [--screenshot OUT.png] PROGRAM.bas\n";

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
    // Only closing the editor ends the program; the run-time screen and the
    // dialogs come and go.
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
    auto editor = std::make_unique<TDurnixEditForm>(IdePaths::ForExecutable(executable), dialogs);
    editor->SetCommandLine(compiled ? AnsiString(" ") : file);
    auto screen = std::make_unique<TScreenForm>();
    ScreenForm = screen.get();
    auto aboutBox = std::make_unique<TAboutForm>();
    AboutForm = aboutBox.get();
    // The e-mail window shows how a message goes out, in the environment
    // only: headless runs send without it.
    auto emailForm = std::make_unique<TEmailForm>();
    RunHooks::SetEmail(emailForm.get());
    struct ForgetEmail {
        ~ForgetEmail() { RunHooks::SetEmail(nullptr); }
    } forgetEmail;
    TDurnixEditForm* form = editor.get();
    ScreenForm->onViewEditor = [form] {
        form->show();
        form->raise();
        form->activateWindow();
    };
    ScreenForm->currentFileName = [form] { return form->Panel(4); };

    auto variablesWindow = std::make_unique<TVTableForm>();
    auto debugWindow = std::make_unique<TDebugForm>(*variablesWindow);
    DebugWindowHook debugHook(*debugWindow);
    RunHooks::SetDebugger(&debugHook);
    debugWindow->selectInEditor
        = [form](int line, int column, int length) { form->SelectEditorRange(line, column, length, false); };
    debugWindow->showEditor = ScreenForm->onViewEditor;
    debugWindow->showTerminal = [form] { form->ViewTerminalClick(); };
    auto helpWindow = std::make_unique<TCodesHelpForm>(
        IdePaths::ForExecutable(executable).programFolder + "Quorvatine_HelpFile.rtf", *form->FindForm());
    TDebugForm* debug = debugWindow.get();
    ScreenForm->onDebugOn = [debug] { debug->SetDebugOn(true); };
    ScreenForm->onSteppingOn = [debug] { debug->SetStepping(true); };

    editor->show();
    const int status = application.exec();
    RunHooks::SetDebugger(nullptr);
    helpWindow.reset();
    debugWindow.reset();
    variablesWindow.reset();
    aboutBox.reset();
    ScreenForm = nullptr;
    screen.reset();
    editor.reset();
    return status;
}
