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
void clearClipboard();

// True while a window of this application has the focus.
bool applicationActive();

// The system beep; the widget layer installs it (a run without widgets is silent).
void beep();
void setBeepHandler(std::function<void()> handler);

} // namespace platform
