#include "ide/DurnixEditForm.h"
#include "ide/Forms.h"

#include "ide/AboutForm.h"
#include "ide/CodesHelpForm.h"
#include "ide/PreferencesForm.h"

#include "ide/EditCommands.h"
#include "ide/FindForm.h"
#include "ide/IdeDialogs.h"
#include "ide/editor/BasicScheme.h"
#include "ide/editor/SxEditor.h"
#include "interpreter/Codes_class.h"
#include "interpreter/RunHooks.h"
#include "platform/AnsiText.h"
#include "platform/MessageBoxes.h"
#include "platform/WindowWatch.h"
#include "runner/ExecutableImage.h"
#include "runner/ProgramRunner.h"
#include "screen/ScreenForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <unistd.h>

TDurnixEditForm* DurnixEditForm = nullptr;

namespace {

enum class Kind { Plain, Check, CheckedOnStart, Disabled, Separator };
enum class MenuId { File, Edit, Run, View, Help };

// A menu caption as the form resource writes it, the key text set off by
// spaces, becomes the text and the key text separated by a tab; the key text
// is only shown, since the editor's key tables act on the keys.
QString MenuText(const char* caption)
{
    const std::string text(caption);
    const size_t gap = text.find("  ");
    if (gap == std::string::npos) return platform::toQString(text);
    const size_t key = text.find_first_not_of(' ', gap);
    if (key == std::string::npos) return platform::toQString(text.substr(0, gap));
    return platform::toQString(text.substr(0, gap) + "\t" + text.substr(key));
}

} // namespace

struct TDurnixEditForm::MenuRow {
    MenuId menu;
    const char* caption;
    void (TDurnixEditForm::*handler)();
    Kind kind;
    // The hint of the tool button that repeats the entry; none when empty.
    const char* toolHint;
};

namespace {
using F = TDurnixEditForm;
} // namespace

// Every menu entry, in menu order. Entries of the windows that other parts of
// the environment bring (help, preferences, debugger, variables, printing,
// about box) are shown disabled until those windows exist.
#define ROW(menu, caption, handler, kind, hint)                                                                        \
    {                                                                                                                  \
        MenuId::menu, caption, handler, Kind::kind, hint                                                               \
    }
static const TDurnixEditForm::MenuRow menuRows[] = {
    ROW(File, "&New                         Ctrl+N", &F::NewClick, Plain, "New File"),
    ROW(File, "&Open...                   Ctrl+O", &F::OpenClick, Plain, "Open an Existing File"),
    ROW(File, "&Save...                    Ctrl+S", &F::SaveMenuClick, Plain, "Save Current File"),
    ROW(File, "Sa&ve All                    F10", &F::SaveAllClick, Plain, "Save All Files"),
    ROW(File, "&Close                       Ctrl+Q", &F::CloseClick, Plain, "Close Current File and Remove its Tab"),
    ROW(File, "Close &All                   F11", &F::CloseAllClick, Plain, "Close All Files"),
    ROW(File, "Close All O&thers", &F::CloseAllOthersClick, Plain, ""),
    ROW(File, "-", nullptr, Separator, ""),
    ROW(File, "Save as &Binary", &F::SaveBinaryClick, Plain, ""),
    ROW(File, "Create E&XE", &F::CreateEXEClick, Plain, ""),
    ROW(File, "-", nullptr, Separator, ""),
    ROW(File, "Set &Directory", &F::SetDirectoryClick, Plain, ""),
    ROW(File, "Auto Load Newer &File", nullptr, CheckedOnStart, ""),
    ROW(File, "-", nullptr, Separator, ""),
    ROW(File, "&Merge To End...       Ctrl+G", &F::MergeToEndClick, Plain, ""),
    ROW(File, "Mer&ge At Cursor...", &F::MergeAtCursorClick, Plain, ""),
    ROW(File, "-", nullptr, Separator, ""),
    ROW(File, "&Print...                     Ctrl+P", &F::PrintClick, Plain, "Print The Program Text"),
    ROW(File, "P&rinter Setup...", &F::PrinterSetupClick, Plain, "Printer Setup"),
    ROW(File, "-", nullptr, Separator, ""),
    ROW(File, "&Exit                           F12", &F::ExitClick, Plain, ""),

    ROW(Edit, "&Undo                    Ctrl+Z", &F::UndoClick, Plain, ""),
    ROW(Edit, "-", nullptr, Separator, ""),
    ROW(Edit, "&Copy                    Ctrl+C", &F::CopyClick, Plain, ""),
    ROW(Edit, "C&ut                       Ctrl+X", &F::CutClick, Plain, ""),
    ROW(Edit, "&Paste                    Ctrl+V", &F::PasteClick, Plain, ""),
    ROW(Edit, "&Delete                   <Del>", &F::DeleteClick, Plain, ""),
    ROW(Edit, "&Select All              Ctrl+A", &F::SelectAllClick, Plain, ""),
    ROW(Edit, "-", nullptr, Separator, ""),
    ROW(Edit, "&Find...                  Ctrl+F", &F::FindClick, Plain, "Find A Text"),
    ROW(Edit, "Find &Next              F3", &F::FindNextClick, Plain, ""),
    ROW(Edit, "&Replace...           Ctrl+F3", &F::ReplaceClick, Plain, "Find And Replace Text"),
    ROW(Edit, "Repl&ace Next      Shift+F3", &F::ReplaceNextClick, Plain, ""),
    ROW(Edit, "-", nullptr, Separator, ""),
    ROW(Edit, "Un-Indent &Block  F7", &F::UnindentBlockClick, Plain, ""),
    ROW(Edit, "&Indent Block        F8", &F::IndentBlockClick, Plain, ""),
    ROW(Edit, "-", nullptr, Separator, ""),
    ROW(Edit, "Smart Tabbin&g    F4", &F::ToggleSmartTabbing, CheckedOnStart, ""),
    ROW(Edit, "Auto Inden&t        F5", nullptr, CheckedOnStart, ""),
    ROW(Edit, "Selection Goes to &Help Screen", nullptr, Check, ""),
    ROW(Edit, "-", nullptr, Separator, ""),
    ROW(Edit, "Pr&eferences...    F6", &F::PreferencesClick, Plain, ""),

    ROW(Run, "&Run Program               Ctrl+R", &F::Run1Click, Plain, "Run Program"),

    ROW(View, "&View Terminal              Ctrl+T", &F::ViewTerminalClick, Plain, ""),
    ROW(View, "View Variables &Table   Ctrl+B", &F::ViewVariablesClick, Plain, ""),
    ROW(View, "Bring Up &Debug           Ctrl+D", &F::BringUpDebugClick, Plain, ""),
    ROW(View, "-", nullptr, Separator, ""),
    ROW(View, "Co&lors...                   Ctrl+L", &F::ColorsClick, Plain, ""),
    ROW(View, "Fo&nts...                    Ctrl+K", &F::FontsClick, Plain, ""),

    ROW(Help, "&Commands Syntax    F1", &F::CommandsSyntaxClick, Plain, "View Quorvatine Commands Syntax"),
    ROW(Help, "&About Quorvatine", &F::AboutClick, Plain, ""),
};
#undef ROW

TDurnixEditForm::TDurnixEditForm(const IdePaths& idePaths, IdeDialogs& ideDialogs, QWidget* parent)
    : QMainWindow(parent)
    , paths(idePaths)
    , dialogs(ideDialogs)
{
    DurnixEditForm = this;
    setWindowTitle("Quorvatine IDE V4.2.1 [Editor Screen]");
    records.resize(1);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    TabControl1 = new QTabBar(central);
    TabControl1->setExpanding(false);
    TabControl1->setDocumentMode(true);
    TabControl1->addTab(TabNames::StartName);
    Memo1 = new TsxEditor(central);
    layout->addWidget(TabControl1);
    layout->addWidget(Memo1, 1);
    setCentralWidget(central);

    SetupBasicScheme(sxPainter1);
    Memo1->SetPainter(&sxPainter1);
    Memo1->SetUndoLimit(100);
    Memo1->SetTabScale(4);
    Memo1->TabBehavior = tbSmart;
    Memo1->KeysCopy = ShortCut('C', ShiftState::Ctrl);
    Memo1->KeysPaste = ShortCut('V', ShiftState::Ctrl);
    Memo1->KeysCut = ShortCut('X', ShiftState::Ctrl);
    Memo1->KeysUndo = ShortCut('Z', ShiftState::Ctrl);
    Memo1->KeysAll = ShortCut('A', ShiftState::Ctrl);
    // The statement a stepping run stopped at stays visible while the debug
    // window has the focus.
    Memo1->HideSelection = false;
    Memo1->SetText("' Type your new program here or use \r\n' the menu to load an existing one");
    Memo1->UndoList().Clear();
    Memo1->SetModified(false);

    Memo1->OnChange = [this](void*) { EditorChanged(); };
    Memo1->OnCaretXY = [this](void*, int x, int y, int) {
        panels[0]->setText(QString("L:%1").arg(y + 1));
        panels[1]->setText(QString("C:%1").arg(x));
    };
    Memo1->OnIsertChange = [this](void*) { panels[2]->setText(Memo1->InsertMode() ? "Ins" : "Ovr"); };
    Memo1->OnKeyDown = [this](void*, int& key, int shift) {
        if (EditorKeyDown(key, shift)) key = 0;
    };
    Memo1->OnKeyUp = [this](void*, int& key, int shift) { EditorKeyUp(key, shift); };
    Memo1->installEventFilter(this);

    findForm = new TFindForm(this);
    findForm->findInEditor = [this](const AnsiString& text, bool matchCase) {
        return EditCommands::FindInEditor(*Memo1, text, matchCase);
    };
    findForm->editorToStart = [this] { Memo1->SetBlockBegin({ 0, 0 }); };
    replaceForm = new TReplaceForm(this);
    replaceForm->onFindNext = [this] {
        findForm->SetEditorSearchText(replaceForm->FindText());
        findForm->SetMatchCase(replaceForm->MatchCaseChecked());
        EditCommands::FindInEditor(*Memo1, replaceForm->FindText(), replaceForm->MatchCaseChecked());
    };
    replaceForm->onReplace = [this] { ReplaceNextClick(); };
    replaceForm->onReplaceAll = [this] {
        if (hiddenProgram) return;
        findForm->SetEditorSearchText(replaceForm->FindText());
        findForm->SetMatchCase(replaceForm->MatchCaseChecked());
        EditCommands::ReplaceNext(*Memo1, replaceForm->FindText(), replaceForm->ReplaceText(),
            replaceForm->MatchCaseChecked(), EditCommands::ReplaceMode::All);
    };

    preferencesForm = new TPreferencesForm(*this, dialogs, this);
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    SetCurrentPath(TabNames::StartName);
    connect(TabControl1, &QTabBar::currentChanged, this, [this](int index) { TabChanged(index); });
    platform::WatchForeignDestroy(
        this, [this] { return testAttribute(Qt::WA_WState_Created) ? internalWinId() : WId(0); },
        [this] { WindowDestroyed(); });
}

TDurnixEditForm::~TDurnixEditForm()
{
    Memo1->SetPainter(nullptr);
    if (DurnixEditForm == this) DurnixEditForm = nullptr;
}

void TDurnixEditForm::BuildMenus()
{
    QMenu* menus[5] = { menuBar()->addMenu("&File"), menuBar()->addMenu("&Edit"), menuBar()->addMenu("&Run"),
        menuBar()->addMenu("&View"), menuBar()->addMenu("&Help") };
    fileMenu = menus[0];
    editMenu = menus[1];
    for (const MenuRow& row : menuRows) {
        QMenu* menu = menus[static_cast<int>(row.menu)];
        if (row.kind == Kind::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(MenuText(row.caption));
        action->setData(QString::fromLatin1(row.caption));
        action->setEnabled(row.kind != Kind::Disabled);
        if (row.kind == Kind::Check || row.kind == Kind::CheckedOnStart) {
            action->setCheckable(true);
            action->setChecked(row.kind == Kind::CheckedOnStart);
        }
        if (row.handler) {
            const auto handler = row.handler;
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
        actions.push_back(action);
    }
    // The editor's context menu repeats the edit commands.
    auto* popup = new QMenu(this);
    for (const char* caption :
        { "&Undo                    Ctrl+Z", "C&ut                       Ctrl+X", "&Copy                    Ctrl+C",
            "&Paste                    Ctrl+V", "&Delete                   <Del>", "&Select All              Ctrl+A",
            "&Find...                  Ctrl+F", "Find &Next              F3", "&Replace...           Ctrl+F3",
            "Repl&ace Next      Shift+F3", "&Indent Block        F8", "Un-Indent &Block  F7" }) {
        QAction* source = Action(caption);
        QAction* copy = popup->addAction(caption == std::string("Repl&ace Next      Shift+F3")
                ? QString("Repolace Next")
                : source->text().section('\t', 0, 0));
        connect(copy, &QAction::triggered, source, &QAction::trigger);
    }
    Memo1->SetPopupMenu(popup);

    // The tab strip's own menu.
    auto* tabMenu = new QMenu(this);
    const std::pair<const char*, const char*> tabEntries[] = {
        { "New", "&New                         Ctrl+N" },
        { "Open...", "&Open...                   Ctrl+O" },
        { "Save...", "&Save...                    Ctrl+S" },
        { "Save All", "Sa&ve All                    F10" },
        { "Close", "&Close                       Ctrl+Q" },
        { "Close All", "Close &All                   F11" },
        { "Close All Others", "Close All O&thers" },
    };
    for (const auto& [caption, source] : tabEntries)
        connect(tabMenu->addAction(caption), &QAction::triggered, Action(source), &QAction::trigger);
    TabControl1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TabControl1, &QWidget::customContextMenuRequested, this,
        [this, tabMenu](const QPoint& at) { tabMenu->popup(TabControl1->mapToGlobal(at)); });
}

void TDurnixEditForm::BuildToolBar()
{
    QToolBar* bar = addToolBar("Tools");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const MenuRow& row : menuRows) {
        if (!*row.toolHint) continue;
        QAction* action = Action(row.caption);
        auto* button = new QToolButton(bar);
        action->setIconText(action->text().section('\t', 0, 0).remove('&').remove("..."));
        button->setDefaultAction(action);
        button->setToolTip(row.toolHint);
        bar->addWidget(button);
    }
    bar->addSeparator();
    lineNumbersButton = new QToolButton(bar);
    lineNumbersButton->setCheckable(true);
    lineNumbersButton->setText("   ");
    lineNumbersButton->setToolTip("Push Down (on) or Up (off) to Toggle Line Numbers On/Off");
    connect(lineNumbersButton, &QToolButton::clicked, this, [this] { LineNumbersClick(); });
    bar->addWidget(lineNumbersButton);
}

void TDurnixEditForm::BuildStatusBar()
{
    for (int i = 0; i < 5; ++i) {
        panels[i] = new QLabel(this);
        panels[i]->setMinimumWidth(i < 4 ? 60 : 200);
        statusBar()->addWidget(panels[i], i == 4 ? 1 : 0);
    }
    panels[0]->setText("L:1");
    panels[1]->setText("C:0");
    panels[2]->setText("Ins");
}

QAction* TDurnixEditForm::Action(const char* caption) const
{
    for (QAction* action : actions)
        if (action->data().toString() == QString::fromLatin1(caption)) return action;
    return nullptr;
}

AnsiString TDurnixEditForm::Panel(int i) const
{
    if (i == 4) return currentPath;
    return platform::fromQString(panels[i]->text());
}

void TDurnixEditForm::AboutClick()
{
    TAboutForm::ShowFor(*this);
}

void TDurnixEditForm::PreferencesClick()
{
    preferencesForm->exec();
}

void TDurnixEditForm::ClearRecentFiles()
{
    recentFiles.clear();
    RebuildRecentMenu();
}

void TDurnixEditForm::ApplyPreferences(const IdeSettings& s)
{
    Action("Smart Tabbin&g    F4")->setChecked(s.Flag(IdeSettings::SmartTabbing));
    Memo1->TabBehavior = s.Flag(IdeSettings::SmartTabbing) ? tbSmart : tbFixed;
    Action("Auto Load Newer &File")->setChecked(s.Flag(IdeSettings::AutoLoadNewer));
    Memo1->SetTabScale(s[IdeSettings::TabWidth]);
    Action("Auto Inden&t        F5")->setChecked(s.Flag(IdeSettings::AutoIndent));
    rememberEditorBounds = s.Flag(IdeSettings::RememberEditorBounds);
    keptSettings.SetFlag(IdeSettings::RememberHelpBounds, s.Flag(IdeSettings::RememberHelpBounds));
    Action("Selection Goes to &Help Screen")->setChecked(s.Flag(IdeSettings::SelectionToHelp));
    recentLimit = s[IdeSettings::RecentLimit];
    keptSettings.Set(IdeSettings::PrintOptions, s[IdeSettings::PrintOptions]);
    marginAlwaysOn = s.Flag(IdeSettings::MarginAlwaysOn);
    Memo1->SetGutter(s.Flag(IdeSettings::GutterShown));
    Memo1->SetGutterShowLines(s.Flag(IdeSettings::GutterLineNumbers));
    lineNumbersButton->setChecked(Memo1->GutterShowLines());
    lineNumbersButton->setText(Memo1->GutterShowLines() ? "Ln#" : "   ");
    IdeSettingsFile::ApplyToPainter(s, sxPainter1);
    Memo1->SetGutterWidth(s[IdeSettings::GutterWidth]);
    Memo1->FullUpdate();
}

bool TDurnixEditForm::SmartTabbing() const
{
    return Action("Smart Tabbin&g    F4")->isChecked();
}

bool TDurnixEditForm::AutoIndent() const
{
    return Action("Auto Inden&t        F5")->isChecked();
}

// --- Start-up and close ---

void TDurnixEditForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstShow) return;
    firstShow = false;
    // A program named at start runs before the editor first shows: the
    // bounds the settings kept then stand.
    const QScreen* screen = boundsRestored ? nullptr : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        const int width = std::min(area.width() * 99 / 100, 1024);
        const int height = std::min(area.height() * 90 / 100, 768);
        setGeometry(area.width() / 2 - width / 2, area.height() / 2 - height / 2, width, height);
    }
    // The rest of the start-up may run a program, which needs the event loop:
    // it runs once the window is up, never inside a paint.
    QTimer::singleShot(0, this, [this] { StartUp(); });
}

void TDurnixEditForm::FillWordGroups()
{
    const Vocabulary& vocabulary = Vocabulary::instance();
    for (int kind = 0; kind < 5; ++kind) {
        AnsiString list;
        vocabulary.KeywordList(kind, list);
        if (TsxWords* words = sxPainter1.FindWords(BasicWordGroups[kind])) {
            if (kind == 0) list += "\r\ninclude";
            words->SetWordsText(list);
        }
    }
}

void TDurnixEditForm::Start()
{
    if (commandLine.empty()) {
        show();
        return;
    }
    // Shown and hidden again at once for the run, the window would race the
    // window manager, which may leave it unmapped for good.
    QTimer::singleShot(0, this, [this] { StartUp(); });
}

void TDurnixEditForm::StartUp()
{
    if (startedUp) return;
    startedUp = true;
    if (commandLine == " ") {
        AnsiString program;
        const auto result = ExecutableImage::LoadAppendedProgram(paths.executable, program);
        hiddenProgram = true;
        Memo1->SetReadOnly(true);
        if (result != ExecutableImage::AppendedResult::Found) {
            if (result == ExecutableImage::AppendedResult::Unreadable)
                platform::messageBoxes().show("Could not open the file " + paths.executable, "Quorvatine...Error...",
                    platform::MessageFlags::IconError);
            hiddenProgramText = "End";
            CloseAllTabsAndQuit();
            return;
        }
        hiddenProgramText = program;
        compiledProgram = true;
        ShowProgramInEditor(program);
        modified = false;
        SetCurrentPath(TabNames::WithoutFolder(paths.executable));
        TabControl1->setTabText(0, platform::toQString(currentPath));
        autoRunPending = true;
    } else if (commandLine.empty()) {
        Memo1->SelectAll();
        SetCurrentPath(TabNames::StartName);
    } else {
        AnsiString name = commandLine;
        if (name.find('"') != AnsiString::npos && name.size() >= 2) name = name.substr(1, name.size() - 2);
        if (!name.empty() && name[0] != '/') {
            char buffer[4096];
            if (::getcwd(buffer, sizeof buffer)) name = AnsiString(buffer) + "/" + name;
        }
        const AnsiString folder = TabNames::Folder(name);
        if (!folder.empty()) (void)::chdir(folder.c_str());
        if (!LoadEditorFile(name, false)) return;
        autoRunPending = true;
    }
    if (commandLine != " ") {
        FillWordGroups();
        IdeSettings settings;
        if (IdeSettingsFile::Load(paths.settingsFile, settings)) ApplySettings(settings);
        Memo1->FullUpdate();
    }
    if (autoRunPending) {
        autoRunPending = false;
        Run1Click();
        commandLine.clear();
    }
    if (!quitting) Memo1->setFocus();
}

void TDurnixEditForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Restoring the environment while a program runs brings the run-time
    // screen up with it at the next activation.
    if (event->type() == QEvent::WindowStateChange && !isMinimized() && ScreenForm && !ScreenForm->stopped)
        bringScreenToFront = true;
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && bringScreenToFront && ScreenForm) {
        bringScreenToFront = false;
        ScreenForm->raise();
    }
}

void TDurnixEditForm::closeEvent(QCloseEvent* event)
{
    if (running) {
        // The run ends at its next statement; the window closes, with its
        // questions, once the Run command has returned.
        closeAfterRun = true;
        if (ScreenForm) ScreenForm->stopped = true;
        // A run waiting in the debug window goes on, to its end.
        RunHooks::Debugger().CloseWindow();
        event->ignore();
        return;
    }
    if (!CloseWindowQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    if (onEnd)
        onEnd(endStatus);
    else
        QCoreApplication::exit(endStatus);
}

bool TDurnixEditForm::CloseWindowQuery()
{
    if (!quitting) {
        for (int k = TabCount() - 1; k >= 0; --k) {
            if (!CloseCurrentTab()) {
                SelectTab(current);
                Memo1->setFocus();
                return false;
            }
        }
        if (commandLine.empty()) IdeSettingsFile::Save(paths.settingsFile, CollectSettings());
    }
    modified = false;
    loadingText = true;
    Memo1->Clear();
    loadingText = false;
    SetCurrentPath({});
    if (ScreenForm) {
        ScreenForm->closeMode = 0;
        ScreenForm->closeRequested = false;
        ScreenForm->stopped = true;
        ScreenForm->close();
    }
    RunHooks::Debugger().CloseWindow();
    findForm->hide();
    replaceForm->hide();
    return true;
}

void TDurnixEditForm::CloseAllTabsAndQuit()
{
    // A program that cannot run ends the environment without questions.
    quitting = true;
    endStatus = static_cast<int>(ProgramRunner::Status::CannotRun);
    QTimer::singleShot(0, this, [this] { close(); });
}

void TDurnixEditForm::WindowDestroyed()
{
    // Qt does not notice by itself: the widget would stay "visible" with no
    // window behind it. A new window is made when it shows again.
    hide();
    destroy();
    if (!close() && !quitting) show();
}

void TDurnixEditForm::ExitClick()
{
    close();
}

// --- Settings ---

IdeSettings TDurnixEditForm::CollectSettings() const
{
    IdeSettings s = keptSettings;
    s.SetFlag(IdeSettings::SmartTabbing, SmartTabbing());
    s.SetFlag(IdeSettings::AutoLoadNewer, Action("Auto Load Newer &File")->isChecked());
    s.Set(IdeSettings::TabWidth, Memo1->TabScale());
    s.SetFlag(IdeSettings::AutoIndent, AutoIndent());
    s.SetFlag(IdeSettings::RememberEditorBounds, rememberEditorBounds);
    s.SetFlag(IdeSettings::SelectionToHelp, Action("Selection Goes to &Help Screen")->isChecked());
    s.Set(IdeSettings::RecentLimit, recentLimit);
    s.SetFlag(IdeSettings::MarginAlwaysOn, marginAlwaysOn);
    s.SetFlag(IdeSettings::GutterShown, Memo1->Gutter());
    s.SetFlag(IdeSettings::GutterLineNumbers, Memo1->GutterShowLines());
    s.Set(IdeSettings::GutterWidth, Memo1->GutterWidth());
    IdeSettingsFile::ReadFromPainter(sxPainter1, s);
    const QRect bounds = geometry();
    s.Set(IdeSettings::EditorTop, bounds.top());
    s.Set(IdeSettings::EditorLeft, bounds.left());
    s.Set(IdeSettings::EditorWidth, bounds.width());
    s.Set(IdeSettings::EditorHeight, bounds.height());
    s.SetFlag(IdeSettings::EditorMaximised, isMaximized());
    if (CodesHelpForm && s.Flag(IdeSettings::RememberHelpBounds)) {
        const QRect help = CodesHelpForm->geometry();
        s.Set(IdeSettings::HelpTop, help.top());
        s.Set(IdeSettings::HelpLeft, help.left());
        s.Set(IdeSettings::HelpWidth, help.width());
        s.Set(IdeSettings::HelpHeight, help.height());
        s.Set(IdeSettings::HelpTreeWidth, CodesHelpForm->TreeWidth());
    }
    s.recentFiles = recentFiles;
    return s;
}

void TDurnixEditForm::ApplySettings(const IdeSettings& s)
{
    keptSettings = s;
    Action("Smart Tabbin&g    F4")->setChecked(s.Flag(IdeSettings::SmartTabbing));
    Memo1->TabBehavior = s.Flag(IdeSettings::SmartTabbing) ? tbSmart : tbFixed;
    Action("Auto Load Newer &File")->setChecked(s.Flag(IdeSettings::AutoLoadNewer));
    Memo1->SetTabScale(s[IdeSettings::TabWidth]);
    Action("Auto Inden&t        F5")->setChecked(s.Flag(IdeSettings::AutoIndent));
    rememberEditorBounds = s.Flag(IdeSettings::RememberEditorBounds);
    Action("Selection Goes to &Help Screen")->setChecked(s.Flag(IdeSettings::SelectionToHelp));
    recentLimit = s[IdeSettings::RecentLimit];
    marginAlwaysOn = s.Flag(IdeSettings::MarginAlwaysOn);
    Memo1->SetGutterShowLines(s.Flag(IdeSettings::GutterLineNumbers));
    Memo1->SetGutter(s.Flag(IdeSettings::GutterShown) || marginAlwaysOn || Memo1->GutterShowLines());
    lineNumbersButton->setChecked(Memo1->GutterShowLines());
    lineNumbersButton->setText(Memo1->GutterShowLines() ? "Ln#" : "   ");
    IdeSettingsFile::ApplyToPainter(s, sxPainter1);
    Memo1->SetGutterWidth(s[IdeSettings::GutterWidth]);
    if (rememberEditorBounds) {
        const QRect bounds(s[IdeSettings::EditorLeft], s[IdeSettings::EditorTop], s[IdeSettings::EditorWidth],
            s[IdeSettings::EditorHeight]);
        // Bounds that no screen shows would put the window out of reach.
        bool visible = false;
        for (const QScreen* screen : QGuiApplication::screens())
            visible = visible || screen->geometry().intersects(bounds);
        if (visible && bounds.width() >= 100 && bounds.height() >= 100) {
            setGeometry(bounds);
            boundsRestored = true;
        }
    }
    if (CodesHelpForm && s.Flag(IdeSettings::RememberHelpBounds) && s[IdeSettings::HelpWidth] >= 100
        && s[IdeSettings::HelpHeight] >= 100)
        CodesHelpForm->SetBoundsFromSettings(QRect(s[IdeSettings::HelpLeft], s[IdeSettings::HelpTop],
                                                 s[IdeSettings::HelpWidth], s[IdeSettings::HelpHeight]),
            s[IdeSettings::HelpTreeWidth]);
    // A file opened before the settings came (the one named on the command
    // line) stays in the list, as its newest entry.
    const std::vector<AnsiString> openedBefore = recentFiles;
    recentFiles.clear();
    for (auto name = s.recentFiles.rbegin(); name != s.recentFiles.rend(); ++name)
        AddRecentFile(*name);
    for (auto name = openedBefore.rbegin(); name != openedBefore.rend(); ++name)
        AddRecentFile(*name);
    settingsLoaded = true;
}
