#pragma once

#include "base/Values.h"
#include "ide/IdeSettings.h"
#include "ide/TabRecords.h"
#include "ide/editor/SchemePainter.h"
#include "runner/IdePaths.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class IdeDialogs;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QTabBar;
class QToolButton;
class TFindForm;
class TPreferencesForm;
class TReplaceForm;
class TsxEditor;

// The editor window: the main window of the environment. One editor control
// shows the current file tab; the other tabs wait in their records. Commands
// come from the menus, the tool bar and the editor's keys; every dialog goes
// through IdeDialogs and every message box through platform::messageBoxes().
class TDurnixEditForm : public QMainWindow {
public:
    TDurnixEditForm(const IdePaths& paths, IdeDialogs& dialogs, QWidget* parent = nullptr);
    ~TDurnixEditForm() override;

    // The command line: the program file to load and run at start-up; a
    // single space marks a stand-alone executable's own program.
    void SetCommandLine(const AnsiString& text) { commandLine = text; }
    const AnsiString& CommandLine() const { return commandLine; }
    // Starts the environment: the plain editor shows; with a program named,
    // the editor stays hidden until that program has run.
    void Start();
    // The editor is about to show or close by itself: its start-up is still
    // to run, a run is on the stack, or it closes once the run is over.
    bool Busy() const { return !startedUp || running || quitting || closeAfterRun; }
    // Called once the window's close has been accepted, with the process's
    // status: 1 when a program run at start ended with a run-time error, 2
    // when it could not be read, else 0. By default the event loop ends.
    std::function<void(int status)> onEnd;
    // Called when a run has ended and the windows are as the run left them.
    std::function<void()> onRunFinished;
    // Another program destroyed the window: taken as a close, with its
    // questions; a close refused brings the window back.
    void WindowDestroyed();

    // --- File commands ---
    void NewClick();
    void OpenClick() { OpenFile({}, false); }
    void SaveMenuClick() { SaveClick(); }
    // Opens a file (the open dialog when name is empty); false when nothing opened.
    bool OpenFile(const AnsiString& name, bool fromRecent);
    bool SaveClick();
    void SaveAllClick();
    bool CloseCurrentTab();
    void CloseClick();
    void CloseAllClick();
    void CloseAllOthersClick();
    void SaveBinaryClick();
    void CreateEXEClick();
    void SetDirectoryClick();
    void MergeToEndClick();
    void MergeAtCursorClick();
    void ExitClick();
    void AddRecentFile(const AnsiString& name);

    // --- Run ---
    void Run1Click();
    bool Running() const { return running; }
    const std::vector<AnsiString>& VariablesTable() const { return variablesTable; }

    // --- Editor commands ---
    void SelectEditorRange(int line, int column, int length, bool focus);
    void FindClick();
    void FindNextClick();
    void ReplaceClick();
    void ReplaceNextClick();
    void IndentBlockClick();
    void UnindentBlockClick();
    void ColorsClick();
    void FontsClick();
    void ViewTerminalClick();
    void ViewVariablesClick();
    void BringUpDebugClick();
    void CommandsSyntaxClick();
    void PreferencesClick();
    void AboutClick();
    void PrintClick();
    void PrinterSetupClick();
    // The printer that Print and Printer Setup share, made at first use.
    QPrinter& Printer();
    // Writes the preferences dialog's settings back (the editor's options,
    // margin, painter and print options; a smaller recent-file limit takes
    // effect at the next insertion).
    void ApplyPreferences(const IdeSettings& settings);
    void ClearRecentFiles();
    int PrintOptions() const { return keptSettings[IdeSettings::PrintOptions]; }
    void LineNumbersClick();
    void ToggleSmartTabbing();
    void UndoClick();
    void CutClick();
    void CopyClick();
    void PasteClick();
    void DeleteClick();
    void SelectAllClick();

    // --- State for tests and the other windows ---
    TsxEditor* Editor() const { return Memo1; }
    TsxPainter& Painter() { return sxPainter1; }
    QTabBar* Tabs() const { return TabControl1; }
    TFindForm* FindForm() const { return findForm; }
    TReplaceForm* ReplaceForm() const { return replaceForm; }
    TPreferencesForm* PreferencesForm() const { return preferencesForm; }
    int TabCount() const;
    int CurrentTab() const { return current; }
    AnsiString TabPath(int i) const;
    AnsiString TabCaption(int i) const;
    AnsiString Panel(int i) const;
    bool Modified() const { return modified; }
    bool HiddenProgramShown() const { return hiddenProgram; }
    const std::vector<AnsiString>& RecentFiles() const { return recentFiles; }
    QAction* Action(const char* caption) const;
    QMenu* FileMenu() const { return fileMenu; }
    void SelectTab(int index);
    // The state the settings file gets at close.
    IdeSettings CollectSettings() const;
    void ApplySettings(const IdeSettings& settings);
    bool SmartTabbing() const;
    bool AutoIndent() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // One row of the menu table.
    struct MenuRow;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void StartUp();
    void FillWordGroups();
    void RebuildRecentMenu();

    // Tabs.
    void StoreTabState();
    void RestoreTabState(int index);
    void TabChanged(int index);
    void AddTab(const AnsiString& path);
    void ShowProgramInEditor(const AnsiString& text);
    void ResetStartTab();
    bool ReadProgramFile(const AnsiString& name, bool fromRecent);
    bool LoadEditorFile(const AnsiString& name, bool fromRecent);
    // Writes a file atomically; a failure is reported with a box.
    bool WriteFile(const AnsiString& path, const AnsiString& text);
    int TabShowing(const AnsiString& path) const;
    bool RoomForAnotherTab();
    void SetCurrentPath(const AnsiString& path);
    void MarkUnmodified();
    void EditorChanged();
    AnsiString CurrentFileText() const;
    bool CloseWindowQuery();
    void CloseAllTabsAndQuit();

    // Run.
    bool ReloadIfNewer();
    void AfterRunError(int line, int column, class Durnix_Class& run);

    // Keys.
    bool EditorKeyDown(int key, int shift);
    void EditorKeyUp(int key, int shift);

    IdePaths paths;
    IdeDialogs& dialogs;

    TsxEditor* Memo1 = nullptr;
    TsxPainter sxPainter1;
    QTabBar* TabControl1 = nullptr;
    QLabel* panels[5] = {};
    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
    QToolButton* lineNumbersButton = nullptr;
    std::vector<QAction*> actions;
    std::vector<QAction*> recentActions;
    TFindForm* findForm = nullptr;
    TReplaceForm* replaceForm = nullptr;
    TPreferencesForm* preferencesForm = nullptr;
    std::unique_ptr<QPrinter> printer;

    // One record per tab; the current tab's record is filled only when
    // another tab is selected.
    std::vector<OpenFiles_S> records;
    int current = 0;
    AnsiString currentPath;
    double diskTime = 0;
    bool modified = false;
    bool hiddenProgram = false;
    bool compiledProgram = false;
    AnsiString hiddenProgramText;

    AnsiString commandLine;
    std::vector<AnsiString> recentFiles;
    int recentLimit = 5;
    bool rememberEditorBounds = false;
    bool marginAlwaysOn = false;
    // Settings that belong to windows not built here; kept so that saving
    // writes them back unchanged.
    IdeSettings keptSettings;
    bool settingsLoaded = false;

    bool firstShow = true;
    bool boundsRestored = false;
    bool startedUp = false;
    bool autoRunPending = false;
    bool running = false;
    bool closeAfterRun = false;
    bool quitting = false;
    // The status the process ends with when the editor closes.
    int endStatus = 0;
    bool bringScreenToFront = false;
    // The colour dialog's value, kept from one showing to the next.
    int dialogColour = 0;
    // Set while the editor's text is replaced by a command, so that the change
    // does not count as the user's edit.
    bool loadingText = false;
    std::vector<AnsiString> variablesTable;
};

// The one editor window, set while it exists.
extern TDurnixEditForm* DurnixEditForm;
