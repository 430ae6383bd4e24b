// The interpreter's tables name members "slots", which Qt's headers define as
// a macro: they come first.
#include "interpreter/Durnix_class.h"

#include "ide/DebugForm.h"
#include "ide/DurnixEditForm.h"
#include "ide/FindForm.h"
#include "ide/Forms.h"
#include "ide/IdeDialogs.h"
#include "ide/IdeSettings.h"
#include "ide/VTableForm.h"
#include "ide/editor/SxEditor.h"
#include "interpreter/ProgramFiles.h"
#include "interpreter/RunHooks.h"
#include "platform/AnsiText.h"
#include "platform/MessageBoxes.h"
#include "screen/ScreenForm.h"
#include "tests/support/QtTestApplication.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace Answer = platform::MessageAnswer;

// The run-time screen of these tests. Like the application object it is never
// destroyed: a shown window torn down from a static destructor at exit, after
// Qt's own statics are gone, crashes inside Qt.
TScreenForm& Screen()
{
    static TScreenForm* screen = [] {
        TestApplication();
        auto* form = new TScreenForm;
        form->SetDesktopSize(QSize(1024, 768));
        return form;
    }();
    ScreenForm = screen;
    return *screen;
}

std::string Slurp(const std::string& path)
{
    AnsiString bytes;
    ProgramFiles::ReadBytes(path, bytes);
    return bytes;
}

// The editor window over a temporary folder, with scripted dialogs and
// recorded message boxes, on the off-screen run-time screen.
class EditFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Screen().SetHeadless(out = std::tmpfile(), in = std::tmpfile());
        platform::setMessageBoxes(&boxes);
        folder = dir.path().toStdString();
        char buffer[4096];
        oldDirectory = ::getcwd(buffer, sizeof buffer) ? buffer : "/";
        (void)::chdir(folder.c_str());
    }

    void Start(const AnsiString& commandLine = {}, const AnsiString& executable = {})
    {
        const AnsiString own = executable.empty() ? folder + "/quorvatine" : executable;
        IdePaths paths = IdePaths::ForExecutable(own);
        paths.settingsFile = folder + "/Quorvatine.INI";
        form = std::make_unique<TDurnixEditForm>(paths, dialogs);
        form->SetCommandLine(commandLine);
        form->show();
        Process();
    }

    void TearDown() override
    {
        form.reset();
        platform::setMessageBoxes(nullptr);
        Screen().SetHeadless(nullptr, nullptr);
        Screen().hide();
        std::fclose(out);
        std::fclose(in);
        (void)::chdir(oldDirectory.c_str());
    }

    // Commands started by keys run once the key has been handled.
    static void Process()
    {
        for (int k = 0; k < 5; ++k)
            QCoreApplication::processEvents();
    }

    void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
        QApplication::sendEvent(form->Editor(), &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
        QApplication::sendEvent(form->Editor(), &release);
        Process();
    }

    void Type(const QString& s)
    {
        for (QChar c : s)
            Key(c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : Qt::Key_Space, Qt::NoModifier, QString(c));
    }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string Output()
    {
        std::fflush(out);
        std::rewind(out);
        std::string text;
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, out)) > 0)
            text.append(buffer, got);
        return text;
    }

    AnsiString Text() const { return form->Editor()->Lines().GetText(); }

    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const auto& shown : boxes.shown)
            captions.push_back(shown.caption);
        return captions;
    }

    QTemporaryDir dir;
    std::string folder;
    std::string oldDirectory;
    ScriptedIdeDialogs dialogs;
    platform::RecordingMessageBoxes boxes;
    FILE* out = nullptr;
    FILE* in = nullptr;
    std::unique_ptr<TDurnixEditForm> form;
};

TEST_F(EditFormTest, OpenTypeAndSave)
{
    const std::string path = Write("prog.bas", "a = 1\n\tprint a\n");
    Start();
    EXPECT_EQ(form->TabCaption(0), "NoName.BAS");
    dialogs.fileNames = { path };
    Key(Qt::Key_O, Qt::ControlModifier);
    // The untouched start tab takes the file.
    ASSERT_EQ(form->TabCount(), 1);
    EXPECT_EQ(form->TabCaption(0), "prog.bas");
    EXPECT_EQ(form->Panel(4), path);
    EXPECT_EQ(form->Panel(3), "");
    EXPECT_EQ(form->RecentFiles(), (std::vector<AnsiString> { path }));

    Type("x");
    EXPECT_EQ(form->TabCaption(0), "*prog.bas");
    EXPECT_EQ(form->Panel(3), "Modified");
    // An already open file is only selected.
    dialogs.fileNames = { path };
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(form->TabCount(), 1);
    EXPECT_EQ(form->TabCaption(0), "*prog.bas");

    dialogs.fileNames = { path };
    Key(Qt::Key_S, Qt::ControlModifier);
    const int tab = form->Editor()->Lines().TabWidth();
    const std::string saved = Slurp(path);
    EXPECT_EQ(saved, "xa = 1\r\n" + std::string(static_cast<size_t>(tab), ' ') + "print a\r\n");
    EXPECT_EQ(form->TabCaption(0), "prog.bas");
    EXPECT_EQ(form->Panel(3), "");

    // A write that fails keeps the old file and the tab's mark.
    Type("y");
    dialogs.fileNames = { folder + "/missing/prog.bas" };
    EXPECT_FALSE(form->SaveClick());
    EXPECT_EQ(boxes.shown.back().text, "Could not create the file " + folder + "/missing/prog.bas");
    EXPECT_EQ(boxes.shown.back().caption, "Quorvatine...Error...");
    EXPECT_EQ(form->TabCaption(0), "*prog.bas");
}

// Records what the window looks like while a program runs.
class RunObserver : public DebugHook {
public:
    TDurnixEditForm* form = nullptr;
    std::vector<bool> runEnabled;
    bool stepping = true;
    bool SteppingOn() const override { return stepping; }
    void StepAt(int, int, int, const AnsiString&, Variables_Class*, Expression_Class*, const bool&) override
    {
        runEnabled.push_back(form->Action("&Run Program               Ctrl+R")->isEnabled());
        // A second Run while one is on the stack does nothing.
        form->Run1Click();
    }
    int postMortems = 0;
    void PostMortem(Variables_Class*, Expression_Class*) override { ++postMortems; }
};

TEST_F(EditFormTest, RunPrintsAndListsVariables)
{
    const std::string path = Write("run.bas", "a = 5\nb = 2.5\nc = \"x\"\nprint \"hi\"\n");
    Start();
    ASSERT_TRUE(form->OpenFile(path, false));
    RunObserver observer;
    observer.form = form.get();
    RunHooks::SetDebugger(&observer);
    Key(Qt::Key_R, Qt::ControlModifier);
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(Output(), "hi\n");
    ASSERT_GE(observer.runEnabled.size(), 4u);
    EXPECT_EQ(std::count(observer.runEnabled.begin(), observer.runEnabled.end(), true), 0);
    EXPECT_TRUE(form->Action("&Run Program               Ctrl+R")->isEnabled());
    EXPECT_FALSE(form->Running());
    EXPECT_EQ(form->VariablesTable(),
        (std::vector<AnsiString> {
            "Integer   a   ___________________________  5",
            "Float     b   ___________________________  2.5",
            "String    c   ___________________________  \"x\"",
        }));
    EXPECT_TRUE(boxes.shown.empty());

    // Ctrl+B shows that list, texts quoted, in the variables window, modally.
    TVTableForm variablesWindow;
    bool modal = false;
    AnsiString shown;
    // The command runs once the key is handled: answer when the window is up.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, &variablesWindow, [&] {
        if (!variablesWindow.isVisible()) return;
        modal = variablesWindow.isModal();
        shown = variablesWindow.ListText();
        variablesWindow.reject();
    });
    answer.start(5);
    Key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(modal);
    EXPECT_EQ(shown,
        "Integer   a   ___________________________  5\nFloat     b   ___________________________  2.5\n"
        "String    c   ___________________________  \"x\"");
}

TEST_F(EditFormTest, RunErrorSelectsTheLine)
{
    const AnsiString program = "print 1\r\nprint 2\r\nx = 1 + * 2\r\nprint 3\r\n";
    Durnix_Class reference(Screen());
    ASSERT_EQ(reference.Run(program), 0);
    ASSERT_EQ(reference.outcome, 3);
    Start();
    ASSERT_TRUE(form->OpenFile(Write("err.bas", program), false));
    RunObserver observer;
    observer.form = form.get();
    RunHooks::SetDebugger(&observer);
    form->Run1Click();
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(form->Editor()->BlockBegin(), (TqzPoint { 0, 2 }));
    EXPECT_EQ(form->Editor()->SelLength(), reference.errorColumn);
    EXPECT_EQ(observer.postMortems, 1);
    EXPECT_EQ(Captions(), (std::vector<std::string> { "ERROR----", "ERROR----" }));

    // An error in an included file lies past the editor's last line.
    Write("inc.bas", "sub boom(n)\r\ny = 2 + * n\r\nreturn n\r\n");
    boxes.shown.clear();
    ASSERT_TRUE(form->OpenFile(Write("main.bas", "#include \"inc.bas\"\r\ncall boom(1)\r\n"), false));
    form->Run1Click();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text,
        "The error line is within an Include File that cannot be seen\r\nReport the error to the Author of the "
        "Include file you used");
    EXPECT_EQ(boxes.shown[1].caption, "Quorvatine...Error...");
    EXPECT_FALSE(form->Editor()->BlockNotEmpty());
}

TEST_F(EditFormTest, TabSwitchingKeepsEachTabsState)
{
    const std::string path = Write("one.bas", "print 1\nprint 11\n");
    Start();
    ASSERT_TRUE(form->OpenFile(path, false));
    Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(form->TabCount(), 2);
    EXPECT_EQ(form->TabPath(1), "NoName1.BAS");
    Type("abc def");
    form->Editor()->SetBlockBegin({ 1, 0 });
    form->Editor()->SetBlockEnd({ 5, 0 });

    form->Tabs()->setCurrentIndex(0);
    EXPECT_EQ(form->CurrentTab(), 0);
    EXPECT_EQ(Text(), "print 1\r\nprint 11");
    EXPECT_EQ(form->Panel(3), "");
    EXPECT_EQ(form->Panel(4), path);

    form->Tabs()->setCurrentIndex(1);
    EXPECT_EQ(Text(), "abc def");
    EXPECT_EQ(form->TabCaption(1), "*NoName1.BAS");
    EXPECT_EQ(form->Panel(3), "Modified");
    EXPECT_EQ(form->Editor()->SelText(), "bc d");
    EXPECT_EQ(form->Editor()->UndoList().Count(), 0);
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(form->TabPath(2), "NoName2.BAS");

    // Close All Others keeps the selected tab with its state; the other
    // modified tab is asked about.
    form->SelectTab(0);
    boxes.answers = { Answer::No };
    form->CloseAllOthersClick();
    ASSERT_EQ(form->TabCount(), 1);
    EXPECT_EQ(form->TabPath(0), path);
    EXPECT_EQ(Text(), "print 1\r\nprint 11");
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(EditFormTest, TabLimitAndClosing)
{
    Start();
    while (form->TabCount() < 50)
        form->NewClick();
    EXPECT_TRUE(boxes.shown.empty());
    form->NewClick();
    EXPECT_EQ(form->TabCount(), 50);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Too many open files...close some files and try again...");
    EXPECT_EQ(boxes.shown[0].caption, "Quorvatine Error...");
    // Open is refused before its dialog: a file chosen there could not open.
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "Too many open files...close some files and try again...");
    form->CloseAllClick();
    EXPECT_EQ(form->TabCount(), 1);
    EXPECT_EQ(form->TabPath(0), "NoName.BAS");

    // Cancel on Close keeps the tab and its text.
    Type("keep");
    boxes.shown.clear();
    boxes.answers = { Answer::Cancel };
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(Text(), "keep");
    EXPECT_EQ(boxes.shown.at(0).text, "NoName.BAS\r\nhas been modified... Do you want to save it?");

    // Three modified tabs: No closes the first asked, Cancel at the second
    // keeps the window open with what is left.
    form->NewClick();
    Type("two");
    form->NewClick();
    Type("three");
    boxes.shown.clear();
    boxes.answers = { Answer::No, Answer::Cancel };
    EXPECT_FALSE(form->close());
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(form->TabCount(), 2);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->TabPath(form->CurrentTab()), "NoName1.BAS");
    EXPECT_EQ(Text(), "two");
}

TEST_F(EditFormTest, SettingsLoadedAtStartAndSavedAtClose)
{
    IdeSettings stored;
    IdeSettingsFile::ReadFromPainter(TsxPainter(), stored);
    stored.SetFlag(IdeSettings::SmartTabbing, false);
    stored.SetFlag(IdeSettings::AutoIndent, true);
    stored.Set(IdeSettings::TabWidth, 3);
    stored.Set(IdeSettings::RecentLimit, 2);
    stored.Set(IdeSettings::FontSize, 12);
    stored.Set(IdeSettings::GutterWidth, 40);
    stored.Set(IdeSettings::HelpTreeWidth, 77);
    stored.recentFiles = { "/new.bas", "/mid.bas", "/old.bas" };
    ASSERT_TRUE(IdeSettingsFile::Save(folder + "/Quorvatine.INI", stored));
    Start();
    EXPECT_FALSE(form->SmartTabbing());
    EXPECT_EQ(form->Editor()->TabBehavior, tbFixed);
    EXPECT_EQ(form->Editor()->TabScale(), 3);
    EXPECT_EQ(form->Painter().Font().Size, 12);
    // More names than the limit: the newest ones.
    EXPECT_EQ(form->RecentFiles(), (std::vector<AnsiString> { "/new.bas", "/mid.bas" }));
    // A name with '&' is shown as it is and opens the file it names.
    const std::string odd = Write("R&D.bas", "print 9\n");
    form->AddRecentFile(odd);
    QAction* entry = form->FileMenu()->actions().at(form->FileMenu()->actions().size() - 2);
    EXPECT_EQ(entry->text().toStdString(), folder + "/R&&D.bas");
    entry->trigger();
    EXPECT_EQ(form->Panel(4), odd);
    EXPECT_EQ(form->RecentFiles().front(), odd); // opened from the list: not entered again
    EXPECT_EQ(form->RecentFiles().size(), 2u);

    Key(Qt::Key_F4);
    EXPECT_TRUE(form->SmartTabbing());
    EXPECT_TRUE(form->close());
    IdeSettings written;
    ASSERT_TRUE(IdeSettingsFile::Load(folder + "/Quorvatine.INI", written));
    EXPECT_TRUE(written.Flag(IdeSettings::SmartTabbing));
    EXPECT_EQ(written[IdeSettings::TabWidth], 3);
    EXPECT_EQ(written[IdeSettings::HelpTreeWidth], 77); // belongs to another window: kept
    EXPECT_EQ(written.recentFiles, (std::vector<AnsiString> { odd, "/new.bas" }));
}

TEST_F(EditFormTest, ForeignSettingsFileIsIgnored)
{
    IdeSettings stored;
    stored.Set(IdeSettings::TabWidth, 3);
    AnsiString bytes = IdeSettingsFile::Serialise(stored);
    bytes[0] = static_cast<char>(0x69); // 4201
    Write("Quorvatine.INI", bytes);
    Start();
    EXPECT_TRUE(form->SmartTabbing());
    EXPECT_EQ(form->Editor()->TabScale(), 4);
}

TEST_F(EditFormTest, KeysAreOneUndoStepEach)
{
    Start();
    form->Editor()->SetText("    if x");
    form->Editor()->UndoList().Clear();
    form->Editor()->SetBlockBegin({ 6, 0 });
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Text(), "    if\r\n     x");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "    if x");

    form->Editor()->SelectAll();
    Key(Qt::Key_F8);
    EXPECT_EQ(Text(), "     if x");
    // Auto-repeat does not indent again.
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_F8, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(form->Editor(), &repeat);
    EXPECT_EQ(Text(), "     if x");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "    if x");
}

// Every printable character typed right after an editor command arrives, whichever way the
// command took its own key (an edit action, the window's key handler, a dialog it opened).
TEST_F(EditFormTest, NoTypedCharacterIsLostAfterACommand)
{
    const std::string path = Write("loaded.bas", "' loaded\r\n");
    Start();
    // Hidden, the window spends no time painting the thousands of edits.
    form->hide();
    TsxEditor& editor = *form->Editor();
    auto select = [&] {
        editor.SetBlockBegin({ 2, 0 });
        editor.SetBlockEnd({ 7, 0 });
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        { "select all", [&] { Key(Qt::Key_A, ctrl); } },
        { "copy", [&] { select(), Key(Qt::Key_C, ctrl); } },
        { "cut", [&] { select(), Key(Qt::Key_X, ctrl); } },
        { "paste", [&] { Key(Qt::Key_V, ctrl); } },
        { "undo", [&] { Key(Qt::Key_Z, ctrl); } },
        { "find", [&] { select(), Key(Qt::Key_F, ctrl), form->FindForm()->hide(); } },
        { "find next", [&] { Key(Qt::Key_F3); } },
        { "replace", [&] { select(), Key(Qt::Key_F3, ctrl), form->ReplaceForm()->hide(); } },
        { "replace next", [&] { select(), Key(Qt::Key_F3, Qt::ShiftModifier); } },
        { "indent", [&] { select(), Key(Qt::Key_F8); } },
        { "un-indent", [&] { select(), Key(Qt::Key_F7); } },
        { "enter", [&] { Key(Qt::Key_Return, Qt::NoModifier, "\r"); } },
        { "open a file", [&] { dialogs.fileNames = { path }, Key(Qt::Key_O, ctrl); } },
    };
    form->FindForm()->SetEditorSearchText("pha");
    for (const auto& [name, command] : commands) {
        for (int code = 0x20; code <= 0xFF; ++code) {
            const char32_t character = platform::byteToCharacter(static_cast<unsigned char>(code));
            if (code == 0x7F || (character >= 0x80 && character < 0xA0)) continue;
            editor.SetText("  alpha beta\r\n  gamma");
            editor.SetBlockBegin({ 4, 1 });
            command();
            const char32_t upper = QChar::toUpper(character);
            const QString text = QString::fromUcs4(&character, 1);
            Key(upper <= 0xFF ? static_cast<int>(upper) : Qt::Key_unknown, Qt::NoModifier, text);
            const AnsiString& line = editor.Lines()[editor.CaretY()];
            ASSERT_TRUE(
                editor.CaretX() >= 1 && line[static_cast<size_t>(editor.CaretX() - 1)] == static_cast<char>(code))
                << name << ", then " << text.toStdString() << ": " << line;
        }
    }
}

TEST_F(EditFormTest, FindAndReplaceThroughTheDialogs)
{
    Start();
    form->Editor()->SetText("cat dog cat");
    form->Editor()->SetBlockBegin({ 0, 0 });
    form->FindForm()->SetEditorSearchText("CAT");
    Key(Qt::Key_F3);
    EXPECT_EQ(form->Editor()->SelStart(), 0);
    Key(Qt::Key_F3, Qt::AltModifier);
    EXPECT_EQ(form->Editor()->SelStart(), 0);
    Key(Qt::Key_F3);
    EXPECT_EQ(form->Editor()->SelStart(), 8);

    form->Editor()->SetBlockBegin({ 0, 0 });
    form->ReplaceForm()->SetFindText("cat");
    form->ReplaceForm()->SetReplaceText("bird");
    Key(Qt::Key_F3, Qt::ShiftModifier); // finds
    Key(Qt::Key_F3, Qt::ShiftModifier); // replaces the hit, finds the next
    EXPECT_EQ(Text(), "bird dog cat");
    EXPECT_EQ(form->Editor()->SelStart(), 9);
    form->ReplaceForm()->onReplaceAll();
    EXPECT_EQ(Text(), "bird dog bird");
    EXPECT_EQ(form->FindForm()->EditorSearchText(), "cat");

    // The find dialog keeps the editor's and the help window's texts apart.
    form->Editor()->SetBlockBegin({ 0, 0 });
    form->Editor()->SetBlockEnd({ 3, 0 });
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(form->FindForm()->EditorSearchText(), "bir");
    EXPECT_TRUE(form->FindForm()->isVisible());
    form->FindForm()->FindFirstClick();
    EXPECT_EQ(form->Editor()->SelStart(), 0);
    form->FindForm()->SetMode(TFindForm::Mode::Help);
    form->FindForm()->SetHelpSearchText("help");
    form->FindForm()->hide();
    form->FindForm()->show();
    EXPECT_EQ(form->FindForm()->FindTextt->text(), "help");
    form->FindForm()->CancelClick();
}

TEST_F(EditFormTest, BinaryProgramIsHiddenAndRuns)
{
    const std::string path = Write("secret.bas", "print \"secret\"\n");
    Start();
    ASSERT_TRUE(form->OpenFile(path, false));
    dialogs.fileNames = { folder + "/secret_.bas" };
    form->SaveBinaryClick();
    EXPECT_EQ(dialogs.shown.back(), "Quorvatine--Save File " + folder + "/secret_.bas");
    form->CloseClick();
    ASSERT_TRUE(form->OpenFile(folder + "/secret_.bas", false));
    EXPECT_TRUE(form->HiddenProgramShown());
    EXPECT_TRUE(form->Editor()->ReadOnly());
    EXPECT_EQ(form->Editor()->Lines().Count(), 24);
    EXPECT_EQ(Text().find("secret"), AnsiString::npos);
    EXPECT_FALSE(form->SaveClick());
    // The hidden program survives a visit to another tab.
    form->NewClick();
    EXPECT_FALSE(form->Editor()->ReadOnly());
    form->SelectTab(0);
    EXPECT_TRUE(form->Editor()->ReadOnly());
    EXPECT_EQ(form->Editor()->Lines().Count(), 24);
    form->Run1Click();
    EXPECT_EQ(Output(), "secret\n");
}

TEST_F(EditFormTest, CommandLineFileRunsAtStart)
{
    const std::string path = Write("auto.bas", "print \"started\"\n");
    Start(path);
    EXPECT_EQ(Output(), "started\n");
    EXPECT_EQ(form->Panel(4), path);
    EXPECT_TRUE(form->CommandLine().empty());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(EditFormTest, CommandLineFileEntersTheRecentFilesAboveTheStoredOnes)
{
    IdeSettings stored;
    IdeSettingsFile::ReadFromPainter(TsxPainter(), stored);
    stored.Set(IdeSettings::RecentLimit, 5);
    stored.recentFiles = { "/new.bas", "/old.bas" };
    ASSERT_TRUE(IdeSettingsFile::Save(folder + "/Quorvatine.INI", stored));
    const std::string path = Write("auto.bas", "print 1\n");
    Start(path);
    EXPECT_EQ(form->RecentFiles(), (std::vector<AnsiString> { path, "/new.bas", "/old.bas" }));
}

TEST_F(EditFormTest, CommandLineFileWithAnErrorEndsTheProgram)
{
    const std::string path = Write("bad.bas", "print 1\nx = 1 + * 2\n");
    Start(path);
    Process();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Captions(), std::vector<std::string> { "ERROR----" });

    // A file that cannot be read ends it too, after saying so.
    form.reset();
    boxes.shown.clear();
    Start(folder + "/missing.bas");
    Process();
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Could not open the file " + folder + "/missing.bas");
}

TEST_F(EditFormTest, CreateExeRunsItsProgram)
{
    Write("lib.bas", "sub twice(n)\r\nreturn n * 2\r\n");
    const std::string path = Write("made.bas", "#include \"lib.bas\"\r\ncall twice(21)\r\nprint twice__Result\r\n");
    Start({}, QV_IDE_EXECUTABLE);
    ASSERT_TRUE(form->OpenFile(path, false));
    dialogs.fileNames = { folder + "/made" };
    form->CreateEXEClick();
    EXPECT_EQ(dialogs.shown.back(), "Quorvatine--Save File " + folder + "/made.Exe");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "The EXE has been successfully created");
    EXPECT_EQ(boxes.shown[0].caption, "Quorvatine...Compiler...");
    const std::string made = folder + "/made.Exe";

    // The includes went in when it was made: it runs anywhere, headless too.
    (void)::unlink((folder + "/lib.bas").c_str());
    QProcess process;
    process.start(QString::fromStdString(made), { "--headless", "other-arguments-are-ignored" });
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "42\n");
    EXPECT_EQ(process.readAllStandardError().toStdString(), "");
    EXPECT_EQ(process.exitCode(), 0);

    // Making an executable onto one that runs fails and leaves it alone.
    Write("wait.bas", "input a\r\nprint a\r\n");
    ASSERT_TRUE(form->OpenFile(folder + "/wait.bas", false));
    dialogs.fileNames = { folder + "/wait" };
    form->CreateEXEClick();
    QProcess waiting;
    waiting.start(QString::fromStdString(folder + "/wait.Exe"), { "--headless" });
    ASSERT_TRUE(waiting.waitForStarted(30000));
    boxes.shown.clear();
    dialogs.fileNames = { folder + "/wait.Exe" };
    form->CreateEXEClick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Could not create the file " + folder + "/wait.Exe");
    waiting.write("7\n");
    waiting.closeWriteChannel();
    ASSERT_TRUE(waiting.waitForFinished(30000));
    EXPECT_EQ(waiting.readAllStandardOutput().toStdString(), "7\n");

    // Started as the environment, a stand-alone executable runs its own
    // program at once and ends with it.
    form.reset();
    Start(" ", made);
    EXPECT_EQ(Output(), "42\n");
    Process();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->HiddenProgramShown());
}

// The environment started in another folder: the includes and the names
// typed in the save dialogs are taken beside the program, as a run takes them.
TEST_F(EditFormTest, ProtectedFormsAreMadeBesideTheProgram)
{
    ASSERT_EQ(::mkdir((folder + "/app").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder + "/elsewhere").c_str(), 0755), 0);
    Write("app/lib.bas", "sub twice(n)\r\nreturn n * 2\r\n");
    const std::string path = Write("app/app.bas", "#include \"LIB.BAS\"\r\ncall twice(21)\r\nprint twice__Result\r\n");
    Start({}, QV_IDE_EXECUTABLE);
    (void)::chdir((folder + "/elsewhere").c_str());
    dialogs.fileNames = { path };
    Key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(form->Panel(4), path);

    dialogs.fileNames = { "app.Exe" };
    form->CreateEXEClick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "The EXE has been successfully created");
    QProcess process;
    process.start(QString::fromStdString(folder + "/app/app.Exe"), { "--headless" });
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "42\n");

    (void)::chdir((folder + "/elsewhere").c_str());
    dialogs.fileNames = { "app_.bas" };
    form->SaveBinaryClick();
    EXPECT_EQ(dialogs.shown.back(), "Quorvatine--Save File " + folder + "/app/app_.bas");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(folder + "/app/app_.bas")));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(EditFormTest, SaveOntoAnotherTabsFile)
{
    const std::string a = Write("a.bas", "a\n");
    const std::string b = Write("b.bas", "b\n");
    Start();
    ASSERT_TRUE(form->OpenFile(a, false));
    ASSERT_TRUE(form->OpenFile(b, false));
    Type("x");
    // Saving b's tab onto a's file closes a's unmodified tab.
    dialogs.fileNames = { a };
    ASSERT_TRUE(form->SaveClick());
    ASSERT_EQ(form->TabCount(), 1);
    EXPECT_EQ(form->TabPath(0), a);
    EXPECT_EQ(Slurp(a), "xb\r\n");

    // A modified tab on the target refuses the save.
    ASSERT_TRUE(form->OpenFile(b, false));
    Type("y");
    form->SelectTab(0);
    Type("z");
    boxes.shown.clear();
    dialogs.fileNames = { b };
    EXPECT_FALSE(form->SaveClick());
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(form->TabCount(), 2);
    EXPECT_EQ(Slurp(b), "b\n");
}

TEST_F(EditFormTest, SaveAllWritesTitledModifiedTabs)
{
    const std::string a = Write("a.bas", "a\n");
    const std::string b = Write("b.bas", "b\n");
    Start();
    ASSERT_TRUE(form->OpenFile(a, false));
    Type("1");
    ASSERT_TRUE(form->OpenFile(b, false));
    form->NewClick();
    Type("new");
    form->SelectTab(1);
    Type("2");
    boxes.answers = { Answer::Yes };
    Key(Qt::Key_F10);
    EXPECT_EQ(Slurp(a), "1a\r\n");
    EXPECT_EQ(Slurp(b), "2b\r\n");
    EXPECT_EQ(form->TabCaption(0), "a.bas");
    EXPECT_EQ(form->TabCaption(1), "b.bas");
    EXPECT_EQ(form->TabCaption(2), "*NoName2.BAS");
    EXPECT_EQ(form->Panel(3), "");
    EXPECT_EQ(boxes.shown.size(), 1u);
    // Unasked for the untitled tab's name: it keeps its text and mark.
    form->SelectTab(2);
    EXPECT_EQ(Text(), "new");
}

TEST_F(EditFormTest, NewerFileOnDiskAtRun)
{
    const std::string path = Write("disk.bas", "print 1\n");
    Start();
    ASSERT_TRUE(form->OpenFile(path, false));
    // Newer on disk, unmodified, auto load on: reloaded without a question.
    Write("disk.bas", "print 2\n");
    form->Run1Click();
    EXPECT_EQ(Output(), "2\n");
    EXPECT_TRUE(boxes.shown.empty());

    // Modified in the editor: asked even with auto load on; Cancel runs nothing.
    Type("'");
    Write("disk.bas", "print 3\n");
    boxes.answers = { Answer::Cancel };
    form->Run1Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "File on Disk is newer than file in Editor.\nDo you want to load newer file?");
    EXPECT_EQ(boxes.shown[0].caption, "Quorvatine Message...");
    EXPECT_EQ(Output(), "2\n");
    EXPECT_EQ(Text(), "'print 2");
    // Yes reloads and clears the undo list.
    boxes.answers = { Answer::Yes };
    form->Run1Click();
    EXPECT_EQ(Output(), "2\n3\n");
    EXPECT_EQ(Text(), "print 3");
    EXPECT_EQ(form->Editor()->UndoList().Count(), 0);
}

TEST_F(EditFormTest, ClosingDuringARunStopsItFirst)
{
    const std::string path = Write("loop.bas", "n = 0\nwhile 1\nn = n + 1\nwend\n");
    Start();
    ASSERT_TRUE(form->OpenFile(path, false));
    QTimer::singleShot(50, form.get(), [this] { form->close(); });
    form->Run1Click();
    EXPECT_TRUE(form->isVisible());
    Process();
    // The close, held back during the run, now takes place.
    EXPECT_FALSE(form->isVisible());
}

TEST_F(EditFormTest, ClosingEndsAWaitInTheDebugWindow)
{
    const std::string path = Write("steps.bas", "stepping\nprint 1\nprint 2\n");
    Start();
    ASSERT_TRUE(form->OpenFile(path, false));
    TVTableForm variablesWindow;
    TDebugForm debugWindow(variablesWindow);
    DebugWindowHook hook(debugWindow);
    RunHooks::SetDebugger(&hook);
    int waits = 0;
    debugWindow.onWait = [&] {
        ++waits;
        form->close();
    };
    form->Run1Click();
    RunHooks::SetDebugger(nullptr);
    // The statement it waited at still runs; the run stops before the next.
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(Output(), "1\n");
    EXPECT_FALSE(debugWindow.isVisible());
    Process();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(EditFormTest, PrintGoesThroughThePrintDialogToThePrinter)
{
    std::string program;
    for (int k = 1; k <= 200; ++k)
        program += "print " + std::to_string(k) + "\r\n";
    const std::string path = Write("long.bas", program);
    Start();
    ASSERT_TRUE(form->OpenFile(path, false));
    const QString pdf = QString::fromStdString(folder + "/out.pdf");
    // The text keeps clear of the paper's edge by the page layout's margins.
    const QMarginsF margins = form->Printer().pageLayout().margins(QPageLayout::Millimeter);
    EXPECT_EQ(margins, QMarginsF(20, 20, 20, 20));
    form->Printer().setOutputFormat(QPrinter::PdfFormat);
    form->Printer().setOutputFileName(pdf);
    auto pages = [&] {
        QFile file(pdf);
        if (!file.open(QIODevice::ReadOnly)) return -1;
        return static_cast<int>(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
    };

    // Cancelled, nothing is printed.
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs.shown, (std::vector<AnsiString> { "Print" }));
    EXPECT_EQ(pages(), -1);

    dialogs.printChoices = { PrintChoice {} };
    Key(Qt::Key_P, Qt::ControlModifier);
    const int all = pages();
    EXPECT_GE(all, 2);

    PrintChoice second;
    second.range = PrintChoice::Range::Pages;
    second.fromPage = second.toPage = 2;
    dialogs.printChoices = { second };
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pages(), 1);
}

} // namespace
