#pragma once

#include "base/Values.h"
#include "interpreter/ControlCreation.h"

// The event sources of the run-time screen: control events, keys and the
// mouse over the image, with the image's cursor. The last-key and
// last-mouse values default to none for a screen that never has them.
class RunInput {
public:
    virtual ~RunInput() = default;

    // True while the family's last event names a control.
    virtual bool ControlEventPending(ControlFamily family) const = 0;
    // The family's last-event text (the name of the control), emptied.
    virtual AnsiString TakeLastEvent(ControlFamily family) = 0;
    // The key code of the key held, 0 when none.
    virtual int KeyCode() const = 0;
    // The character of the last key typed, 0 when none.
    virtual int GetKeyChar() const = 0;
    // The mouse buttons held over the image (bits), 0 when none.
    virtual int MouseButtons() const = 0;
    // The last mouse position over the image.
    virtual void MousePosition(int& x, int& y) const = 0;
    virtual void SetMousePos(int x, int y) = 0;
    // The cursor number of the image (setcursor).
    virtual void SetImageCursor(int n) = 0;
    virtual int ImageCursor() const = 0;
    // The last key code and mouse value, reset to 0.
    virtual int TakeLastKey() { return 0; }
    virtual int TakeLastMouse() { return 0; }
};
