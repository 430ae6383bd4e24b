#include "tests/support/RunHarness.h"

#include "screen/ScreenForm.h"

#include <gtest/gtest.h>

namespace {

// Runs a program with the step hook on; `inject` runs at the stop before the
// statement `injectBefore`, after that statement's event poll.
RunResult RunStepping(const char* program, const char* injectBefore = "", void (*inject)() = nullptr,
    std::vector<std::string>* trace = nullptr)
{
    RecordingDebugger debugger;
    debugger.injectBefore = injectBefore;
    debugger.inject = inject;
    RunHooks::SetDebugger(&debugger);
    RunResult result = RunProgram(program);
    RunHooks::SetDebugger(nullptr);
    TestScreen().lastButton.clear();
    TestScreen().mouseButtons = 0;
    TestScreen().lastKeyCode = 0;
    if (trace) *trace = debugger.trace;
    return result;
}

} // namespace

TEST(Events, TwoPendingEventsRunTheHigherSourceFirst)
{
    const char* program = "onbutton b\nonmouse m\nx = 1\nx = 2\nprint \"main\"\nend\n"
                          "b:\nprint \"button\"\nreturn\nm:\nprint \"mouse\"\nreturn\n";
    RunResult result = RunStepping(program, "x = 1", [] {
        TestScreen().lastButton = "Buttons_1";
        TestScreen().mouseButtons = 1;
    });
    EXPECT_EQ(result.output, "mouse\nbutton\nmain\n");
    EXPECT_EQ(result.ended, 1);
}

TEST(Events, SubHandlerGetsItsOwnVariablesLabelHandlerShares)
{
    auto pressKey = [] { TestScreen().lastKeyCode = 65; };
    RunResult sub = RunStepping("x = 1\nonkey k\ny = 0\nprint x\nend\nsub k()\nx = 5\nreturn\n", "y = 0", pressKey);
    EXPECT_EQ(sub.output, "1\n");
    RunResult label = RunStepping("x = 1\nonkey k\ny = 0\nprint x\nend\nk:\nx = 5\nreturn\n", "y = 0", pressKey);
    EXPECT_EQ(label.output, "5\n");
}

TEST(Events, HandlerWithoutOperandDisarms)
{
    RunResult result = RunStepping("onbutton b\nonbutton\nx = 1\nprint \"main\"\nend\nb:\nprint \"b\"\nreturn\n",
        "onbutton", [] { TestScreen().lastButton = "Buttons_1"; });
    EXPECT_EQ(result.output, "main\n");
}

TEST(Events, StepHookTracesEveryStatement)
{
    std::vector<std::string> trace;
    RunResult result = RunStepping("x = 1\n  y = 2\n", "", nullptr, &trace);
    EXPECT_EQ(result.ended, 1);
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[0], "About to execute (1,0):x = 1");
    EXPECT_EQ(trace[1], "About to execute (2,3):y = 2");
    EXPECT_EQ(trace[2], "About to execute (3,1):");
}

TEST(OnError, TrappedErrorShowsNoBoxUntrappedShowsOne)
{
    RunResult trapped = RunProgram("onerror h\nx = y\nend\nh:\nreturn\n");
    EXPECT_TRUE(trapped.boxes.empty());
    EXPECT_EQ(trapped.outcome, 0);
    RunResult untrapped = RunProgram("x = 1\nx = y\n");
    ASSERT_EQ(untrapped.boxes.size(), 1u);
    EXPECT_EQ(untrapped.boxes[0].caption, "ERROR----");
    EXPECT_EQ(untrapped.boxes[0].text, "Variable Not Initialized [in line 2]");
    EXPECT_EQ(untrapped.outcome, 2);
}

TEST(Events, StopButtonRunsTheAbortHandlerWhenOneIsArmed)
{
    RunResult result = RunStepping("onabort a\nx = 1\nx = 2\nprint \"main\"\nend\na:\nprint \"abort\"\nreturn\n",
        "x = 1", [] { TestScreen().HoltProgramClick(); });
    EXPECT_EQ(result.output, "abort\nmain\n");
    EXPECT_EQ(result.ended, 1);
}

TEST(Events, StopButtonEndsARunWithoutAbortHandler)
{
    RunResult result = RunStepping("x = 1\nx = 2\nprint \"main\"\n", "x = 1", [] { TestScreen().HoltProgramClick(); });
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(result.ended, 1);
    EXPECT_EQ(result.outcome, 0);
}
