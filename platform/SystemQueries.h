#pragma once

#include "base/Values.h"

#include <functional>

// What a run asks of the desktop around it: the desktop size, the clipboard's
// text, whether the application is the active one, and the system beep. A
// headless run has no desktop: 1024 x 768, a clipboard that lives in the
// process, never active, and a silent beep.
namespace platform {

// Switches the queries to their headless answers (the headless runner does).
void setHeadlessSystem(bool headless);
bool headlessSystem();

int desktopWidth();
int desktopHeight();

AnsiString clipboardText();
void setClipboardText(const AnsiString& text);
// Empties the clipboard: neither text nor picture stays.
void clearClipboard();

// True while a window of this application has the focus.
bool applicationActive();

// The system beep; the widget layer installs it (a run without widgets is silent).
void beep();
void setBeepHandler(std::function<void()> handler);

// The desktop's own answers, from the window module (which has the window
// system's libraries): each is false when no window system application
// runs, and the headless answer stands then.
struct DesktopQueries {
    bool (*desktopSize)(int& width, int& height);
    bool (*clipboardText)(AnsiString& text);
    bool (*setClipboardText)(const AnsiString& text);
    bool (*clearClipboard)();
    bool (*applicationActive)();
    bool (*clipboardHoldsPicture)();
    // Empties the clipboard of its picture, headless or not: a headless run
    // keeps its text in the process but its picture with the window system's
    // clipboard (or in the process when no application runs).
    void (*clearClipboardPicture)();
};
// Whether the window system's clipboard holds a picture (where a capture
// library leaves it), headless or not: false with no window system
// application.
bool systemClipboardHoldsPicture();
// Null for none: the headless answers.
void setDesktopQueries(const DesktopQueries* queries);
// The window module's desktop queries, over Qt Gui (in the module only).
const DesktopQueries& QtDesktopQueries();

} // namespace platform
