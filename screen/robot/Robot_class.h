#pragma once

#include "interpreter/RunRobot.h"
#include "screen/robot/RobotBody.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <cstdint>
#include <string>

// The robot of a run: a round body on the run-time screen that moves in whole
// pixels and degrees, reads its sensors from the pixels around it and draws
// itself over a saved copy of the background. Every pixel whose colour is not
// one of the passable colours is an obstacle.
//
// The robot calls no screen method: rlocate hands it a canvas, the palette and
// the screen's stop flag, and the run supplies the random draw and the pause
// after each redraw. Positions are single-precision floats and every
// conversion to a pixel truncates toward zero.
class Robot_Class final : public RunRobot {
public:
    Robot_Class();
    Robot_Class(const Robot_Class&) = delete;
    Robot_Class& operator=(const Robot_Class&) = delete;

    // --- Placement and motion --------------------------------------------------
    void Locate(Canvas* target, const Palette* screenPalette, int maxPaletteIndex, int newX, int newY, int newHeading,
        int newRadius, int border, int fill, const bool* stoppedFlag) override;
    int Relocate(int newX, int newY, int newHeading) override;
    int Forward(int n) override;
    int Turn(int a) override;
    int SetHeading(int h) override;

    // --- Settings ----------------------------------------------------------------
    int SetSpeed(int milliseconds) override;
    void SetCharge(int percent) override;
    void SetIgnoreCharge(bool flag) override { ignoreCharge = flag; }
    void SetPen(bool down, int colour) override;
    // which 0: motion slip, 1: instrument error.
    void SetErrorPercent(int percent, int which) override;
    void SetSenseType(int n) override { senseType = n; }
    int SetInvisibleColors(const int* list, int n) override;
    int SetColourEntry(int entry, int c) override;

    // --- Sensors -------------------------------------------------------------------
    int Bumper() override;
    int BumperShown(int colour) override;
    int Feel() override;
    int FeelShown(int colour) override;
    int Sense(int colour) override;
    int Ground(int n) override;
    int GroundAtAngle(int a) override;
    int Look(int a) override;
    int Range(int a) override;
    int Beacon(int colour) override;
    bool Sensor(int n, int range, int& colour, int& distance) override;
    bool SensorAtAngle(int a, int range, int& colour, int& distance) override;
    int Compass() override;
    void Gps(int& gx, int& gy) override;
    int GpsX() override;
    int GpsY() override;
    int ChargeLevel() override;
    int Points() const override { return points; }
    std::string Command(int command, int argument) override;

    // Deletes both background buffers; the robot is no longer placed.
    void FreeBuffers();

    // One line with the robot's state, for tests and debugging.
    std::string DebugDump() const;

    // Palette index 0..15 to its colour, -1 for a negative value, any other
    // value unchanged.
    int ColourOf(int c) const;
    // The first palette index holding colour, else the colour itself.
    int IndexOf(int colour) const;
    // Subtracts 360 once when a is 360 or more, then adds 360 once when the
    // result is negative.
    static int Normalise(int64_t a);
    // The heading after `steps` one-degree steps in the direction of step
    // (+1 or -1), each passed through Normalise, worked out at once.
    static int AdvanceHeading(int64_t h, int step, int64_t steps);

    // --- State -------------------------------------------------------------------
    static constexpr int FullCharge = 200000;
    static constexpr int EmptyEntry = -2;

    uint8_t reply[5] = {};
    float x = 0;
    float y = 0;
    float savedX = 0;
    float savedY = 0;
    float bigSavedX = 0;
    float bigSavedY = 0;
    int radius = 20;
    // The compass heading minus 90: 0 points right, angles grow clockwise.
    int heading = 0;
    int stepDelay = 0;
    int arenaHeight = 0;
    int arenaWidth = 0;
    int points = 0;
    int battery = 0;
    bool ignoreCharge = false;
    int slipPercent = 0;
    int senseType = 0;
    int errorPercent = 0;
    // The passable colours: floor, line, beacon, then the invisible colours.
    std::array<int, 16> colours;
    int borderColour = 0xFF0000;
    int fillColour = 0xFFFFFF;
    int trailColour = 0;
    QImage buffer;
    QImage bigBuffer;
    Canvas* canvas = nullptr;
    const Palette* palette = nullptr;
    int maxIndex = 15;
    bool initialised = false;
    bool penDown = false;
    int penX = 0;
    int penY = 0;
    const bool* stopped = nullptr;

private:
    RobotBody body;

    bool Stopped() const { return stopped != nullptr && *stopped; }
    bool StepAllowed() const { return !motionStep || motionStep(); }
    // The battery rule: an operation may act while charge is left or an empty
    // battery is ignored.
    bool MayAct() const { return battery > 0 || ignoreCharge; }
    // The cost of one sensor reading; false (and no cost) when it may not act.
    bool Reading();
    int32_t Random();
    void Pause(int milliseconds);
    // A value with the instrument error applied (two random draws).
    float WithNoise(float value);
    // A noisy reading clamped to 0..limit and truncated.
    int NoisyClamped(float value, double limit);

    bool Passable(int colour) const;
    // The colour of a pixel, -1 off the drawing surface.
    int Pixel(QPoint p) const;
    bool InArena(QPoint p) const;
    // The pixel at distance d from the centre in absolute direction degrees.
    QPoint PointAt(double d, double degrees) const;
    bool Collides(int arcCentre) const;

    void Draw(bool restore);
    void SaveSquare();
    void RestoreSquare();
    void SaveBigSquare();
    void RestoreBigSquare();
    void SetCanvasPixel(QPoint p, int colour);

    // The mark of one bumper hit: an ellipse between two points on the hit's
    // direction.
    void MarkBump(QPoint outer, QPoint inner, int mark);
    // One feeler direction; with a mark colour the probe paints its samples.
    bool FeelDirection(double direction, bool shown, int mark);
    bool FeelSample(QPoint p, bool shown, int mark);

    bool Send(int command, int argument);
    int ReplyValue() const { return reply[3] * 256 + reply[4]; }
};
