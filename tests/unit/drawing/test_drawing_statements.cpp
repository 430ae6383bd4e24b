#include "tests/support/RunHarness.h"

#include "platform/KeyMap.h"
#include "screen/ScreenForm.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

namespace {

// A program, the region of the visible image it must leave, and the error
// that must end it (-1 none) with its line.
struct DrawingCase {
    const char* name;
    const char* program;
    int x, y, width, height;
    const char* region;
    int error = -1;
    int line = 0;
};

void PrintTo(const DrawingCase& c, std::ostream* os)
{
    *os << c.name;
}

class DrawingStatements : public testing::TestWithParam<DrawingCase> { };

TEST_P(DrawingStatements, LeaveTheirPixels)
{
    const DrawingCase& c = GetParam();
    RunResult result = RunProgram(c.program);
    if (c.error < 0) {
        EXPECT_EQ(result.ended, 1) << "error " << result.errorNumber << " in line " << result.errorLine;
    } else {
        EXPECT_EQ(result.ended, 0);
        EXPECT_EQ(result.errorNumber, c.error);
        EXPECT_EQ(result.outcome, c.line);
    }
    EXPECT_EQ(Region(c.x, c.y, c.width, c.height), c.region);
}

INSTANTIATE_TEST_SUITE_P(Drawing, DrawingStatements,
    testing::Values(DrawingCase { "RectangleWithColours", "rectangle 2, 2, 4, 4, 4, 14\n", 1, 1, 5, 5,
                        ".....\n.444.\n.4e4.\n.444.\n.....\n" },
        DrawingCase {
            "RectangleWHWithDefaults", "rectanglewh 2, 2, 3, 2\n", 1, 1, 5, 4, ".....\n.000.\n.000.\n.....\n" },
        DrawingCase { "SetColorBrushOnly", "setcolor -1, 4\nrectangle 2, 2, 4, 4\n", 1, 1, 5, 5,
            ".....\n.000.\n.040.\n.000.\n.....\n" },
        DrawingCase { "SetColorWithoutArgumentsKeepsBoth", "setcolor 4, 2\nsetcolor\nrectangle 2, 2, 4, 4\n", 1, 1, 5,
            5, ".....\n.444.\n.424.\n.444.\n.....\n" },
        DrawingCase {
            "CircleOfThreeByThree", "circle 1, 1, 3, 3, 4, 14\n", 0, 0, 5, 5, ".....\n.444.\n.4e4.\n.444.\n.....\n" },
        DrawingCase {
            "GotoXYWithoutArgumentsGoesHome", "gotoxy 5, 5\ngotoxy\nlineto 3, 0\n", 0, 0, 5, 2, "000..\n.....\n" },
        DrawingCase { "LineWithWidthAndColour", "line 1, 1, 4, 1, 1, 1\nlineto 4, 3\n", 0, 0, 6, 4,
            "......\n.1110.\n....0.\n......\n" },
        DrawingCase {
            "ErectangleWH", "erectanglewh 1, 1, 4, 3, 1, 4\n", 0, 0, 6, 5, "......\n.4444.\n.4..4.\n.4444.\n......\n" },
        DrawingCase { "FloodFillWithDefaults", "erectangle 1, 1, 5, 4\ngotoxy 3, 2\nfloodfill\n", 0, 0, 7, 6,
            ".......\n.00000.\n.00000.\n.00000.\n.00000.\n.......\n" },
        DrawingCase { "FloodFill2UpToTheBorder",
            "erectangle 1, 1, 4, 4, 1, 4\nsetpixel 2, 2, 1\nfloodfill2 2, 3, 14, 4\n", 0, 0, 6, 6,
            "......\n.4444.\n.4ee4.\n.4ee4.\n.4444.\n......\n" },
        DrawingCase {
            "SetPixelAtThePen", "setcolor 5\ngotoxy 2, 1\nsetpixel\nsetpixel 0, 0, 1\n", 0, 0, 3, 2, "1..\n..5\n" },
        DrawingCase { "DrawShapeWithColours", "drawshape \"rr4d-l\", 0, 0\n", 0, 0, 4, 3, "004.\n..0.\n....\n" },
        DrawingCase { "DrawShapeTakesAnyNumberType", "drawshape \"r\", 1.9, 0, 2.5, 4\n", 0, 0, 4, 1, ".44.\n" },
        DrawingCase { "XyStringAtThePen", "gotoxy 100, 100\nxystring -1, -1, \"W\"\n", 0, 0, 2, 2, "..\n..\n" },
        DrawingCase { "LineNeedsFourNumbers", "line 1, 2, 3\n", 0, 0, 1, 1, ".\n", 30, 1 },
        DrawingCase { "LineTakesAtMostSix", "line 1, 2, 3, 4, 5, 6, 7\n", 0, 0, 1, 1, ".\n", 0, 1 },
        DrawingCase { "DrawShapeWantsAText", "drawshape 5, 1, 1\n", 0, 0, 1, 1, ".\n", 32, 1 },
        DrawingCase { "SetPixelWantsNumbers", "setpixel \"a\"\n", 0, 0, 1, 1, ".\n", 31, 1 },
        DrawingCase { "XyTextFontNameIsAText", "xytext 1, 2, 3, 4\n", 0, 0, 1, 1, ".\n", 32, 1 },
        DrawingCase { "WaitNoKeyeTakesAtMostTwo", "waitnokeye 65, 1, 2\n", 0, 0, 1, 1, ".\n", 0, 1 },
        DrawingCase { "SetCursorTakesOne", "setcursor 1, 2\n", 0, 0, 1, 1, ".\n", 0, 1 }),
    [](const testing::TestParamInfo<DrawingCase>& c) { return std::string(c.param.name); });

TEST(DrawingStatementEffects, XyTextPlacesAnyValueAndMovesThePen)
{
    RunResult result = RunProgram("xytext 10, 10, 42, \"\", 0, 0, 4, 14\nxytext -1, -1, 7\n");
    EXPECT_EQ(result.ended, 1);
    const Canvas& canvas = *TestScreen().canvas;
    EXPECT_EQ(canvas.penPos, QPoint(10 + 3 * canvas.TextWidth("4"), 10));
    EXPECT_NE(Region(10, 10, 3 * canvas.TextWidth("4"), canvas.TextHeight("4")).find('4'), std::string::npos);
    EXPECT_NE(Region(10, 10, 3 * canvas.TextWidth("4"), canvas.TextHeight("4")).find('e'), std::string::npos);
    EXPECT_EQ(canvas.brushColor, TestScreen().palette[15]);
}

TEST(DrawingStatementEffects, ArcAndPieTakeRadians)
{
    RunResult result
        = RunProgram("arc 10, 10, 51, 51, 0, 3.14159, 1, 4\npie 60, 10, 101, 51, 3.14159, 3.14159, 4, 14\n");
    EXPECT_EQ(result.ended, 1);
    const std::string arc = Region(5, 5, 50, 50);
    EXPECT_NE(arc.substr(0, arc.size() / 2).find('4'), std::string::npos);
    EXPECT_EQ(arc.substr(arc.size() / 2 + 51 * 5).find('4'), std::string::npos);
    EXPECT_EQ(Region(80, 40, 1, 1), "e\n"); // the lower half is the pie
    EXPECT_EQ(Region(80, 20, 1, 1), ".\n");
}

TEST(DrawingStatementEffects, SetCursorNumbers)
{
    for (auto [program, expected] :
        { std::pair { "setcursor 5\n", -5 }, { "setcursor -40\n", -21 }, { "setcursor\n", 0 } }) {
        RunResult result = RunProgram(program);
        EXPECT_EQ(result.ended, 1);
        EXPECT_EQ(TestScreen().imageCursor, expected) << program;
    }
}

TEST(DrawingStatementEffects, SetMousePosRecordsThePosition)
{
    RunResult result = RunProgram("setmousepos 30, 40\n");
    EXPECT_EQ(result.ended, 1);
    EXPECT_EQ(TestScreen().mouseX, 30);
    EXPECT_EQ(TestScreen().mouseY, 40);
}

// Runs a one-line program, pressing the A key just before the waitnokeye statement
// when press is set (the run forgets keys held before it starts), and
// returns how long it ran.
double MillisecondsOf(const char* program, bool press)
{
    RecordingDebugger debugger;
    debugger.injectBefore = std::string(program, std::strlen(program) - 1);
    debugger.inject = press ? +[] { platform::SetKeyDown(65, true); } : nullptr;
    RunHooks::SetDebugger(&debugger);
    const auto start = std::chrono::steady_clock::now();
    RunResult result = RunProgram(program);
    const auto end = std::chrono::steady_clock::now();
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(result.ended, 1) << program;
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The upper bounds only catch a wait that never ends; they are wide so that a
// loaded machine cannot fail them.
TEST(DrawingStatementEffects, WaitNoKeyeWaitsWhileTheKeyIsHeld)
{
    TestScreen();
    EXPECT_LT(MillisecondsOf("waitnokeye 65\n", false), 10000);
    // Held: the time limit ends the wait; its sign does not matter.
    const double limited = MillisecondsOf("waitnokeye 65, -100\n", true);
    EXPECT_GE(limited, 100);
    EXPECT_LT(limited, 10000);
    // Without a limit the release ends it; window events are processed while
    // it waits, so the timer that releases the key runs.
    QTimer::singleShot(150, [] { platform::SetKeyDown(65, false); });
    const double released = MillisecondsOf("waitnokeye 65\n", true);
    EXPECT_GE(released, 100);
    EXPECT_LT(released, 10000);
    platform::SetKeyDown(65, false);
}

} // namespace
