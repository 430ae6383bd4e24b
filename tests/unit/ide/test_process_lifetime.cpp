// The interpreter's tables name members "slots", which Qt's headers define as
// a macro: they come first.
#include "interpreter/Durnix_class.h"

#include "ide/DurnixEditForm.h"
#include "ide/Environment.h"
#include "ide/IdeDialogs.h"
#include "ide/IdeSettings.h"
#include "ide/ProcessLifetime.h"
#include "ide/editor/SxEditor.h"
#include "platform/MessageBoxes.h"
#include "screen/ScreenForm.h"
#include "screen/ScreenWidgets.h"
#include "tests/support/QtTestApplication.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

void Key(QWidget* target, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

// Counts the editor window's shows and hides.
class ShowCount : public QObject {
public:
    explicit ShowCount(QWidget& watched) { watched.installEventFilter(this); }
    int shows = 0;
    int hides = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        shows += event->type() == QEvent::Show;
        hides += event->type() == QEvent::Hide;
        return false;
    }
};

// One step of a user's session: done once `ready` holds.
struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
};

// The whole environment, started as the main routine starts it, in a
// temporary folder with recorded message boxes; Session drives its event loop
// through the steps and returns the process's status, or -1 when the loop
// did not end within the watchdog's time.
class LifetimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        platform::setMessageBoxes(&boxes);
        folder = dir.path().toStdString();
        char buffer[4096];
        oldDirectory = ::getcwd(buffer, sizeof buffer) ? buffer : "/";
        (void)::chdir(folder.c_str());
    }

    void TearDown() override
    {
        platform::setMessageBoxes(nullptr);
        (void)::chdir(oldDirectory.c_str());
    }

    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    int Session(const AnsiString& commandLine, std::vector<Step> steps)
    {
        IdePaths paths = IdePaths::ForExecutable(folder + "/quorvatine");
        paths.settingsFile = folder + "/Quorvatine.INI";
        Environment environment(paths, commandLine, dialogs);
        environment.Screen().SetDesktopSize(QSize(1024, 768));
        env = &environment;
        ShowCount editorShows(environment.Editor());
        counts = &editorShows;
        size_t next = 0;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (next < steps.size() && steps[next].ready()) steps[next++].act();
        });
        driver.start(5);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
        watchdog.start(20000);
        const int status = environment.Exec();
        EXPECT_EQ(next, steps.size()) << "steps left undone";
        finalEditorShows = editorShows.shows;
        counts = nullptr;
        env = nullptr;
        return status;
    }

    TDurnixEditForm& Editor() { return env->Editor(); }
    TScreenForm& Screen() { return env->Screen(); }
    // The run has ended and the windows are as it left them.
    bool RunOver() { return !Editor().Busy() && !Editor().Running(); }
    static bool Always() { return true; }

    QTemporaryDir dir;
    std::string folder;
    std::string oldDirectory;
    ScriptedIdeDialogs dialogs;
    platform::RecordingMessageBoxes boxes;
    Environment* env = nullptr;
    ShowCount* counts = nullptr;
    int finalEditorShows = 0;
};

// The ways a user closes the editor.
const std::pair<const char*, std::function<void(TDurnixEditForm&)>> editorCloses[] = {
    { "close box", [](TDurnixEditForm& editor) { editor.close(); } },
    { "File > Exit", [](TDurnixEditForm& editor) { editor.Action("&Exit                           F12")->trigger(); } },
    { "F12", [](TDurnixEditForm& editor) { Key(editor.Editor(), Qt::Key_F12); } },
};

TEST_F(LifetimeTest, AfterACommandLineProgramClosingTheScreenLeavesTheEditorAndClosingItEnds)
{
    const std::string path = Write("p.bas", "print 1\r\n");
    for (const auto& [how, closeEditor] : editorCloses) {
        const auto close = closeEditor;
        const int status = Session(path,
            {
                { [this] { return RunOver(); },
                    [this] {
                        // Hidden for the run and shown once after it, never
                        // shown and hidden again around it.
                        EXPECT_EQ(counts->hides, 0);
                        EXPECT_EQ(counts->shows, 1);
                        EXPECT_TRUE(Screen().isVisible());
                        EXPECT_EQ(Screen().printedText, "1\r\n");
                        Screen().close();
                    } },
                { [this] { return !Screen().isVisible(); },
                    [this, close] {
                        EXPECT_TRUE(Editor().isVisible());
                        EXPECT_EQ(Editor().Panel(4), dir.path().toStdString() + "/p.bas");
                        EXPECT_EQ(Editor().Editor()->Lines().GetText(), "print 1");
                        close(Editor());
                    } },
            });
        EXPECT_EQ(status, 0) << how;
    }
}

// The editor first shows after the program named at start has run, where
// the settings kept it.
TEST_F(LifetimeTest, TheEditorComesUpWhereTheSettingsKeptIt)
{
    IdeSettings stored;
    IdeSettingsFile::ReadFromPainter(TsxPainter(), stored);
    stored.SetFlag(IdeSettings::RememberEditorBounds, true);
    stored.Set(IdeSettings::EditorLeft, 100);
    stored.Set(IdeSettings::EditorTop, 80);
    stored.Set(IdeSettings::EditorWidth, 700);
    stored.Set(IdeSettings::EditorHeight, 500);
    ASSERT_TRUE(IdeSettingsFile::Save(folder + "/Quorvatine.INI", stored));
    const std::string path = Write("p.bas", "print 1\r\n");
    const int status = Session(path,
        {
            { [this] { return RunOver(); },
                [this] {
                    EXPECT_TRUE(Editor().isVisible());
                    EXPECT_EQ(Editor().geometry(), QRect(100, 80, 700, 500));
                    Editor().close();
                } },
        });
    EXPECT_EQ(status, 0);
}

TEST_F(LifetimeTest, AnInputProgramRunsToItsEndThenTheEditorClosesTheProcess)
{
    const std::string path = Write("ask.bas", "input \"name?\", n\r\nprint \"got \" + n\r\n");
    const int status = Session(path,
        {
            { [this] { return Screen().inputActive; },
                [this] {
                    EXPECT_FALSE(Editor().isVisible());
                    Screen().InputEditBox_0->setText("Ada");
                    Key(Screen().InputEditBox_0, Qt::Key_Return, "\r");
                } },
            { [this] { return RunOver(); },
                [this] {
                    EXPECT_EQ(Screen().printedText, "got Ada\r\n");
                    Screen().HoltProgram->click();
                } },
            { [this] { return !Screen().isVisible(); },
                [this] {
                    EXPECT_TRUE(Editor().isVisible());
                    Editor().close();
                } },
        });
    EXPECT_EQ(status, 0);
}

// A program that ends with a run-time error, or cannot be read, ends the
// environment by itself, saying why, with the editor never shown.
TEST_F(LifetimeTest, AProgramThatFailsEndsTheProcessWithItsStatus)
{
    const std::string bad = Write("bad.bas", "print 1\r\nx = 1 + * 2\r\n");
    EXPECT_EQ(Session(bad, {}), 1);
    EXPECT_EQ(finalEditorShows, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "ERROR----");

    boxes.shown.clear();
    EXPECT_EQ(Session(folder + "/missing.bas", {}), 2);
    EXPECT_EQ(finalEditorShows, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Could not open the file " + folder + "/missing.bas");
}

TEST_F(LifetimeTest, ClosingTheEditorWhileItsProgramRunsStopsTheRunAndEnds)
{
    const std::string path = Write("ask.bas", "input \"name?\", n\r\nprint \"never\"\r\n");
    const int status = Session(path,
        {
            { [this] { return Screen().inputActive; }, [this] { Editor().close(); } },
        });
    EXPECT_EQ(status, 0);
    // The run ended at its input; the editor closed without coming up.
    EXPECT_EQ(finalEditorShows, 0);
}

TEST_F(LifetimeTest, ThePlainEnvironmentEndsOnlyWithTheEditor)
{
    const int status = Session({},
        {
            { [this] { return RunOver(); },
                [this] {
                    EXPECT_TRUE(Editor().isVisible());
                    Editor().ViewTerminalClick();
                    Screen().close();
                } },
            { [this] { return !Screen().isVisible(); },
                [this] {
                    EXPECT_TRUE(Editor().isVisible());
                    Editor().Action("&Exit                           F12")->trigger();
                } },
        });
    EXPECT_EQ(status, 0);
}

// Another program destroying the editor's window closes it as its close box
// would: unsaved work is asked about, and a close refused brings it back.
TEST_F(LifetimeTest, ADestroyedEditorWindowClosesWithItsQuestions)
{
    const int status = Session({},
        {
            { [this] { return RunOver(); },
                [this] {
                    Key(Editor().Editor(), Qt::Key_X, "x");
                    ASSERT_TRUE(Editor().Modified());
                    boxes.answers = { platform::MessageAnswer::Cancel };
                    Editor().WindowDestroyed();
                    EXPECT_EQ(boxes.shown.size(), 1u);
                    EXPECT_TRUE(Editor().isVisible());
                } },
            { [this] { return true; },
                [this] {
                    boxes.answers = { platform::MessageAnswer::No };
                    Editor().WindowDestroyed();
                } },
        });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(boxes.shown.size(), 2u);
}

// The keeper's rule on its own: the last shown window going while nothing is
// busy brings the main window back; a minimised window still counts as shown.
TEST(ProcessKeeper, TheLastWindowClosingShowsTheMainWindow)
{
    TestApplication();
    // Windows that other tests of this program left up would count as shown.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QWidget main;
    QWidget other;
    bool busy = false;
    ProcessLifetime::Keeper keeper(main, [&busy] { return busy; });
    auto settle = [] {
        for (int k = 0; k < 5; ++k)
            QCoreApplication::processEvents();
    };
    other.show();
    other.close();
    settle();
    EXPECT_TRUE(main.isVisible());

    main.hide();
    other.showMinimized();
    settle();
    EXPECT_FALSE(main.isVisible());

    busy = true;
    other.hide();
    settle();
    EXPECT_FALSE(main.isVisible());
    busy = false;
    keeper.ReviewSoon();
    settle();
    EXPECT_TRUE(main.isVisible());
}

} // namespace
