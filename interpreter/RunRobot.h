#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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

// The robot as the run sees it: the operations of the robot statements and
// functions. The robot itself draws, so it lives with the window parts; the
// run reaches it only through this interface and makes it on first use (see
// RobotOfRun), so that a run that never moves the robot never loads them.
class RunRobot {
public:
    virtual ~RunRobot() = default;

    // --- Services of the run, set once when the robot is made ----------------
    // The shared 31-bit random draw (0..2^31-1).
    std::function<int32_t()> random;
    // Called after every redraw with the step delay: processes window messages
    // and sleeps that many milliseconds. Also called with 0 where a probe
    // display lets the window catch up, and with 500 after a bumper mark.
    std::function<void(int milliseconds)> pause;
    // Called before every round of a motion (a pixel or a degree): false
    // once the run's statement budget is spent, which ends the motion there
    // as a stop does. Unset, motion is never cut short.
    std::function<bool()> motionStep;
    // The real robot's link; without one every exchange times out.
    RobotLink* link = nullptr;
    // False once rcommport names a real robot: the operations go to the link.
    bool simulated = true;

    // --- Placement and motion --------------------------------------------------
    // Places the robot on target; stoppedFlag is the screen's stop flag, which
    // ends a long move.
    virtual void Locate(Canvas* target, const Palette* screenPalette, int maxPaletteIndex, int newX, int newY,
        int newHeading, int newRadius, int border, int fill, const bool* stoppedFlag)
        = 0;
    virtual int Relocate(int newX, int newY, int newHeading) = 0;
    virtual int Forward(int n) = 0;
    virtual int Turn(int a) = 0;
    virtual int SetHeading(int h) = 0;

    // --- Settings ----------------------------------------------------------------
    virtual int SetSpeed(int milliseconds) = 0;
    virtual void SetCharge(int percent) = 0;
    virtual void SetIgnoreCharge(bool flag) = 0;
    virtual void SetPen(bool down, int colour) = 0;
    // which 0: motion slip, 1: instrument error.
    virtual void SetErrorPercent(int percent, int which) = 0;
    virtual void SetSenseType(int n) = 0;
    virtual int SetInvisibleColors(const int* list, int n) = 0;
    // Sets one of the passable colours below (a palette index or a colour).
    virtual int SetColourEntry(int entry, int c) = 0;
    int SetLineColor(int c) { return SetColourEntry(LineEntry, c); }
    int SetBeaconColor(int c) { return SetColourEntry(BeaconEntry, c); }
    int SetFloorColor(int c) { return SetColourEntry(FloorEntry, c); }

    // --- Sensors -------------------------------------------------------------------
    virtual int Bumper() = 0;
    virtual int BumperShown(int colour) = 0;
    virtual int Feel() = 0;
    virtual int FeelShown(int colour) = 0;
    virtual int Sense(int colour) = 0;
    virtual int Ground(int n) = 0;
    virtual int GroundAtAngle(int a) = 0;
    virtual int Look(int a) = 0;
    virtual int Range(int a) = 0;
    virtual int Beacon(int colour) = 0;
    virtual bool Sensor(int n, int range, int& colour, int& distance) = 0;
    virtual bool SensorAtAngle(int a, int range, int& colour, int& distance) = 0;
    virtual int Compass() = 0;
    virtual void Gps(int& gx, int& gy) = 0;
    virtual int GpsX() = 0;
    virtual int GpsY() = 0;
    virtual int ChargeLevel() = 0;
    virtual int Points() const = 0;
    virtual std::string Command(int command, int argument) = 0;

    // The entries of the passable colours: floor, line, beacon, then the
    // invisible colours.
    static constexpr int FloorEntry = 0;
    static constexpr int LineEntry = 1;
    static constexpr int BeaconEntry = 2;
};

// Makes the robot of a run; the window parts set it when they are installed.
using RobotMaker = std::unique_ptr<RunRobot> (*)();
void SetRobotMaker(RobotMaker maker);
// A fresh robot, with no services set. Installs the window parts first when
// no maker is set yet.
std::unique_ptr<RunRobot> MakeRunRobot();
