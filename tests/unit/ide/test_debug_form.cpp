// The interpreter's tables name members "slots", which Qt's headers define as
// a macro: they come first.
#include "interpreter/Durnix_class.h"

#include "ide/DebugForm.h"
#include "ide/VTableForm.h"
#include "interpreter/ProgramFiles.h"
#include "interpreter/RunHooks.h"
#include "platform/AnsiText.h"
#include "platform/MessageBoxes.h"
#include "screen/ScreenForm.h"
#include "tests/support/RunHarness.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::string separator(100, '-');

// The debug window installed as the run's debugger. Each wait is answered by
// the next scripted action (Step when none is left); what the window showed at
// each wait is recorded.
class DebugFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestScreen();
        form.onWait = [this] {
            captions.push_back(platform::fromQString(form.DebugOffBtn->text()));
            auto action = answers.empty() ? std::function<void()>([this] { form.StepBtnClick(); }) : answers.front();
            if (!answers.empty()) answers.pop_front();
            action();
        };
        form.selectInEditor = [this](int line, int column, int length) {
            selections.push_back(std::to_string(line) + "," + std::to_string(column) + "," + std::to_string(length));
        };
        RunHooks::SetDebugger(&hook);
    }
    void TearDown() override
    {
        RunHooks::SetDebugger(nullptr);
        form.hide();
        vtable.hide();
    }

    std::vector<std::string> Trace() const
    {
        std::vector<std::string> lines;
        const AnsiString text = platform::fromQString(form.Memo1->toPlainText());
        size_t start = 0;
        while (start <= text.size() && !text.empty()) {
            const size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end == AnsiString::npos ? AnsiString::npos : end - start));
            if (end == AnsiString::npos) break;
            start = end + 1;
        }
        return lines;
    }

    TVTableForm vtable;
    TDebugForm form { vtable };
    DebugWindowHook hook { form };
    std::deque<std::function<void()>> answers;
    std::vector<std::string> captions;
    std::vector<std::string> selections;
};

TEST_F(DebugFormTest, SteppingStopsAtEachStatementAndSkipsWhatTheBoxesIgnore)
{
    const RunResult result = RunProgram("stepping\nx = 5\n// a note\n\n  y = x + 1\nprint y\n");
    EXPECT_EQ(result.output, "6\n");
    EXPECT_EQ(Trace(),
        (std::vector<std::string> { "About to execute (2,1):x = 5", separator, "About to execute (5,3):y = x + 1",
            separator, "About to execute (6,1):print y", separator }));
    EXPECT_EQ(selections, (std::vector<std::string> { "2,1,5", "5,3,9", "6,1,7" }));
    EXPECT_EQ(captions, (std::vector<std::string>(3, "Stepping &Off")));
    EXPECT_EQ(platform::fromQString(form.DebugOffBtn->text()), "&DebugOff");
    EXPECT_FALSE(form.Stopped());

    // Without the ignore boxes the comment and the empty line stop too.
    form.IgnoreComments->setChecked(false);
    form.IgnoreEmpties->setChecked(false);
    RunProgram("stepping\n// a note\n\nprint 1\n");
    EXPECT_EQ(Trace(),
        (std::vector<std::string> { "About to execute (2,1):// a note", separator, "About to execute (3,1):", separator,
            "About to execute (4,1):print 1", separator, "About to execute (5,1):", separator }));
}

TEST_F(DebugFormTest, DebugOffWhileStoppedRunsOnWithoutStopping)
{
    answers = { [this] { form.DebugOffBtnClick(); } };
    const RunResult result = RunProgram("stepping\nprint 1\nprint 2\nprint 3\n");
    EXPECT_EQ(result.output, "1\n2\n3\n");
    EXPECT_EQ(captions.size(), 1u);
    EXPECT_FALSE(form.SteppingFlag());

    // Not stopped, DebugOff switches debugging off.
    form.SetDebugOn(true);
    form.show();
    form.DebugOffBtnClick();
    EXPECT_FALSE(form.DebugOnFlag());
    EXPECT_FALSE(form.isVisible());

    // The stepping statement turns stepping off again, and closing the window
    // while stopped does the same as DebugOff.
    answers = { [this] { form.close(); } };
    RunProgram("stepping\nprint 1\nstepping 0\nprint 2\nstepping\nprint 3\nprint 4\n");
    EXPECT_EQ(captions.size(), 4u);
    EXPECT_EQ(Trace(),
        (std::vector<std::string> { "About to execute (2,1):print 1", separator, "About to execute (6,1):print 3",
            separator, "About to execute (7,1):print 4", separator }));
}

TEST_F(DebugFormTest, WatchExpressionsEvaluateInTheScopeOfTheStop)
{
    answers = { [this] { form.StepBtnClick(); },
        [this] {
            form.ExpressionsList->setText(" x \\ x * 2 + 0.5\\ nothere \\ x +  \\ ");
            form.EvaluateBClick();
            form.StepBtnClick();
        } };
    const RunResult result = RunProgram("stepping\nx = 5\ny = x + 1\nprint y\n");
    EXPECT_EQ(result.output, "6\n");
    EXPECT_EQ(result.errorNumber, 0);
    EXPECT_TRUE(result.boxes.empty());
    const std::vector<std::string> trace = Trace();
    ASSERT_EQ(trace.size(), 11u);
    EXPECT_EQ(std::vector<std::string>(trace.begin() + 4, trace.begin() + 9),
        (std::vector<std::string> { "{x}=5", "{x * 2 + 0.5}=10.5", "{nothere}=Error...Could not Evaluate",
            "{x +}=Error...Could not Evaluate", separator }));

    // With no stop nothing is evaluated.
    form.ResetView();
    form.ExpressionsList->setText("1 + 1");
    form.EvaluateBClick();
    EXPECT_EQ(Trace(), (std::vector<std::string> { "{1 + 1}=Error...Could not Evaluate", separator }));
}

TEST_F(DebugFormTest, WatchExpressionsSeeTheRunsMatch)
{
    answers = { [this] {
        form.ExpressionsList->setText("re_start(2)");
        form.EvaluateBClick();
        form.StepBtnClick();
    } };
    RunProgram("x = re_Setup(\"(b)(c)\")\nx = re_search(\"abc\")\nstepping\nprint 1\n");
    EXPECT_EQ(Trace(),
        (std::vector<std::string> { "About to execute (4,1):print 1", separator, "{re_start(2)}=3", separator }));
}

TEST_F(DebugFormTest, EvaluateOnSteppingRepeatsTheListAtEachStop)
{
    answers = { [this] {
                   form.ExpressionsList->setText("n");
                   form.AutoEvaluateExpressions->setChecked(true);
                   form.StepBtnClick();
               },
        [this] { form.StepBtnClick(); } };
    RunProgram("n = 1\nstepping\nn = 2\nn = 3\n");
    EXPECT_EQ(Trace(),
        (std::vector<std::string> { "About to execute (3,1):n = 2", separator, "About to execute (4,1):n = 3",
            separator, "{n}=2", separator }));
}

TEST_F(DebugFormTest, DebugStatementWaitsOnlyWithDebugOn)
{
    std::vector<std::string> variables;
    answers = { [&] {
                   form.ViewVTableClick();
                   variables.push_back(vtable.ListText());
                   form.StepBtnClick();
               },
        [this] { form.DebugOffBtnClick(); } };
    const RunResult result
        = RunProgram("a = 1\ns = \"x\"\ndebug \"a is \"; a, \"!\"\ndebugon\ndebug \"a is \"; a, \"!\"\ndebug\n"
                     "debug \"off now\"\nprint \"end\"\n");
    EXPECT_EQ(result.output, "end\n");
    EXPECT_EQ(captions, (std::vector<std::string> { "&DebugOff", "&DebugOff" }));
    EXPECT_EQ(Trace(), (std::vector<std::string> { "a is    1!", separator, "", separator }));
    // Texts are listed without quotes at a stop.
    EXPECT_EQ(variables,
        (std::vector<std::string> { "Integer   a   ___________________________  1\n"
                                    "String    s   ___________________________  x" }));
    EXPECT_FALSE(form.DebugOnFlag());
}

TEST_F(DebugFormTest, TheStopFlagEndsEveryWaitOfARun)
{
    answers = { [] { TestScreen().stopped = true; } };
    // The statement the run stopped at still runs; nothing after it.
    const RunResult stepped = RunProgram("stepping\nprint 1\nprint 2\n");
    EXPECT_EQ(stepped.output, "1\n");
    answers = { [] { TestScreen().stopped = true; } };
    const RunResult debugged = RunProgram("debugon\ndebug 1\nprint 2\n");
    EXPECT_EQ(debugged.output, "");
    EXPECT_EQ(captions.size(), 2u);
    EXPECT_FALSE(form.Stopped());
}

TEST_F(DebugFormTest, PostMortemShowsTheVariablesAtTheErrorUntilFinish)
{
    platform::RecordingMessageBoxes boxes;
    platform::setMessageBoxes(&boxes);
    Durnix_Class run(TestScreen());
    TestScreen().PrepareForRun();
    ASSERT_EQ(run.Run(ProgramFiles::NormaliseLineEnds("a = 7\nt = \"q\"\nb = 1 + * 2\n")), 0);
    TestScreen().AfterRun();
    platform::setMessageBoxes(nullptr);

    std::vector<std::string> seen;
    answers = { [&] {
        seen.push_back(platform::fromQString(form.StepBtn->text()));
        seen.push_back(form.DebugOffBtn->isEnabled() ? "enabled" : "disabled");
        form.ViewVTableClick();
        seen.push_back(vtable.ListText());
        form.StepBtnClick();
    } };
    hook.PostMortem(run.currentVariables, &run.expression);
    EXPECT_EQ(seen,
        (std::vector<std::string> { "&Finish", "disabled",
            "Integer   a   ___________________________  7\nString    t   ___________________________  q" }));
    EXPECT_EQ(platform::fromQString(form.StepBtn->text()), "&Step");
    EXPECT_TRUE(form.DebugOffBtn->isEnabled());
    EXPECT_FALSE(form.Stopped());

    // Closing the window (as closing the editor does) ends it too.
    answers = { [this] { hook.CloseWindow(); } };
    hook.PostMortem(run.currentVariables, &run.expression);
    EXPECT_EQ(captions.size(), 2u);
    EXPECT_FALSE(form.Stopped());
}

TEST_F(DebugFormTest, ARunStartsWithDebuggingOffAndAnEmptyView)
{
    form.SetDebugOn(true);
    form.SetStepping(true);
    form.AddTraceLine("old");
    form.ExpressionsList->setText("x");
    form.AutoEvaluateExpressions->setChecked(true);
    RunProgram("print 1\n");
    EXPECT_TRUE(captions.empty());
    EXPECT_FALSE(form.DebugOnFlag());
    EXPECT_TRUE(Trace().empty());
    EXPECT_TRUE(form.ExpressionsList->text().isEmpty());
    EXPECT_FALSE(form.AutoEvaluateExpressions->isChecked());
}

TEST_F(DebugFormTest, TheWindowKeepsItsSmallestSize)
{
    form.show();
    form.resize(400, 150);
    EXPECT_EQ(form.size(), QSize(569, 211));
}

} // namespace

namespace {

// The left edges of the runs of ink in a widget's image, runs that lie closer
// than `gap` pixels joining into one.
std::vector<int> InkRuns(const QImage& image, int gap)
{
    std::vector<int> starts;
    int lastInk = -gap - 1;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < image.height() && !ink; ++y)
            ink = qGray(image.pixel(x, y)) < 128;
        if (!ink) continue;
        if (x - lastInk > gap) starts.push_back(x);
        lastInk = x;
    }
    return starts;
}

} // namespace

// The header's words "Type", "Name" and "Value" stand over the type, name and
// value columns of the list, scrolled sideways or not.
TEST(VariablesWindow, TheHeaderLinesUpWithTheColumns)
{
    TVTableForm window;
    window.SetLines({ "Integer   counter   _____________________  5",
        "String    s   ___________________________  \"" + std::string(80, 'x') + "\"" });
    window.resize(600, 200);
    window.show();
    QCoreApplication::processEvents();
    for (int scrolled : { 0, 40 }) {
        window.Memo1->horizontalScrollBar()->setValue(scrolled);
        QCoreApplication::processEvents();
        const QFontMetrics metrics(window.Memo1->font());
        const int headerLeft = window.Memo3->mapTo(&window, QPoint(0, 0)).x();
        std::vector<int> shown;
        for (int x : InkRuns(window.Memo3->grab().toImage(), metrics.horizontalAdvance("  ")))
            shown.push_back(headerLeft + x);
        // The columns in view; a word scrolled out of view leaves no ink.
        std::vector<int> columns;
        for (int column : { 0, 10, 43 }) {
            QTextCursor cursor(window.Memo1->document());
            cursor.setPosition(column);
            const int x = window.Memo1->viewport()->mapTo(&window, window.Memo1->cursorRect(cursor).topLeft()).x();
            if (x >= headerLeft) columns.push_back(x);
        }
        ASSERT_EQ(shown.size(), columns.size()) << scrolled;
        for (size_t k = 0; k < columns.size(); ++k)
            EXPECT_NEAR(shown[k], columns[k], 3) << "word " << k << " scrolled " << scrolled;
    }
}
