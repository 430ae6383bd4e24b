#pragma once

// Key codes, shift-state bits and shortcut values of the editor control. Keys
// are the Windows virtual-key codes (letters and digits are their upper-case
// ASCII codes), so that shortcuts keep their stored 16-bit form.
namespace Vk {
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12;
constexpr int Escape = 0x1B;
constexpr int Prior = 0x21;
constexpr int Next = 0x22;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Digit0 = 0x30;
constexpr int KeyA = 0x41;
constexpr int KeyY = 0x59;
constexpr int KeyZ = 0x5A;
constexpr int F1 = 0x70;
} // namespace Vk

// Shift state of a key or mouse event.
namespace ShiftState {
constexpr int Shift = 1;
constexpr int Alt = 2;
constexpr int Ctrl = 4;
} // namespace ShiftState

// A shortcut is the key code with these bits for the modifiers held.
namespace ShortCutBits {
constexpr int Shift = 0x2000;
constexpr int Ctrl = 0x4000;
constexpr int Alt = 0x8000;
} // namespace ShortCutBits

inline int ShortCut(int key, int shift)
{
    int s = key & 0xFF;
    if (shift & ShiftState::Shift) s |= ShortCutBits::Shift;
    if (shift & ShiftState::Ctrl) s |= ShortCutBits::Ctrl;
    if (shift & ShiftState::Alt) s |= ShortCutBits::Alt;
    return s;
}

// The edit-control messages the editor answers, with their Windows numbers.
namespace EditMessage {
constexpr unsigned GetText = 0x000D;
constexpr unsigned GetTextLength = 0x000E;
constexpr unsigned Cut = 0x0300;
constexpr unsigned Copy = 0x0301;
constexpr unsigned Paste = 0x0302;
constexpr unsigned Clear = 0x0303;
constexpr unsigned Undo = 0x0304;
constexpr unsigned SetSel = 0x00B1;
constexpr unsigned CanUndo = 0x00C6;
constexpr unsigned EmptyUndoBuffer = 0x00CD;
} // namespace EditMessage
