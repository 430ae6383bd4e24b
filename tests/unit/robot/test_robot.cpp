#include "canvas/Canvas.h"
#include "pictures/Palette.h"
#include "platform/gui/Colors.h"
#include "screen/robot/Robot_class.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <vector>

namespace {

constexpr int White = 0xFFFFFF;
constexpr int Black = 0x000000;
constexpr int Red = 0x0000FF; // palette index 4
constexpr int Blue = 0xFF0000; // palette index 1

// A 200 x 150 white arena with a robot of radius 20, scripted random draws and
// a pause that only counts.
class RobotArena : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas.Fill(White);
        robot.random = [this] {
            if (draws.empty()) {
                ADD_FAILURE() << "unexpected random draw";
                return 0;
            }
            const int32_t next = draws.front();
            draws.pop_front();
            return next;
        };
        robot.pause = [this](int milliseconds) { pauses.push_back(milliseconds); };
    }

    void Place(int x, int y, int compass, int radius = 20)
    {
        robot.Locate(&canvas, &palette, 15, x, y, compass, radius, -1, -1, &stopped);
    }

    void Paint(const QRect& rect, int colour)
    {
        canvas.Draw([&](QPainter& painter) {
            painter.fillRect(rect, platform::toQColor(colour));
            return rect;
        });
    }

    int PixelAt(int x, int y) const { return platform::fromQRgb(canvas.image.pixel(x, y)); }

    Canvas canvas { QSize(200, 150) };
    Palette palette;
    bool stopped = false;
    Robot_Class robot;
    std::deque<int32_t> draws;
    std::vector<int> pauses;
};

TEST_F(RobotArena, LocateAddsTheRadiusNearTheEdgesAndClampsAtTheFarOnes)
{
    struct Case {
        int x, y, radius;
        const char* dump;
    };
    const Case cases[] = {
        { 0, 0, 20, "x 20.00 y 20.00 compass 0 r 20" },
        { 10, 75, 20, "x 30.00 y 75.00 compass 0 r 20" },
        { 190, 149, 20, "x 180.00 y 130.00 compass 0 r 20" },
        { 100, 75, -1, "x 100.00 y 75.00 compass 0 r 20" },
        { 100, 75, 0, "x 100.00 y 75.00 compass 0 r 5" },
        { 3, 75, 60, "x 53.00 y 75.00 compass 0 r 50" },
    };
    for (const Case& c : cases) {
        Place(c.x, c.y, 0, c.radius);
        EXPECT_EQ(robot.DebugDump().substr(7, std::string(c.dump).size()), c.dump) << c.x << "," << c.y;
    }
}

TEST_F(RobotArena, LocateStartsAFullBatteryAndForgetsColoursButKeepsSlipAndError)
{
    Place(100, 75, 90);
    robot.SetErrorPercent(30, 0);
    robot.SetErrorPercent(150, 1);
    robot.SetSenseType(5);
    robot.SetLineColor(4);
    robot.SetCharge(10);
    EXPECT_EQ(robot.DebugDump(),
        "placed x 100.00 y 75.00 compass 90 r 20 points 0 battery 20000 ignorecharge delay 0 slip 30 error 100 "
        "sense 5 pen up trail 0x000000 floor 0xFFFFFF line 0x0000FF beacon -");
    Place(100, 75, 90);
    EXPECT_EQ(robot.DebugDump(),
        "placed x 100.00 y 75.00 compass 90 r 20 points 0 battery 199998 ignorecharge delay 0 slip 30 error 100 "
        "sense 5 pen up trail 0x000000 floor 0xFFFFFF line - beacon -");
}

TEST_F(RobotArena, BorderOnTheFloorColourIsDrawnRed)
{
    robot.Locate(&canvas, &palette, 15, 100, 75, 0, 20, 15, -1, &stopped);
    EXPECT_EQ(robot.borderColour, Red);
    // The heading line points up from the centre.
    EXPECT_EQ(PixelAt(100, 65), Red);
}

TEST_F(RobotArena, OperationsBeforeLocateReportNotInitialised)
{
    EXPECT_EQ(robot.Forward(1), RobotResult::NotInitialised);
    EXPECT_EQ(robot.Turn(1), RobotResult::NotInitialised);
    EXPECT_EQ(robot.SetHeading(1), RobotResult::NotInitialised);
    EXPECT_EQ(robot.SetSpeed(1), RobotResult::NotInitialised);
    EXPECT_EQ(robot.SetLineColor(1), RobotResult::NotInitialised);
    EXPECT_EQ(robot.Relocate(1, 1, 1), RobotResult::NotInitialised);
    EXPECT_EQ(robot.Look(0), -1);
    EXPECT_EQ(robot.Range(0), -1);
    EXPECT_EQ(robot.Ground(2), -1);
    int gx = 0, gy = 0;
    robot.Gps(gx, gy);
    EXPECT_EQ(gx, -1);
    EXPECT_EQ(gy, -1);
    EXPECT_EQ(robot.Command(1, 2), "");
    robot.SetCharge(50);
    EXPECT_EQ(robot.ChargeLevel(), 50);
    EXPECT_EQ(robot.Points(), 0);
}

TEST_F(RobotArena, ForwardStopsBeforeTheFirstPixelThatWouldTouchAWall)
{
    Paint(QRect(100, 0, 20, 150), Black);
    Place(50, 75, 90);
    EXPECT_EQ(robot.Forward(100), RobotResult::Collided);
    // The nearest collision points lie 1 and 2 degrees off the direction of
    // travel at distance 21: x + 20.99 reaches column 100 once x is 80.
    EXPECT_EQ(robot.DebugDump(),
        "placed x 80.00 y 75.00 compass 90 r 20 points 3 battery 199937 ignorecharge delay 0 slip 0 error 0 sense 0 "
        "pen up trail 0x000000 floor 0xFFFFFF line - beacon -");
    EXPECT_EQ(robot.Forward(1), RobotResult::Collided);
    // Backing away tests the rear arc and moves freely.
    EXPECT_EQ(robot.Forward(-10), RobotResult::Success);
    EXPECT_FLOAT_EQ(robot.x, 70.0f);
}

TEST_F(RobotArena, TheArenaEdgeIsAWall)
{
    Place(100, 75, 0);
    // Heading up, the nearest collision point is at y - 20.9968; truncation
    // toward zero keeps -0.9968 on row 0, so the centre stops at y 19.
    EXPECT_EQ(robot.Forward(200), RobotResult::Collided);
    EXPECT_FLOAT_EQ(robot.y, 19.0f);
}

TEST_F(RobotArena, SensorsReadTheGeometryAroundTheBody)
{
    Paint(QRect(100, 0, 10, 150), Black);
    Paint(QRect(150, 0, 6, 150), Red);
    Place(50, 75, 90);
    int colour = 0, distance = 0;
    struct Reading {
        const char* what;
        int value;
        int expected;
    };
    const Reading readings[] = {
        // The wall is 30 pixels beyond the rim (column 70).
        { "range ahead", robot.Range(0), 30 },
        { "look ahead", robot.Look(0), 0 },
        { "look back leaves the arena", robot.Look(180), -1 },
        // The beacon ray passes the black wall and finds red at distance 100.
        { "beacon red", robot.Beacon(4), 80 },
        { "beacon absent", robot.Beacon(2), 0 },
        { "bumper clear", robot.Bumper(), 0 },
        { "feel clear", robot.Feel(), 0 },
        { "ground centre is white", robot.Ground(2), 15 },
        { "compass", robot.Compass(), 90 },
        { "gps x", robot.GpsX(), 50 },
        { "gps y", robot.GpsY(), 75 },
        { "sensor ahead finds", robot.SensorAtAngle(0, 100, colour, distance), 1 },
        { "sensor ahead distance", distance, 30 },
        { "sensor ahead colour", colour, 0 },
        { "sensor short range", robot.SensorAtAngle(0, 10, colour, distance), 0 },
        { "sensor short distance", distance, 10 },
        { "sensor short colour", colour, -1 },
        // Sensor 0 is sensor 1, at +90 (down): the bottom edge at row 150 is
        // in the arena but off the image, so it reads -1 and blocks.
        { "sensor 0 down finds", robot.Sensor(0, 500, colour, distance), 1 },
        { "sensor 0 down distance", distance, 55 },
        { "sensor 0 down colour", colour, -1 },
        { "points", robot.Points(), 14 },
    };
    for (const Reading& r : readings)
        EXPECT_EQ(r.value, r.expected) << r.what;
}

TEST_F(RobotArena, RangeTenPixelsBeyondTheRim)
{
    Paint(QRect(80, 0, 5, 150), Black);
    Place(50, 75, 90);
    EXPECT_EQ(robot.Range(0), 10);
    // Turned 90 degrees the ray still starts on the rim straight ahead.
    EXPECT_EQ(robot.Range(-90), 76);
}

TEST_F(RobotArena, BumperSectorsByPlacement)
{
    Paint(QRect(100, 0, 100, 150), Black);
    struct Case {
        int x, y, compass;
        int bits;
    };
    const Case cases[] = {
        // The sectors are walked at odd angles, so straight ahead is never
        // sampled: 22 cos 1 = 21.9966 falls short from x 78.
        { 78, 75, 90, 0 },
        { 79, 75, 90, 4 }, // front
        { 79, 75, 270, 1 }, // facing away: rear
        { 79, 75, 0, 2 }, // facing up: the wall is right
        { 79, 75, 180, 8 }, // facing down: the wall is left
        // Above the top edge: 20 - 21.9966 truncates to -1; from y 21 it
        // would truncate to 0, which is inside.
        { 40, 20, 90, 8 },
        { 40, 21, 90, 0 },
    };
    for (const Case& c : cases) {
        Place(c.x, c.y, c.compass);
        EXPECT_EQ(robot.Bumper(), c.bits) << c.x << "," << c.y << " compass " << c.compass;
    }
}

TEST_F(RobotArena, FeelersReachOneRadiusBeyondTheRim)
{
    Paint(QRect(88, 0, 100, 150), Black);
    Place(50, 75, 90);
    EXPECT_EQ(robot.Feel(), 4);
    const QImage before = canvas.image.copy();
    EXPECT_EQ(robot.FeelShown(4), 4);
    // The probe's painting is removed direction by direction.
    EXPECT_EQ(canvas.image, before);
    EXPECT_EQ(pauses.size(), 1u + 5u);
    pauses.clear();
    // Without a beacon colour the probe paints in a colour that no pixel
    // holds exactly; it must still not feel its own paint.
    EXPECT_EQ(robot.FeelShown(-1), 4);
    EXPECT_EQ(canvas.image, before);
    // From x 48 only the arc's middle point (68 + 20) reaches the wall. A
    // fresh arena each time: an old image of the robot is an obstacle too.
    for (int x : { 48, 47 }) {
        canvas.Fill(White);
        Paint(QRect(88, 0, 100, 150), Black);
        Place(x, 75, 90);
        EXPECT_EQ(robot.Feel(), x == 48 ? 4 : 0) << x;
    }
}

TEST_F(RobotArena, BumperMarksStayInsideTheSavedSquare)
{
    Paint(QRect(100, 0, 100, 150), Black);
    Place(79, 75, 90);
    pauses.clear();
    EXPECT_EQ(robot.BumperShown(4), 4);
    EXPECT_EQ(pauses, std::vector<int>({ 500 }));
    // The first hit is at -17 degrees; the mark lies between the points at
    // distance 17 (95, 70) and 10 (88, 72) in that direction.
    EXPECT_EQ(PixelAt(91, 71), Red);
    robot.SetHeading(90);
    EXPECT_NE(PixelAt(91, 71), Red);
}

TEST_F(RobotArena, LineSensorsCompareTheRimPixelsExactly)
{
    Place(50, 75, 90);
    // Rim points: +10 at (69, 78), 0 at (70, 75), -10 at (69, 71).
    Paint(QRect(70, 0, 1, 150), Red);
    EXPECT_EQ(robot.Sense(4), 2);
    EXPECT_EQ(robot.Sense(-1), 0); // no line colour yet
    robot.SetLineColor(4);
    EXPECT_EQ(robot.Sense(-1), 2);
    Paint(QRect(69, 0, 3, 150), Red);
    EXPECT_EQ(robot.Sense(-1), 7);
    EXPECT_EQ(robot.Ground(1), 4);
    EXPECT_EQ(robot.Ground(9), 4);
    EXPECT_EQ(robot.GroundAtAngle(90), 15);
    robot.SetSenseType(4);
    EXPECT_EQ(robot.Sense(-1), 7); // +35 and -35 lie at column 66
}

TEST_F(RobotArena, InvisibleColoursArePassableAndOverwriteLineAndBeacon)
{
    Paint(QRect(100, 0, 20, 150), Black);
    Place(50, 75, 90);
    robot.SetLineColor(2);
    robot.SetBeaconColor(3);
    const int invisible[] = { 0, 12, 0x123456 };
    EXPECT_EQ(robot.SetInvisibleColors(invisible, 3), RobotResult::Success);
    EXPECT_EQ(robot.colours[1], Black);
    EXPECT_EQ(robot.colours[2], palette[12]);
    EXPECT_EQ(robot.colours[3], 0x123456);
    EXPECT_EQ(robot.Forward(100), RobotResult::Success);
    // From x 150 the rim is at 170; column 200 is in the arena but off the
    // image, so it reads -1 and blocks.
    EXPECT_EQ(robot.Range(0), 30);
}

TEST_F(RobotArena, TurnAndHeadingMoveTheCompass)
{
    Place(100, 75, 0);
    struct Step {
        int turn;
        int compass;
    };
    const Step steps[] = { { 90, 90 }, { -180, 270 }, { 450, 0 }, { 0, 0 }, { -1, 359 } };
    for (const Step& s : steps) {
        EXPECT_EQ(robot.Turn(s.turn), RobotResult::Success);
        EXPECT_EQ(robot.Compass(), s.compass) << "after turn " << s.turn;
    }
    EXPECT_EQ(robot.SetHeading(135), 0);
    EXPECT_EQ(robot.Compass(), 135);
    // Points: 5 turns x 2, 5 readings, heading 2, one more reading.
    EXPECT_EQ(robot.Points(), 18);
}

TEST_F(RobotArena, EveryTurnDegreeRedraws)
{
    Place(100, 75, 0);
    pauses.clear();
    robot.Turn(360);
    EXPECT_EQ(pauses.size(), 360u);
    EXPECT_EQ(robot.battery, Robot_Class::FullCharge - 2 - 720);
}

TEST(RobotHeading, AdvanceHeadingMatchesOneNormalisePerDegree)
{
    // Headings in range and far outside it (rheading with a large value),
    // against the degree-by-degree walk that a turn used to make.
    const int64_t headings[] = { 0, 1, 90, 359, -1, -2, 360, 361, 717, 718, 719, 720, 721, -359, -360, -361, -362, -723,
        100000, -100000, 2147483557, -2147483378 };
    const int64_t counts[] = { 0, 1, 2, 359, 360, 361, 1000, 5000, 12345 };
    for (int64_t h : headings)
        for (int step : { 1, -1 })
            for (int64_t n : counts) {
                int64_t walked = h;
                for (int64_t k = 0; k < n; ++k)
                    walked = Robot_Class::Normalise(walked + step);
                EXPECT_EQ(Robot_Class::AdvanceHeading(h, step, n), walked)
                    << "heading " << h << " step " << step << " steps " << n;
            }
}

TEST_F(RobotArena, AHugeTurnShowsAtMostOneFullTurnAndEndsAsTheWholeTurnWould)
{
    struct Case {
        int turn;
        size_t redraws;
        int compass;
    };
    const Case cases[] = {
        { 2147483647, 360 + 127, 127 },
        { -2147483647 - 1, 360 + 128, 232 },
        { 720, 360, 0 },
        { 370, 370, 10 },
    };
    for (const Case& c : cases) {
        Place(100, 75, 0);
        robot.SetCharge(100);
        pauses.clear();
        EXPECT_EQ(robot.Turn(c.turn), RobotResult::Success);
        EXPECT_EQ(pauses.size(), c.redraws) << c.turn;
        EXPECT_EQ(robot.Compass(), c.compass) << c.turn;
        // Every degree is charged as if drawn.
        const int64_t drain = 2 * std::llabs(static_cast<int64_t>(c.turn));
        EXPECT_EQ(robot.battery, std::max<int64_t>(Robot_Class::FullCharge - drain, 0) - 1) << c.turn;
    }
}

TEST_F(RobotArena, ASpentStepBudgetEndsAMotion)
{
    Place(100, 75, 0);
    robot.SetErrorPercent(100, 0);
    for (int k = 0; k < 100; ++k)
        draws.push_back(0); // each degree lost to slip, none drawn
    int allowed = 10;
    robot.motionStep = [&allowed] { return allowed-- > 0; };
    EXPECT_EQ(robot.Turn(2147483647), RobotResult::Success);
    EXPECT_EQ(draws.size(), 90u);
    draws.clear();
    robot.SetErrorPercent(0, 0);
    allowed = 5;
    EXPECT_EQ(robot.Forward(1000), RobotResult::Success);
    EXPECT_EQ(robot.GpsY(), 70);
}

TEST_F(RobotArena, TheBatteryIsTestedOnlyWhenAnOperationStarts)
{
    Place(100, 75, 0);
    robot.SetIgnoreCharge(false);
    robot.SetCharge(1);
    EXPECT_EQ(robot.ChargeLevel(), 1);
    EXPECT_EQ(robot.Turn(1080), RobotResult::Success);
    EXPECT_EQ(robot.battery, 0);
    EXPECT_EQ(robot.heading, 270);
    EXPECT_EQ(robot.Compass(), 0); // an empty battery reads 0
    EXPECT_EQ(robot.Turn(1), RobotResult::BatteriesDepleted);
    EXPECT_EQ(robot.Forward(1), RobotResult::BatteriesDepleted);
    EXPECT_EQ(robot.SetHeading(1), RobotResult::BatteriesDepleted);
    EXPECT_EQ(robot.Range(0), 0);
    EXPECT_EQ(robot.Look(0), -1);
    EXPECT_EQ(robot.Ground(2), -1);
    EXPECT_EQ(robot.GpsX(), 0);
    EXPECT_EQ(robot.Points(), 2);
    // Ignoring the charge, readings take the battery below 0; a redraw
    // floors it again.
    robot.SetIgnoreCharge(true);
    robot.GpsX();
    robot.GpsY();
    EXPECT_EQ(robot.battery, -2);
    EXPECT_EQ(robot.ChargeLevel(), 0);
    robot.Turn(1);
    EXPECT_EQ(robot.battery, 0);
}

TEST_F(RobotArena, PositionsTruncate)
{
    Place(100, 50, 0);
    robot.x = 100.7f;
    robot.y = 50.9f;
    int gx = 0, gy = 0;
    robot.Gps(gx, gy);
    EXPECT_EQ(gx, 100);
    EXPECT_EQ(gy, 50);
    robot.SetHeading(0);
    // The heading line starts at the truncated centre and runs straight up.
    EXPECT_EQ(PixelAt(100, 50), Blue);
    EXPECT_EQ(PixelAt(100, 40), Blue);
}

TEST_F(RobotArena, InstrumentErrorDrawsTwoNumbersPerValueInAFixedOrder)
{
    Paint(QRect(100, 0, 20, 150), Black);
    Place(50, 75, 90);
    robot.SetErrorPercent(10, 1);
    struct Case {
        std::vector<int32_t> draws;
        int range;
    };
    // r mod 100000 gives u = (r + 1) / 10^6; the second draw picks the side.
    const Case cases[] = {
        { { 49999, 60000 }, 28 }, // 30 x 0.95
        { { 149999, 0 }, 31 }, // 30 x 1.05
        { { 99999, 49999 }, 33 }, // 30 x 1.1
        { { 0, 50000 }, 29 }, // 30 x 0.999999
    };
    for (const Case& c : cases) {
        draws.assign(c.draws.begin(), c.draws.end());
        EXPECT_EQ(robot.Range(0), c.range);
        EXPECT_TRUE(draws.empty());
    }
    // Gps: y first, then x, each clamped to the arena.
    draws = { 99999, 0, 99999, 0 };
    robot.x = 190;
    robot.y = 70;
    int gx = 0, gy = 0;
    robot.Gps(gx, gy);
    EXPECT_EQ(gy, 77);
    EXPECT_EQ(gx, 200);
    draws = { 99999, 0 };
    EXPECT_EQ(robot.Compass(), 99); // trunc(90 x 1.1)
}

TEST_F(RobotArena, SlipLosesPixelsAndTurnsWithItsOwnSlip)
{
    Place(50, 75, 90);
    robot.SetErrorPercent(100, 0);
    // Round 1: 5000 < 10000 loses the pixel. Round 2: 12000 makes a slip turn
    // to the left, whose own slip turns once without counting (7000) and then
    // loses a degree (2000); then the pixel moves along the new heading.
    draws = { 5000, 12000, 7000, 2000 };
    EXPECT_EQ(robot.Forward(2), RobotResult::Success);
    EXPECT_TRUE(draws.empty());
    EXPECT_EQ(robot.heading, 359);
    EXPECT_NEAR(robot.x, 50.99985f, 1e-4);
    EXPECT_NEAR(robot.y, 74.98255f, 1e-4);
    EXPECT_EQ(robot.Points(), 5);
}

TEST_F(RobotArena, TheStopFlagSuppressesDrawingAndEndsMotion)
{
    Place(100, 75, 90);
    const QImage before = canvas.image.copy();
    stopped = true;
    pauses.clear();
    EXPECT_EQ(robot.Forward(50), RobotResult::Success);
    EXPECT_FLOAT_EQ(robot.x, 100.0f);
    EXPECT_EQ(robot.Relocate(30, 30, 0), RobotResult::Success);
    EXPECT_EQ(robot.BumperShown(4), 0);
    EXPECT_EQ(canvas.image, before);
    EXPECT_TRUE(pauses.empty());
    EXPECT_EQ(robot.battery, Robot_Class::FullCharge - 2 - 1 - 1);
}

TEST_F(RobotArena, MovingRestoresTheBackgroundExactly)
{
    Paint(QRect(40, 60, 3, 3), Red);
    const QImage background = canvas.image.copy();
    Place(50, 75, 90);
    robot.SetInvisibleColors(&Red, 1);
    EXPECT_EQ(robot.Forward(60), RobotResult::Success);
    EXPECT_EQ(canvas.image.copy(0, 0, 85, 150), background.copy(0, 0, 85, 150));
}

TEST_F(RobotArena, ASecondLocateAndRelocateLeaveTheOldImage)
{
    Place(50, 75, 0);
    Place(150, 75, 0);
    EXPECT_EQ(PixelAt(50, 65), Blue);
    robot.Relocate(100, -1, 90);
    EXPECT_EQ(PixelAt(150, 65), Blue);
    EXPECT_EQ(PixelAt(110, 75), Blue);
    EXPECT_EQ(robot.Compass(), 90);
}

TEST_F(RobotArena, APartlyOffImageRobotRestoresOnlyThePartOnTheImage)
{
    Paint(QRect(1, 1, 2, 2), Red);
    const QImage background = canvas.image.copy();
    Place(100, 75, 0);
    robot.x = 3;
    robot.y = 3;
    robot.SetHeading(0);
    EXPECT_NE(canvas.image.copy(0, 0, 24, 24), background.copy(0, 0, 24, 24));
    robot.x = 100;
    robot.y = 75;
    robot.SetHeading(0);
    EXPECT_EQ(canvas.image.copy(0, 0, 60, 60), background.copy(0, 0, 60, 60));
}

TEST_F(RobotArena, TheBodyLooksAsIfPaintedDirectly)
{
    struct Case {
        float x, y;
        int compass, radius;
    };
    const Case cases[] = {
        { 100, 75, 0, 20 },
        { 100.7f, 50.9f, 33, 20 },
        { 60.2f, 70.5f, 200, 50 },
        { 3, 3, 135, 5 },
        { 2.5f, 140.5f, 271, 20 },
        { 197, 10, 90, 13 },
    };
    for (const Case& c : cases) {
        Place(100, 75, 0, c.radius);
        canvas.Fill(White);
        robot.x = c.x;
        robot.y = c.y;
        robot.Relocate(-1, -1, c.compass);

        QImage expected(canvas.image.size(), QImage::Format_RGB32);
        expected.fill(platform::toQRgb(White));
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(platform::toQColor(Blue), 4));
        painter.setBrush(platform::toQColor(White));
        const int r = c.radius;
        const QPoint corner1(int(c.x - r + 4), int(c.y - r + 4));
        const QPoint corner2(int(c.x + r - 4), int(c.y + r - 4));
        painter.drawEllipse(QRect(corner1, corner2 - QPoint(1, 1)));
        const double angle = robot.heading * 0.017453292519943295;
        QPoint tip(int(c.x + std::cos(angle) * (r - 5)), int(c.y + std::sin(angle) * (r - 5)));
        if (robot.heading == 270) tip.setX(int(c.x));
        painter.drawLine(QPoint(int(c.x), int(c.y)), tip);
        painter.end();
        EXPECT_EQ(canvas.image, expected) << c.x << "," << c.y << " compass " << c.compass;
    }
}

TEST_F(RobotArena, ThePenLeavesATrailBehindTheBody)
{
    Place(50, 75, 90);
    robot.SetPen(true, 4);
    robot.Forward(30);
    EXPECT_EQ(PixelAt(55, 75), Red);
    EXPECT_EQ(PixelAt(45, 75), White);
    EXPECT_EQ(robot.penX, 80);
    robot.SetPen(false, -1);
    robot.Forward(60);
    EXPECT_EQ(PixelAt(75, 75), Red);
    EXPECT_EQ(PixelAt(100, 75), White);
}

TEST_F(RobotArena, SpeedAndChargeSettingsClamp)
{
    Place(100, 75, 0);
    EXPECT_EQ(robot.SetSpeed(700), RobotResult::Success);
    EXPECT_EQ(robot.stepDelay, 500);
    robot.SetCharge(0);
    EXPECT_EQ(robot.battery, 2000);
    robot.SetCharge(250);
    EXPECT_EQ(robot.battery, 200000);
    robot.SetCharge(50);
    EXPECT_EQ(robot.ChargeLevel(), 50);
    robot.SetHeading(0);
    EXPECT_EQ(robot.battery, 99998);
}

// A real robot that answers every command with fixed bytes and records what it
// was sent.
class RecordingLink : public RobotLink {
public:
    bool Exchange(uint8_t command, uint8_t argument, uint8_t reply[5]) override
    {
        sent.push_back(command * 1000 + argument);
        for (int k = 0; k < 5; ++k)
            reply[k] = answer[k];
        return answering;
    }
    std::vector<int> sent;
    uint8_t answer[5] = { 0x0F, 0x1F, 0xFF, 0x01, 0x02 };
    bool answering = true;
};

TEST_F(RobotArena, ARealRobotGetsCommandsAndAnswersFromItsReply)
{
    RecordingLink link;
    robot.link = &link;
    Place(100, 75, 0);
    robot.simulated = false;
    robot.SetSenseType(3);
    EXPECT_EQ(robot.Turn(360), RobotResult::Success);
    EXPECT_EQ(robot.Turn(270), RobotResult::Success);
    EXPECT_EQ(robot.Forward(-5), RobotResult::Success);
    EXPECT_EQ(robot.Look(-200), 258);
    EXPECT_EQ(robot.Range(45), 258);
    EXPECT_EQ(robot.Sense(-1), 7);
    EXPECT_EQ(robot.Bumper(), 0x0F);
    EXPECT_EQ(robot.Feel(), 0x1F);
    EXPECT_EQ(robot.Command(65, 300), std::string("\x0F\x1F\xFF\x01\x02", 5));
    EXPECT_EQ(link.sent, std::vector<int>({ 12000, 13090, 7005, 49180, 192045, 65044 }));
    EXPECT_EQ(robot.heading, 270); // the screen robot did not turn
    link.answering = false;
    EXPECT_EQ(robot.Forward(1), RobotResult::TimedOut);
    EXPECT_EQ(robot.ChargeLevel(), -1);
    EXPECT_EQ(robot.Command(1, 1), "");
}

} // namespace

// Placed, moved and sensing at the far corners of the coordinate range, the
// robot draws nothing (it is far off the arena) and computes nothing out of
// range; the sanitizer build checks the arithmetic.
TEST_F(RobotArena, ExtremeCornersOfTheCoordinateRange)
{
    constexpr int Low = INT32_MIN;
    constexpr int High = INT32_MAX;
    const QPoint corners[] = { { Low, Low }, { Low, High }, { High, Low }, { High, High } };
    for (const QPoint corner : corners) {
        canvas.Fill(White);
        Place(corner.x(), corner.y(), 45);
        // rlocate brings coordinates past the far edges back onto the arena;
        // rrelocate takes any coordinate that is not negative.
        robot.x = static_cast<float>(corner.x());
        robot.y = static_cast<float>(corner.y());
        robot.SetHeading(90);
        robot.SetPen(true, Black);
        robot.Relocate(corner.x() < 0 ? 0 : corner.x(), corner.y() < 0 ? 0 : corner.y(), 180);
        robot.x = static_cast<float>(corner.x());
        robot.y = static_cast<float>(corner.y());
        robot.Forward(3);
        robot.Turn(10);
        robot.Bumper();
        robot.Feel();
        robot.Range(0);
        robot.Look(0);
        robot.Ground(1);
        int gx = 0, gy = 0;
        robot.Gps(gx, gy);
        EXPECT_EQ(PixelAt(100, 75), White) << corner.x() << "," << corner.y();
    }
}
