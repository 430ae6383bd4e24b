#pragma once

#include "screen/robot/RobotBody.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class Canvas;
class Palette;

// The result codes of the robot operations that report one.
namespace RobotResult {
constexpr int Success = -1;
constexpr int NotInitialised = 10;
constexpr int BatteriesDepleted = 20;
constexpr int Collided = 30;
constexpr int TimedOut = 40;
} // namespace RobotResult

// The serial link to a real robot: one two-byte request, one five-byte reply.
class RobotLink {
public:
    virtual ~RobotLink() = default;
    // Sends command and argument and reads the five-byte reply; false when the
    // reply did not arrive in time.
    virtual bool Exchange(uint8_t command, uint8_t argument, uint8_t reply[5]) = 0;
};

// The robot of a run: a round body on the run-time screen that moves in whole
// pixels and degrees, reads its sensors from the pixels around it and draws
// itself over a saved copy of the background. Every pixel whose colour is not
// one of the passable colours is an obstacle.
//
// The robot calls no screen method: rlocate hands it a canvas, the palette and
// the screen's stop flag, and the run supplies the random draw and the pause
// after each redraw. Positions are single-precision floats and every
// conversion to a pixel truncates toward zero.
class Robot_Class {
public:
    Robot_Class();
    Robot_Class(const Robot_Class&) = delete;
    Robot_Class& operator=(const Robot_Class&) = delete;

    // --- Services of the run -------------------------------------------------
    // The shared 31-bit random draw (0..2^31-1).
    std::function<int32_t()> random;
    // Called after every redraw with the step delay: processes window messages
    // and sleeps that many milliseconds. Also called with 0 where a probe
    // display lets the window catch up, and with 500 after a bumper mark.
    std::function<void(int milliseconds)> pause;
    // The real robot's link; without one every exchange times out.
    RobotLink* link = nullptr;

    // --- Placement and motion --------------------------------------------------
    void Locate(Canvas* target, const Palette* screenPalette, int maxPaletteIndex, int newX, int newY, int newHeading,
        int newRadius, int border, int fill, const bool* stoppedFlag);
    int Relocate(int newX, int newY, int newHeading);
    int Forward(int n);
    int Turn(int a);
    int SetHeading(int h);

    // --- Settings ----------------------------------------------------------------
    int SetSpeed(int milliseconds);
    void SetCharge(int percent);
    void SetIgnoreCharge(bool flag) { ignoreCharge = flag; }
    void SetPen(bool down, int colour);
    // which 0: motion slip, 1: instrument error.
    void SetErrorPercent(int percent, int which);
    void SetSenseType(int n) { senseType = n; }
    int SetInvisibleColors(const int* list, int n);
    int SetLineColor(int c) { return SetColourEntry(LineEntry, c); }
    int SetBeaconColor(int c) { return SetColourEntry(BeaconEntry, c); }
    int SetFloorColor(int c) { return SetColourEntry(FloorEntry, c); }

    // --- Sensors -------------------------------------------------------------------
    int Bumper();
    int BumperShown(int colour);
    int Feel();
    int FeelShown(int colour);
    int Sense(int colour);
    int Ground(int n);
    int GroundAtAngle(int a);
    int Look(int a);
    int Range(int a);
    int Beacon(int colour);
    bool Sensor(int n, int range, int& colour, int& distance);
    bool SensorAtAngle(int a, int range, int& colour, int& distance);
    int Compass();
    void Gps(int& gx, int& gy);
    int GpsX();
    int GpsY();
    int ChargeLevel();
    int Points() const { return points; }
    std::string Command(int command, int argument);

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

    // --- State -------------------------------------------------------------------
    static constexpr int FullCharge = 200000;
    static constexpr int FloorEntry = 0;
    static constexpr int LineEntry = 1;
    static constexpr int BeaconEntry = 2;
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
    bool simulated = true;

private:
    RobotBody body;

    int SetColourEntry(int entry, int c);
    bool Stopped() const { return stopped != nullptr && *stopped; }
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

    // One feeler direction; with a mark colour the probe paints its samples.
    bool FeelDirection(double direction, bool shown, int mark);
    bool FeelSample(QPoint p, bool shown, int mark);

    bool Send(int command, int argument);
    int ReplyValue() const { return reply[3] * 256 + reply[4]; }
};
