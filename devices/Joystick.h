#pragma once

#include <array>
#include <cstdint>
#include <memory>

// The state of one joystick as the joystick statements read it.
struct JoystickAxis {
    bool present = false;
    int position = 0;
    int minimum = 0;
    int maximum = 0;
};

struct JoystickState {
    // X, Y, Z, R, U, V.
    std::array<JoystickAxis, 6> axes;
    int axisCount = 0;
    // Bit k: the k-th button of the device is pressed.
    uint32_t buttons = 0;
    int buttonCount = 0;
    bool hasHat = false;
    // The hat's direction in degrees clockwise from forward; -1 when centred.
    int povDegrees = -1;
};

// Where joystick states come from: the evdev devices of this machine unless a
// test installs another source.
class JoystickSource {
public:
    virtual ~JoystickSource() = default;
    // Joystick 2 is the second device, any other number the first; false when
    // there is no such device or it cannot be read.
    virtual bool Read(int number, JoystickState& state) = 0;
};

JoystickSource& TheJoystickSource();
// Installs a source (null: the evdev devices again).
void SetJoystickSourceForTests(std::unique_ptr<JoystickSource> source);
