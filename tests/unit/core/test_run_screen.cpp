#include "tests/support/RecordingScreen.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/ProgramFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Statements against a recording screen: what a run asks of the run-time
// screen, with no widget behind it.

namespace {

struct Ended {
    int ended = 0;
    int errorNumber = 0;
};

Ended RunOn(RecordingScreen& screen, const std::string& program)
{
    Durnix_Class run(screen);
    Ended outcome;
    outcome.ended = run.Run(ProgramFiles::NormaliseLineEnds(program));
    outcome.errorNumber = run.expression.lastErrorNumber;
    return outcome;
}

// A recording screen that acts after each printed piece, as a user might.
class PrintHook : public RecordingScreen {
public:
    std::function<void()> afterPrint;
    void PrintText(const AnsiString& text, NewLine newLine) override
    {
        RecordingScreen::PrintText(text, newLine);
        if (afterPrint) afterPrint();
    }
};

// The calls after the run's "begin".
std::vector<std::string> CallsOf(const std::string& program)
{
    RecordingScreen screen;
    RunOn(screen, program);
    EXPECT_FALSE(screen.calls.empty());
    return { screen.calls.begin() + 1, screen.calls.end() };
}

} // namespace

TEST(RunScreen, ConsoleStatementsPrintReadAndPlaceText)
{
    RecordingScreen screen;
    screen.lines = { "Ada" };
    screen.keys = { 65 };
    const Ended outcome
        = RunOn(screen, "input \"Name? \", n\nprint \"hi \", n\nprint 1,\nwaitkey k\nprint k\nxystring 5, 6; \"at\"\n");
    EXPECT_EQ(outcome.ended, 1);
    EXPECT_EQ(screen.printed, "hi Ada\n165\n");
    EXPECT_EQ(screen.calls,
        (std::vector<std::string> { "begin", "input Name? ", "print hi Ada|nl", "print 1", "waitkey Press Any Key...",
            "print 65|nl", "textat 5,6,at" }));
}

TEST(RunScreen, EachRunStartsWithTheEmptyPattern)
{
    RecordingScreen screen;
    RunOn(screen, "x = re_Setup(\"b\")\nx = re_search(\"abc\")\n");
    screen.printed.clear();
    RunOn(screen, "print re_replace(\"abc\", \"-\")\nprint re_numofgrps(), re_start()\n");
    EXPECT_EQ(screen.printed, "-a-b-c-\n00\n");
}

TEST(RunScreen, EvaluateWorksOnTheRunsExpressionAndGenerator)
{
    RecordingScreen screen;
    RunOn(screen,
        "t = \"abc\"\nx = re_Setup(\"(b)(c)\")\nx = evaluate(\"re_search(t)\")\nprint re_numofgrps(), re_start(2)\n"
        "seedrandom 9\na = random(100000)\nseedrandom 9\nprint a - evaluate(\"random(100000)\")\n");
    EXPECT_EQ(screen.printed, "23\n0\n");
}

TEST(RunScreen, StoppedScreenEndsTheRunWithoutError)
{
    // No input line to give: the screen stops, as when its window is closed,
    // and neither the rest of the input statement nor the program runs.
    RecordingScreen screen;
    const Ended outcome = RunOn(screen, "input a, b\nprint \"after\"\n");
    EXPECT_EQ(outcome.ended, 1);
    EXPECT_EQ(outcome.errorNumber, 0);
    EXPECT_EQ(screen.calls, (std::vector<std::string> { "begin", "input >" }));
}

TEST(RunScreen, DrawingStatementsPassTheirArgumentsAndDefaults)
{
    const struct {
        const char* statement;
        const char* call;
    } cases[] = {
        { "line 1, 2, 3, 4", "line 1,2,3,4,-1,-1" },
        { "line 1, 2, 3, 4, 5, 6", "line 1,2,3,4,5,6" },
        { "lineto 7, 8", "lineto 7,8,-1,-1" },
        { "circle 1, 2, 3, 4, 9", "shape 1,1,2,3,4,9,-1" },
        { "rectanglewh 1, 2, 3, 4", "shape 4,1,2,3,4,-1,-1" },
        { "erectangle 1, 2, 3, 4, 2, 12", "outline 1,1,2,3,4,2,12" },
        { "arc 0, 0, 10, 10, 0.5, 1.5", "arc 0,0,10,10,0.5,1.5,-1,-1" },
        { "setcolor", "setcolors -1,-1" },
        { "setcolor 4", "setcolors 4,-1" },
        { "setpixel 3, 4, 5", "setpixel 3,4,5" },
        { "gotoxy 5, 6", "penpos 5,6" },
        { "floodfill", "floodfill -1,-1,-1,-1" },
        { "drawshape \"R10\", 1, 2", "path 1,2,1,-99,R10" },
        { "xytext 1, 2, 3.5, \"Arial\"", "textfont 1,2,0,0,-1,-1,3.5|Arial" },
        { "setcursor -3", "cursor -3" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CallsOf(c.statement), std::vector<std::string> { c.call }) << c.statement;
}

TEST(RunScreen, EventSourcesOfTheScreenRunTheirHandlers)
{
    RecordingScreen screen;
    screen.controlEvent[static_cast<int>(ControlFamily::Button)] = true;
    // The handler disarms itself: the recorded event stays pending.
    RunOn(screen, "onbutton b\nprint \"main\"\nend\nb:\nprint \"button\"\nonbutton\nreturn\n");
    EXPECT_EQ(screen.printed, "button\nmain\n");

    // Closing the screen while onabort is armed asks the program.
    PrintHook closing;
    closing.afterPrint = [&] { closing.closeRequested = true; };
    const Ended outcome = RunOn(closing, "onabort a\nprint \"x\"\nprint \"main\"\nend\na:\nprint \"asked\"\nreturn\n");
    EXPECT_EQ(closing.closeMode, 2);
    EXPECT_EQ(outcome.ended, 1);
    EXPECT_EQ(closing.printed, "x\nasked\nmain\n");
}

TEST(RunScreen, StopDuringTheRunEndsItBeforeTheNextStatement)
{
    PrintHook screen;
    int prints = 0;
    screen.afterPrint = [&] { screen.stopped = ++prints == 2; };
    const Ended outcome = RunOn(screen, "for i = 1 to 10\nprint i\nnext\n");
    EXPECT_EQ(outcome.ended, 1);
    EXPECT_EQ(screen.printed, "1\n2\n");
}
