#include "screen/InputCodes.h"

#include "platform/KeyMap.h"

using namespace platform::ShiftBits;

int KeyCodeOf(int virtualKey, int shiftState)
{
    return virtualKey + 1000 * (shiftState & 7);
}

int KeyCharOf(unsigned char character)
{
    return static_cast<signed char>(character);
}

int TypedByteOf(int virtualKey, int shiftState, const char* text, int textLength)
{
    if ((shiftState & Ctrl) && !(shiftState & Alt) && virtualKey >= 'A' && virtualKey <= 'Z')
        return virtualKey - 'A' + 1;
    if (textLength < 1) return -1;
    return static_cast<unsigned char>(text[0]);
}

int MouseDownCode(MouseButton button, int shiftState)
{
    int code = static_cast<int>(button);
    if (shiftState & Shift) return code + 10;
    if (shiftState & Ctrl) return code + 20;
    if (shiftState & Alt) return code + 30;
    if (shiftState & Double) return code + 40;
    return code;
}

int MouseMoveCode(int shiftState, bool trackingOff)
{
    if (trackingOff) return 0;
    struct Rule {
        int bit;
        int code;
    };
    static constexpr Rule rules[]
        = { { Shift, 10 }, { Ctrl, 20 }, { Alt, 30 }, { Double, 40 }, { Right, 2 }, { Left, 1 }, { Middle, 3 } };
    for (const Rule& rule : rules) {
        if (shiftState & rule.bit) return rule.code;
    }
    return 0;
}
