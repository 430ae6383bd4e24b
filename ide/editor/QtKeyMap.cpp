#include "ide/editor/QtKeyMap.h"

#include "ide/editor/EditorKeys.h"

namespace {

struct KeyRow {
    int qtKey;
    int vk;
};

const KeyRow Keys[] = {
    { Qt::Key_Backspace, Vk::Back },
    { Qt::Key_Tab, Vk::Tab },
    { Qt::Key_Backtab, Vk::Tab },
    { Qt::Key_Return, Vk::Return },
    { Qt::Key_Enter, Vk::Return },
    { Qt::Key_Shift, Vk::Shift },
    { Qt::Key_Control, Vk::Control },
    { Qt::Key_Alt, Vk::Menu },
    { Qt::Key_Escape, Vk::Escape },
    { Qt::Key_PageUp, Vk::Prior },
    { Qt::Key_PageDown, Vk::Next },
    { Qt::Key_End, Vk::End },
    { Qt::Key_Home, Vk::Home },
    { Qt::Key_Left, Vk::Left },
    { Qt::Key_Up, Vk::Up },
    { Qt::Key_Right, Vk::Right },
    { Qt::Key_Down, Vk::Down },
    { Qt::Key_Insert, Vk::Insert },
    { Qt::Key_Delete, Vk::Delete },
    { Qt::Key_Space, 0x20 },
};

} // namespace

int VirtualKeyOf(int qtKey)
{
    for (const KeyRow& row : Keys)
        if (row.qtKey == qtKey) return row.vk;
    // Letters and digits share their codes; shifted digits (Shift+0 arrives as
    // ')' on many layouts) are found by the widget from the native key.
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return Vk::F1 + (qtKey - Qt::Key_F1);
    return 0;
}

int ShiftStateOf(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= ShiftState::Shift;
    if (modifiers & Qt::AltModifier) shift |= ShiftState::Alt;
    if (modifiers & Qt::ControlModifier) shift |= ShiftState::Ctrl;
    return shift;
}

int DigitOfShiftedKey(int qtKey)
{
    static const int Shifted[10] = { Qt::Key_ParenRight, Qt::Key_Exclam, Qt::Key_At, Qt::Key_NumberSign, Qt::Key_Dollar,
        Qt::Key_Percent, Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk, Qt::Key_ParenLeft };
    for (int d = 0; d < 10; ++d)
        if (Shifted[d] == qtKey) return d;
    return -1;
}
