#include "platform/Events.h"
#include "platform/Application.h"
#include "platform/Waits.h"

#include <QCoreApplication>
#include <QEventLoop>

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
    realWaitServices().WaitForEvents(std::chrono::milliseconds(maxMilliseconds > 0 ? maxMilliseconds : 1));
}

} // namespace platform
