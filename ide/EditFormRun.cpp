// The editor window's Run command and its editing commands and keys.
// The interpreter's tables name members "slots", which Qt's headers define as
// a macro: they come first.
#include "interpreter/Durnix_class.h"

#include "ide/CodesHelpForm.h"
#include "ide/DebugForm.h"
#include "ide/DurnixEditForm.h"
#include "ide/Forms.h"
#include "ide/VTableForm.h"

#include "builtins/ProgramName.h"
#include "ide/EditCommands.h"
#include "ide/FindForm.h"
#include "ide/IdeDialogs.h"
#include "ide/VariablesList.h"
#include "ide/editor/EditorKeys.h"
#include "ide/editor/EditorPrinting.h"
#include "ide/editor/QtPrintSurface.h"
#include "ide/editor/SxEditor.h"
#include "interpreter/ProgramFiles.h"
#include "interpreter/RunHooks.h"
#include "platform/MessageBoxes.h"
#include "runner/ExecutableImage.h"
#include "runner/ProgramRunner.h"
#include "screen/ScreenForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QTimer>
#include <QToolButton>

#include <unistd.h>

namespace MessageAnswer = platform::MessageAnswer;
namespace MessageFlags = platform::MessageFlags;

namespace {

// Set while the Run command is on the stack; a second Run is ignored.
class RunGuard {
public:
    explicit RunGuard(bool& flag)
        : running(flag)
    {
        running = true;
    }
    ~RunGuard() { running = false; }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

private:
    bool& running;
};

} // namespace

// --- Run ---

bool TDurnixEditForm::ReloadIfNewer()
{
    if (hiddenProgram || !commandLine.empty() || TabNames::IsUntitled(currentPath)) return true;
    if (ExecutableImage::FileAgeAsDateTime(currentPath) <= diskTime) return true;
    // Edits are never dropped unasked: only an unmodified tab reloads by itself.
    if (!(Action("Auto Load Newer &File")->isChecked() && !modified)) {
        const int answer = platform::messageBoxes().show(
            "File on Disk is newer than file in Editor.\nDo you want to load newer file?", "Quorvatine Message...",
            MessageFlags::YesNoCancel | MessageFlags::IconQuestion);
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::No) return true;
    }
    ReadProgramFile(currentPath, true);
    diskTime = ExecutableImage::FileAgeAsDateTime(currentPath);
    MarkUnmodified();
    return true;
}

void TDurnixEditForm::Run1Click()
{
    if (running || !ScreenForm) return;
    const RunGuard guard(running);
    auto run = std::make_unique<Durnix_Class>(*ScreenForm);
    const AnsiString folder = TabNames::Folder(currentPath);
    if (!folder.empty()) (void)::chdir(folder.c_str());
    if (!ReloadIfNewer()) return;

    ScreenForm->close();
    RunHooks::Debugger().CloseWindow();
    RunHooks::Services().ResetTcp();
    QAction* runAction = Action("&Run Program               Ctrl+R");
    runAction->setEnabled(false);
    ScreenForm->PrepareForRun();
    if (!commandLine.empty()) {
        hide();
        ScreenForm->ViewEditor->hide();
        ScreenForm->DebugON->hide();
        ScreenForm->TurnSteppingOn->hide();
    }
    RunHooks::SetHiddenProgram(hiddenProgram);
    RunHooks::SetFromExecutable(compiledProgram);
    ProgramName::Set(currentPath);
    run->Run(CurrentFileText());
    ScreenForm->AfterRun();
    runAction->setEnabled(true);

    const int outcome = run->outcome;
    const bool startedByItself = !commandLine.empty();
    if (startedByItself && (hiddenProgram || outcome > 0 || outcome == Outcome::Exit)) {
        // A program started by itself ends the environment when it ended in a
        // way that leaves nothing to edit.
        quitting = true;
        if (outcome > 0) endStatus = static_cast<int>(ProgramRunner::Status::RunTimeError);
        QTimer::singleShot(0, this, [this] { close(); });
    } else if (!closeAfterRun) {
        show();
        // What a program started by itself left on its screen stays in view;
        // the editor waits behind it.
        if (startedByItself && ScreenForm->isVisible()) {
            ScreenForm->raise();
            ScreenForm->activateWindow();
        }
    }
    if (outcome > 0 && !hiddenProgram) AfterRunError(outcome, run->errorColumn, *run);
    RunHooks::Services().ResetTcp();
    variablesTable = VariablesList::Lines(*run);
    if (outcome == Outcome::Terminate || outcome == Outcome::Exit || (outcome > 0 && hiddenProgram))
        ScreenForm->close();
    // The debug window never keeps a reference into a finished run.
    RunHooks::Debugger().CloseAfterRun();
    run.reset();
    if (closeAfterRun) {
        // Still set until the close itself, so that nothing shows the editor
        // on the way.
        QTimer::singleShot(0, this, [this] {
            closeAfterRun = false;
            close();
        });
    }
    if (onRunFinished) onRunFinished();
}

void TDurnixEditForm::AfterRunError(int line, int column, Durnix_Class& run)
{
    if (Memo1->Lines().Count() < line) {
        platform::messageBoxes().show("The error line is within an Include File that cannot be seen\r\nReport the "
                                      "error to the Author of the Include file you used",
            "Quorvatine...Error...", MessageFlags::IconError);
        return;
    }
    SelectEditorRange(line, 1, column, true);
    if (RunHooks::Debugger().SteppingOn()) RunHooks::Debugger().PostMortem(run.currentVariables, &run.expression);
}

void TDurnixEditForm::SelectEditorRange(int line, int column, int length, bool focus)
{
    EditCommands::SelectEditorRange(*Memo1, line, column, length);
    if (focus) Memo1->setFocus();
}

// --- Edit commands ---

void TDurnixEditForm::UndoClick()
{
    Memo1->Undo();
    Memo1->setFocus();
}

void TDurnixEditForm::CutClick()
{
    Memo1->CutToClipboard();
    Memo1->setFocus();
}

void TDurnixEditForm::CopyClick()
{
    Memo1->CopyToClipboard();
    Memo1->setFocus();
}

void TDurnixEditForm::PasteClick()
{
    Memo1->PasteFromClipboard();
    Memo1->setFocus();
}

void TDurnixEditForm::DeleteClick()
{
    Memo1->ClearBlock(true);
    Memo1->setFocus();
}

void TDurnixEditForm::SelectAllClick()
{
    Memo1->SelectAll();
    Memo1->setFocus();
}

void TDurnixEditForm::FindClick()
{
    if (Memo1->BlockNotEmpty()) findForm->SetEditorSearchText(Memo1->SelText());
    findForm->SetMode(TFindForm::Mode::Editor);
    findForm->show();
    findForm->raise();
}

void TDurnixEditForm::FindNextClick()
{
    EditCommands::FindInEditor(*Memo1, findForm->EditorSearchText(), findForm->MatchCaseChecked());
}

void TDurnixEditForm::ReplaceClick()
{
    if (hiddenProgram) return;
    if (Memo1->BlockNotEmpty()) replaceForm->SetFindText(Memo1->SelText());
    replaceForm->show();
    replaceForm->raise();
}

void TDurnixEditForm::ReplaceNextClick()
{
    if (hiddenProgram) return;
    findForm->SetEditorSearchText(replaceForm->FindText());
    findForm->SetMatchCase(replaceForm->MatchCaseChecked());
    EditCommands::ReplaceNext(*Memo1, replaceForm->FindText(), replaceForm->ReplaceText(),
        replaceForm->MatchCaseChecked(), EditCommands::ReplaceMode::Once);
}

void TDurnixEditForm::IndentBlockClick()
{
    if (hiddenProgram) return;
    EditCommands::IndentBlock(*Memo1);
    Memo1->setFocus();
}

void TDurnixEditForm::UnindentBlockClick()
{
    if (hiddenProgram) return;
    EditCommands::UnindentBlock(*Memo1);
    Memo1->setFocus();
}

void TDurnixEditForm::ColorsClick()
{
    dialogs.Colour(dialogColour);
    QApplication::clipboard()->setText(QString::number(dialogColour));
}

void TDurnixEditForm::FontsClick()
{
    AnsiString name = sxPainter1.Font().Name;
    dialogs.FontName(name);
    QApplication::clipboard()->setText(QString::fromLatin1(name.c_str()));
}

void TDurnixEditForm::ViewTerminalClick()
{
    if (!ScreenForm) return;
    ScreenForm->show();
    ScreenForm->raise();
}

void TDurnixEditForm::ViewVariablesClick()
{
    if (!VTableForm) return;
    VTableForm->SetLines(variablesTable);
    VTableForm->exec();
}

void TDurnixEditForm::BringUpDebugClick()
{
    if (!DebugForm || !DebugForm->isVisible()) return;
    DebugForm->raise();
    DebugForm->activateWindow();
}

void TDurnixEditForm::CommandsSyntaxClick()
{
    if (!CodesHelpForm) return;
    if (CodesHelpForm->isMinimized()) CodesHelpForm->showNormal();
    CodesHelpForm->show();
    CodesHelpForm->raise();
    if (Memo1->BlockNotEmpty() && Action("Selection Goes to &Help Screen")->isChecked()) {
        findForm->SetHelpSearchText(Memo1->SelText());
        findForm->SetMode(TFindForm::Mode::Help);
        findForm->show();
        findForm->raise();
    }
}

QPrinter& TDurnixEditForm::Printer()
{
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        SetDefaultPageMargins(*printer);
    }
    return *printer;
}

void TDurnixEditForm::PrintClick()
{
    if (Memo1->Lines().GetText().empty()) return;
    EditorPrinting::Job job;
    job.options = PrintOptions();
    job.caption = TabNames::WithoutFolder(currentPath);
    job.fontStyle = sxPainter1.Font().Style;
    job.fontColour = sxPainter1.Font().Color;
    QtPrintSurface surface(Printer(), sxPainter1.Font(), sxPainter1.Font().Size);
    const int total = EditorPrinting::TotalPages(*Memo1, surface, job);
    PrintChoice choice;
    if (!dialogs.Print(Printer(), total, Memo1->BlockNotEmpty(), choice)) return;
    if (choice.range == PrintChoice::Range::Selection)
        job.options |= EditorPrinting::Selected;
    else
        job.options &= ~EditorPrinting::Selected;
    const bool pages = choice.range == PrintChoice::Range::Pages;
    EditorPrinting::Print(*Memo1, surface, job, pages ? choice.fromPage : 1,
        pages ? choice.toPage : EditorPrinting::TotalPages(*Memo1, surface, job), choice.copies);
}

void TDurnixEditForm::PrinterSetupClick()
{
    dialogs.PrinterSetup(Printer());
}

void TDurnixEditForm::LineNumbersClick()
{
    Memo1->SetGutterShowLines(!Memo1->GutterShowLines());
    Memo1->SetGutter(Memo1->GutterShowLines() || marginAlwaysOn);
    lineNumbersButton->setChecked(Memo1->GutterShowLines());
    lineNumbersButton->setText(Memo1->GutterShowLines() ? "Ln#" : "   ");
}

void TDurnixEditForm::ToggleSmartTabbing()
{
    // The menu entry's check has already changed when it was clicked; keys
    // change it here.
    Memo1->TabBehavior = SmartTabbing() ? tbSmart : tbFixed;
}

// --- Keys ---

namespace {

struct ControlKey {
    int key;
    void (TDurnixEditForm::*command)();
};

// Ctrl with a letter, typed in the editor.
const ControlKey controlKeys[] = {
    { 'B', &TDurnixEditForm::ViewVariablesClick },
    { 'D', &TDurnixEditForm::BringUpDebugClick },
    { 'F', &TDurnixEditForm::FindClick },
    { 'G', &TDurnixEditForm::MergeAtCursorClick },
    { 'K', &TDurnixEditForm::FontsClick },
    { 'L', &TDurnixEditForm::ColorsClick },
    { 'N', &TDurnixEditForm::NewClick },
    { 'O', &TDurnixEditForm::OpenClick },
    { 'P', &TDurnixEditForm::PrintClick },
    { 'Q', &TDurnixEditForm::CloseClick },
    { 'R', &TDurnixEditForm::Run1Click },
    { 'S', &TDurnixEditForm::SaveMenuClick },
    { 'T', &TDurnixEditForm::ViewTerminalClick },
};

constexpr int VkF1 = Vk::F1;

} // namespace

bool TDurnixEditForm::EditorKeyDown(int key, int shift)
{
    if (shift == ShiftState::Ctrl) {
        for (const ControlKey& row : controlKeys) {
            if (row.key != key) continue;
            // Commands may open dialogs or run a program: they run after the
            // editor has finished with the key.
            if (row.command) {
                const auto command = row.command;
                QTimer::singleShot(0, this, [this, command] { (this->*command)(); });
            }
            return true;
        }
        return false;
    }
    if (shift & (ShiftState::Ctrl | ShiftState::Alt)) return false;
    if (key == Vk::Return && shift == 0 && !hiddenProgram)
        return EditCommands::EnterWithAutoIndent(*Memo1, AutoIndent());
    if (key == Vk::Tab && shift == 0 && !hiddenProgram) return EditCommands::TabInEmptyText(*Memo1);
    if (key == Vk::Back && shift == 0 && !hiddenProgram && Memo1->BlockNotEmpty() && Memo1->CaretX() == 0
        && Memo1->CaretY() == 0) {
        Memo1->ClearBlock(true);
        return true;
    }
    return false;
}

void TDurnixEditForm::EditorKeyUp(int key, int shift)
{
    const bool ctrl = shift & ShiftState::Ctrl;
    const bool plain = shift == 0;
    switch (key - VkF1 + 1) {
    case 3:
        if (shift & ShiftState::Alt) return;
        if (ctrl)
            ReplaceClick();
        else if (shift & ShiftState::Shift)
            ReplaceNextClick();
        else
            FindNextClick();
        return;
    case 4:
        if (plain) {
            QAction* action = Action("Smart Tabbin&g    F4");
            action->setChecked(!action->isChecked());
            ToggleSmartTabbing();
        }
        return;
    case 5:
        if (plain) {
            QAction* action = Action("Auto Inden&t        F5");
            action->setChecked(!action->isChecked());
        }
        return;
    case 7:
        if (plain) UnindentBlockClick();
        return;
    case 8:
        if (plain) IndentBlockClick();
        return;
    case 10:
        if (plain) SaveAllClick();
        return;
    case 11:
        if (plain) CloseAllClick();
        return;
    case 12:
        if (plain) ExitClick();
        return;
    case 1:
        if (plain) CommandsSyntaxClick();
        return;
    case 6:
        if (plain) PreferencesClick();
        return;
    default:
        return;
    }
}

bool TDurnixEditForm::eventFilter(QObject* watched, QEvent* event)
{
    // Function keys act once per press, on release: the releases of
    // auto-repeat never reach them.
    if (watched == Memo1 && event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->isAutoRepeat())
        return true;
    return QMainWindow::eventFilter(watched, event);
}
