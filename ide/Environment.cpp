// The interpreter's tables name members "slots", which Qt's headers define as
// a macro: they come first.
#include "interpreter/Durnix_class.h"

#include "ide/Environment.h"

#include "ide/AboutForm.h"
#include "ide/CodesHelpForm.h"
#include "ide/DebugForm.h"
#include "ide/DurnixEditForm.h"
#include "ide/EmailForm.h"
#include "ide/Forms.h"
#include "ide/ProcessLifetime.h"
#include "ide/VTableForm.h"
#include "interpreter/RunHooks.h"
#include "screen/ScreenForm.h"

#include <QApplication>

Environment::Environment(const IdePaths& paths, const AnsiString& commandLine, IdeDialogs& dialogs)
{
    editor = std::make_unique<TDurnixEditForm>(paths, dialogs);
    editor->SetCommandLine(commandLine);
    screen = std::make_unique<TScreenForm>();
    ScreenForm = screen.get();
    aboutBox = std::make_unique<TAboutForm>();
    AboutForm = aboutBox.get();
    // The e-mail window shows how a message goes out, in the environment
    // only: headless runs send without it.
    emailForm = std::make_unique<TEmailForm>();
    RunHooks::SetEmail(emailForm.get());
    TDurnixEditForm* form = editor.get();
    screen->onViewEditor = [form] {
        form->show();
        form->raise();
        form->activateWindow();
    };
    screen->currentFileName = [form] { return form->Panel(4); };

    variablesWindow = std::make_unique<TVTableForm>();
    debugWindow = std::make_unique<TDebugForm>(*variablesWindow);
    debugHook = std::make_unique<DebugWindowHook>(*debugWindow);
    RunHooks::SetDebugger(debugHook.get());
    debugWindow->selectInEditor
        = [form](int line, int column, int length) { form->SelectEditorRange(line, column, length, false); };
    debugWindow->showEditor = screen->onViewEditor;
    debugWindow->showTerminal = [form] { form->ViewTerminalClick(); };
    helpWindow = std::make_unique<TCodesHelpForm>(paths.programFolder + "Quorvatine_HelpFile.rtf", *form->FindForm());
    TDebugForm* debug = debugWindow.get();
    screen->onDebugOn = [debug] { debug->SetDebugOn(true); };
    screen->onSteppingOn = [debug] { debug->SetStepping(true); };

    lifetime = std::make_unique<ProcessLifetime::Keeper>(*editor, [form] { return form->Busy(); });
    ProcessLifetime::Keeper* keeper = lifetime.get();
    editor->onEnd = [keeper](int status) { keeper->End(status); };
    editor->onRunFinished = [keeper] { keeper->ReviewSoon(); };
}

Environment::~Environment()
{
    lifetime.reset();
    RunHooks::SetDebugger(nullptr);
    RunHooks::SetEmail(nullptr);
    helpWindow.reset();
    debugWindow.reset();
    variablesWindow.reset();
    emailForm.reset();
    AboutForm = nullptr;
    aboutBox.reset();
    ScreenForm = nullptr;
    screen.reset();
    editor.reset();
}

int Environment::Exec()
{
    editor->Start();
    return QApplication::exec();
}
