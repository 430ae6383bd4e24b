#include "devices/Joystick.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr size_t BitsPerLong = sizeof(unsigned long) * 8;

template <size_t Bits> struct BitSet {
    unsigned long words[(Bits + BitsPerLong - 1) / BitsPerLong] = {};
    bool Has(unsigned bit) const { return bit < Bits && (words[bit / BitsPerLong] >> (bit % BitsPerLong)) & 1ul; }
};

// The joystick and gamepad button codes, in the order they number the buttons.
bool IsJoystickButton(unsigned code)
{
    return (code >= BTN_JOYSTICK && code < BTN_DIGI) || (code >= BTN_TRIGGER_HAPPY && code <= BTN_TRIGGER_HAPPY40);
}

// The axes X, Y, Z, R (rudder), U and V of the joystick statements.
constexpr unsigned axisCodes[6] = { ABS_X, ABS_Y, ABS_Z, ABS_RZ, ABS_RX, ABS_RY };

class FileDescriptor {
public:
    explicit FileDescriptor(int value)
        : fd(value)
    { }
    ~FileDescriptor()
    {
        if (fd >= 0) close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int fd;
};

bool IsJoystick(int fd)
{
    BitSet<ABS_CNT> abs;
    BitSet<KEY_CNT> keys;
    if (ioctl(fd, EVIOCGBIT(EV_ABS, sizeof abs.words), abs.words) < 0) return false;
    if (ioctl(fd, EVIOCGBIT(EV_KEY, sizeof keys.words), keys.words) < 0) return false;
    if (!abs.Has(ABS_X)) return false;
    for (unsigned code = 0; code < KEY_CNT; ++code)
        if (IsJoystickButton(code) && keys.Has(code)) return true;
    return false;
}

int HatDegrees(int x, int y)
{
    if (x == 0 && y == 0) return -1;
    // y -1 is forward on evdev hats.
    static const int degrees[3][3] = { { 315, 0, 45 }, { 270, -1, 90 }, { 225, 180, 135 } };
    return degrees[std::clamp(y, -1, 1) + 1][std::clamp(x, -1, 1) + 1];
}

bool ReadDevice(int fd, JoystickState& state)
{
    BitSet<ABS_CNT> abs;
    BitSet<KEY_CNT> keys;
    BitSet<KEY_CNT> pressed;
    if (ioctl(fd, EVIOCGBIT(EV_ABS, sizeof abs.words), abs.words) < 0) return false;
    if (ioctl(fd, EVIOCGBIT(EV_KEY, sizeof keys.words), keys.words) < 0) return false;
    if (ioctl(fd, EVIOCGKEY(sizeof pressed.words), pressed.words) < 0) return false;
    state = JoystickState {};
    for (size_t k = 0; k < 6; ++k) {
        if (!abs.Has(axisCodes[k])) continue;
        input_absinfo info {};
        if (ioctl(fd, EVIOCGABS(axisCodes[k]), &info) < 0) return false;
        state.axes[k] = { true, info.value, info.minimum, info.maximum };
        ++state.axisCount;
    }
    for (unsigned extra : { ABS_THROTTLE, ABS_RUDDER, ABS_WHEEL })
        if (abs.Has(extra)) ++state.axisCount;
    for (unsigned code = 0; code < KEY_CNT; ++code) {
        if (!IsJoystickButton(code) || !keys.Has(code)) continue;
        if (state.buttonCount < 32 && pressed.Has(code)) state.buttons |= 1u << state.buttonCount;
        ++state.buttonCount;
    }
    if (abs.Has(ABS_HAT0X) && abs.Has(ABS_HAT0Y)) {
        input_absinfo hx {}, hy {};
        if (ioctl(fd, EVIOCGABS(ABS_HAT0X), &hx) < 0 || ioctl(fd, EVIOCGABS(ABS_HAT0Y), &hy) < 0) return false;
        state.hasHat = true;
        state.povDegrees = HatDegrees(hx.value, hy.value);
    }
    return true;
}

class EvdevJoysticks : public JoystickSource {
public:
    bool Read(int number, JoystickState& state) override
    {
        std::vector<int> events;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator("/dev/input", error)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("event", 0) == 0 && name.size() > 5 && name.size() < 12)
                events.push_back(std::atoi(name.c_str() + 5));
        }
        std::sort(events.begin(), events.end());
        int wanted = number == 2 ? 2 : 1;
        for (int event : events) {
            const std::string path = "/dev/input/event" + std::to_string(event);
            FileDescriptor device(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
            if (device.fd < 0 || !IsJoystick(device.fd)) continue;
            if (--wanted == 0) return ReadDevice(device.fd, state);
        }
        return false;
    }
};

std::unique_ptr<JoystickSource>& Installed()
{
    static std::unique_ptr<JoystickSource> source;
    return source;
}

} // namespace

JoystickSource& TheJoystickSource()
{
    std::unique_ptr<JoystickSource>& source = Installed();
    if (!source) source = std::make_unique<EvdevJoysticks>();
    return *source;
}

void SetJoystickSourceForTests(std::unique_ptr<JoystickSource> source)
{
    Installed() = std::move(source);
}
