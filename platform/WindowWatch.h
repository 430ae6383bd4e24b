#pragma once

#include <QtGui/qwindowdefs.h>

#include <functional>

class QObject;

namespace platform {

// Calls onDestroyed (later, from the event loop) when another program
// destroys the native window that nativeWindow names (0 while there is none) -
// a window manager or a tool may do so. Qt does not notice it by itself: the
// widget stays visible with no window behind it. Only the X11 platform
// reports it; elsewhere nothing is watched. The watch ends with owner.
void WatchForeignDestroy(QObject* owner, std::function<WId()> nativeWindow, std::function<void()> onDestroyed);

} // namespace platform
