#pragma once

class QWidget;

// The one place that decides when the process ends.
//
// Until the environment's main window exists, the run-time screen is the
// process's only window: after a run it stays up, showing what the program
// left there, and the process ends with the run's status once the user closes
// it (its close box, the window manager, its Stop button) or the window is
// destroyed. When the environment arrives, it takes this decision over.
namespace ProcessLifetime {

// Keeps the windows live until `screen` is closed, hidden or deleted, then
// returns `status`; returns at once when the screen is not shown.
int EndWhenScreenCloses(QWidget& screen, int status);

} // namespace ProcessLifetime
