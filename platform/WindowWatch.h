#pragma once

#include <functional>

class QWidget;

namespace platform {

// Calls onDestroyed (later, from the event loop) when another program
// destroys the native window of the top-level widget `window` - a window
// manager or a tool may do so. Qt does not notice it by itself: the widget
// stays visible with no window behind it. Only the X11 platform reports it;
// elsewhere nothing is watched. The watch ends with the widget.
void WatchForeignDestroy(QWidget* window, std::function<void()> onDestroyed);

} // namespace platform
