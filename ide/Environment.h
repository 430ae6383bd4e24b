#pragma once

#include "base/Values.h"
#include "runner/IdePaths.h"

#include <memory>

class IdeDialogs;
class TDurnixEditForm;
class TScreenForm;
class TAboutForm;
class TDebugForm;
class TVTableForm;
class TEmailForm;
class TCodesHelpForm;
class DebugWindowHook;
namespace ProcessLifetime {
class Keeper;
}

// The environment's windows, made once the application object exists and
// wired to each other: the editor, the run-time screen, the about box, the debug, variables,
// help and e-mail windows, and the keeper of the process's lifetime. The main
// routine makes one and runs it; tests make one on their own application.
class Environment {
public:
    // `commandLine` is the program file named on the command line (empty for
    // none; a single space for a stand-alone executable's own program).
    Environment(const IdePaths& paths, const AnsiString& commandLine, IdeDialogs& dialogs);
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    // Starts the editor (shown in the plain environment; hidden until its
    // program has run when one was named) and runs the event loop until the
    // process is to end; returns the process's status.
    int Exec();

    TDurnixEditForm& Editor() { return *editor; }
    TScreenForm& Screen() { return *screen; }
    TDebugForm& DebugWindow() { return *debugWindow; }

private:
    std::unique_ptr<TDurnixEditForm> editor;
    std::unique_ptr<TScreenForm> screen;
    std::unique_ptr<TAboutForm> aboutBox;
    std::unique_ptr<TEmailForm> emailForm;
    std::unique_ptr<TVTableForm> variablesWindow;
    std::unique_ptr<TDebugForm> debugWindow;
    std::unique_ptr<DebugWindowHook> debugHook;
    std::unique_ptr<TCodesHelpForm> helpWindow;
    std::unique_ptr<ProcessLifetime::Keeper> lifetime;
};
