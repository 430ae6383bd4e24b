#include "platform/Events.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace platform {

void ProcessMessages()
{
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForEvents(int maxMilliseconds)
{
    if (!QCoreApplication::instance()) return;
    // The timer only wakes the blocking call; its timeout does nothing.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(maxMilliseconds > 0 ? maxMilliseconds : 1);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace platform
