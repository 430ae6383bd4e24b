#include "tests/support/RecordingScreen.h"

#include "interpreter/ControlPropertyTable.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/ProgramFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
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

namespace {

// The word of a statement or function code, from the vocabulary.
struct Word {
    int code;
    const char* word;
};

std::string WordIn(std::span<const Word> words, int code)
{
    for (const Word& w : words)
        if (w.code == code) return w.word;
    return {};
}

std::string WordOf(StatementCode code)
{
    static constexpr Word statements[] = {
#define STATEMENT(name, word, code) { code, word },
#define STATEMENT_ALIAS(name, word)
#include "interpreter/vocabulary/statements.inc"
#undef STATEMENT_ALIAS
#undef STATEMENT
    };
    return WordIn(statements, Code(code));
}

std::string WordOf(FunctionCode code)
{
    static constexpr Word functions[] = {
#define FUNCTION(name, word, code, minArgs, maxArgs, defaultArg, signature, group) { code, word },
#define FUNCTION_ALIAS(name, word, minArgs, maxArgs, defaultArg, signature, group)
#include "interpreter/vocabulary/functions.inc"
#undef FUNCTION_ALIAS
#undef FUNCTION
    };
    return WordIn(functions, Code(code));
}

} // namespace

// Every integer setter with only the control's name sets its own property to
// its default; every getter asks for its own property.
TEST(RunScreen, EveryControlWordReachesItsOwnProperty)
{
    for (const ControlPropertyRow& row : controlPropertyRows) {
        const std::string name = row.name;
        if (row.kind == ControlPropertyKind::Number && row.statement != StatementCode {}) {
            const std::string statement = WordOf(row.statement) + " \"c\"";
            EXPECT_EQ(CallsOf(statement),
                std::vector<std::string> { "set " + name + " c," + std::to_string(row.defaultValue) })
                << statement;
        }
        if (row.function == FunctionCode {}) continue;
        const std::string word = WordOf(row.function);
        std::string call = word + "(\"c\")", expected;
        switch (row.kind) {
        case ControlPropertyKind::Number:
        case ControlPropertyKind::Focus:
            expected = "get " + name + " c";
            break;
        case ControlPropertyKind::Item:
            call = word + "(\"c\", 3)";
            expected = "text " + name + " c,3";
            break;
        case ControlPropertyKind::Event:
            call = word + "()";
            expected = "takeevent " + std::string(row.name).substr(0, name.size() - 9);
            break;
        default:
            expected = "text " + name + " c,0";
            break;
        }
        RecordingScreen screen;
        RunOn(screen, "x = " + call + "\nprint x\n");
        ASSERT_EQ(screen.calls.size(), 3u) << call;
        EXPECT_EQ(screen.calls[1], expected) << call;
        const bool number = row.kind == ControlPropertyKind::Number || row.kind == ControlPropertyKind::Focus;
        EXPECT_EQ(screen.printed,
            number                                       ? "7\n"
                : row.kind == ControlPropertyKind::Event ? "\n"
                                                         : "text of " + name + "\n")
            << call;
    }
}

TEST(RunScreen, ControlStatementsPassTheirArgumentsAndDefaults)
{
    const struct {
        const char* statement;
        const char* call;
    } cases[] = {
        { "addbutton \"b\", 1, 2", "add Button b 1,2,0,0|" },
        { "addbutton \"b\", 1, 2, 30, 40, \"tip\"", "add Button b 1,2,30,40|tip" },
        { "addedit \"e\", 1, 2", "add Edit e 1,2,-1,-1||" },
        { "addedit \"e\", 1, 2, 0, 0, 3.5, \"tip\"", "add Edit e 1,2,0,0|3.5|tip" },
        { "addlistbox \"l\", 1, 2, 80, \"a\"", "add ListBox l 1,2,80|a|" },
        { "addrbgroup \"r\", 1, 2", "add RBGroup r 1,2,-1,-1,-1|||" },
        { "addcheckbox \"c\", 1, 2, \"Go\"", "add CheckBox c 1,2,0,100|Go|" },
        { "addslider \"s\", 1, 2", "add Slider s 1,2,-1,0,100,0,-1,-1|" },
        { "addspinner \"p\", 1, 2, 10", "add Spinner p 1,2,10,-1,0,100,-1,0,0|" },
        { "addmemo \"m\", 1, 2, 50, 60, \"text\"", "add Memo m 1,2,50,60|text|" },
        { "addtimer \"t\"", "add Timer t -1" },
        { "addtimer \"t\", 250", "add Timer t 250" },
        { "removebutton \"b\"", "action ButtonRemoval b|" },
        { "focusedit \"e\"", "action EditFocused e|" },
        { "clearmemo \"m\"", "action MemoClearing m|" },
        { "renamebutton \"b\", \"c\"", "action ButtonName b|c" },
        { "setbuttoncaption \"b\"", "action ButtonCaption b|" },
        { "setedit \"e\", 12", "action EditText e|12" },
        { "setlistboxitems \"l\", \"x\"", "action ListBoxItems l|x" },
        { "hidebutton \"b\", 0", "set ButtonHidden b,0" },
        { "setslidermax \"s\"", "set SliderMaximum s,100" },
        { "settimerperiod \"t\"", "set TimerPeriod t,1000" },
        { "setbuttondim \"b\", 10", "dim Button b 10,-1,-1,-1" },
        { "setmemofont \"m\", \"Arial\", 12", "font Memo m 12,-1,-1|Arial" },
        { "setmemoselection \"m\"", "memoselection m 1,1,0" },
        { "setmemoselected \"m\", 4", "memoselected m 4,0" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CallsOf(c.statement), std::vector<std::string> { c.call }) << c.statement;
}

TEST(RunScreen, ControlStatementArgumentErrors)
{
    const struct {
        const char* statement;
        int error;
    } cases[] = {
        { "addbutton \"b\", 1", 30 },
        { "renamebutton \"b\"", 30 },
        { "seteditmask \"e\", 5", 32 },
        { "hidebutton \"b\", \"x\"", 31 },
        { "removebutton \"b\", 1", 0 },
        { "addtimer \"t\", 1, 2", 0 },
    };
    for (const auto& c : cases) {
        RecordingScreen screen;
        const Ended outcome = RunOn(screen, c.statement);
        EXPECT_EQ(outcome.errorNumber, c.error) << c.statement;
        EXPECT_EQ(screen.calls.size(), 1u) << c.statement;
    }
}

TEST(RunScreen, GetbuttonTakesTheLastButtonIntoAVariable)
{
    RecordingScreen screen;
    screen.lastEvents[static_cast<int>(ControlFamily::Button)] = "ok";
    RunOn(screen, "getbutton b\nprint b\nprint lastbutton()\n");
    EXPECT_EQ(screen.printed, "ok\n\n");
}
