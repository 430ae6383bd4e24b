#pragma once

#include <Qt>

// Keys reach BASIC programs as Windows virtual-key codes (the kc_ constants),
// and programs poll whether a key is held down. This maps Qt keys to those codes
// and keeps the table of held keys that stands in for the system's key polling.
namespace platform {

// The Windows virtual-key code of a Qt key, 0 when it has none. The keypad
// modifier selects the numeric-keypad codes.
int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift state bits as key and mouse handlers report them.
namespace ShiftBits {
constexpr int Shift = 1;
constexpr int Alt = 2;
constexpr int Ctrl = 4;
constexpr int Left = 8;
constexpr int Right = 16;
constexpr int Middle = 32;
constexpr int Double = 64;
} // namespace ShiftBits

int ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton, bool doubleClick = false);

// True while the key with virtual-key code vk (0..255) is held down in this
// application. Mouse buttons count as the keys 1 (left), 2 (right) and 4 (middle).
bool KeyIsDown(int vk);

// Marks a key as held or released; the key tracking calls this, tests may too.
void SetKeyDown(int vk, bool down);

// Releases every key, as when the application loses the focus and will not see
// the releases.
void ReleaseAllKeys();

// Installs (once) the application-wide filter that keeps the held-key table up
// to date from the key and mouse events of every window. Needs a QApplication.
void InstallKeyTracking();

} // namespace platform
