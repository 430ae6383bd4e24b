#include "platform/Application.h"

#include <QCoreApplication>

namespace platform {

namespace {

ApplicationMaker applicationMaker = nullptr;
IdleWork idleWork = nullptr;

} // namespace

void setApplicationMaker(ApplicationMaker maker)
{
    applicationMaker = maker;
}

void RequireApplication()
{
    if (applicationMaker && !QCoreApplication::instance()) {
        // Cleared first: whatever the making itself asks for finds it done.
        const ApplicationMaker maker = applicationMaker;
        applicationMaker = nullptr;
        maker();
    }
}

void setIdleWork(IdleWork work)
{
    idleWork = work;
}

void DoIdleWork()
{
    if (idleWork) idleWork();
}

} // namespace platform
