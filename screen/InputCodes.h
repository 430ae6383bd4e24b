#pragma once

// The key and mouse state codes that programs read from the run-time screen.
// Shift states use the bits of platform::ShiftBits (1 shift, 2 alt, 4 ctrl,
// 8 left, 16 right, 32 middle, 64 double click).

// Key code of a key press: virtual key + 1000 x (shift, alt and ctrl bits);
// ctrl+A is 4065.
int KeyCodeOf(int virtualKey, int shiftState);

// Character code of a typed character: the byte as a signed 8-bit value.
int KeyCharOf(unsigned char character);

// The byte a key press types, or -1 when it types none. text is the typed
// text in Windows-1252; a control key with a letter types the control
// character (Ctrl+N is 14) whatever the text says.
int TypedByteOf(int virtualKey, int shiftState, const char* text, int textLength);

enum class MouseButton { Left = 1, Right = 2, Middle = 3 };

// Mouse state after a button press over the image: 1 left, 2 right, 3 middle,
// plus 10 with shift, else 20 with ctrl, else 30 with alt, else 40 for a double click.
int MouseDownCode(MouseButton button, int shiftState);

// Mouse state after a move: 0 while tracking is off, else the first that applies
// of shift 10, ctrl 20, alt 30, double click 40, right 2, left 1, middle 3, or 0.
int MouseMoveCode(int shiftState, bool trackingOff);
