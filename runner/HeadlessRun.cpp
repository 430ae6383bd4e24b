#include "runner/HeadlessRun.h"

#include "platform/Application.h"
#include "platform/SystemQueries.h"
#include "runner/WindowParts.h"

#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

HeadlessRun* current = nullptr;

// Qt's own diagnostics would mix with the program's standard error, which a
// headless run reserves for message boxes.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::abort();
    }
}

// The locale as the application object sets it when it is made, with numbers
// in the C locale: a run sees the same locale whether or not it was made.
void SetLocale()
{
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace

HeadlessRun::HeadlessRun(int argc, char** argv, Naming applicationNaming)
    : argumentCount(argc)
    , arguments(argv)
    , naming(applicationNaming)
    , screen(std::make_unique<DeferredScreen>(stdout, [] {
        platform::RequireApplication();
        return Window().makeHeadlessWindow(stdout, stdin);
    }))
{
    current = this;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietMessages);
    SetLocale();
    if (naming == Naming::Environment) QCoreApplication::setApplicationName("Quorvatine");
    platform::setApplicationMaker(&HeadlessRun::MakeApplication);
    // The desktop, clipboard and key queries answer as the headless window
    // makes them answer, before it is made too.
    platform::setHeadlessSystem(true);
}

HeadlessRun::~HeadlessRun()
{
    platform::setApplicationMaker(nullptr);
    screen.reset();
    application.reset();
    current = nullptr;
}

void HeadlessRun::MakeApplication()
{
    if (!current) return;
    current->application.reset(Window().makeApplication(current->argumentCount, current->arguments));
    SetLocale();
}
