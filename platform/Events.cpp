#include "platform/Events.h"
#include "platform/Application.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace platform {

void ProcessMessages()
{
    DoIdleWork();
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForEvents(int maxMilliseconds)
{
    // A wait is for something that comes as an event: a run that waits has
    // the application it waits on.
    RequireApplication();
    DoIdleWork();
    if (!QCoreApplication::instance()) return;
    // The timer only wakes the blocking call; its timeout does nothing.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(maxMilliseconds > 0 ? maxMilliseconds : 1);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace platform
