#include "ide/ProcessLifetime.h"

#include <QEvent>
#include <QEventLoop>
#include <QWidget>

namespace ProcessLifetime {

namespace {

// Ends the loop when the screen stops being shown. A minimised window sends a
// hide event too, yet still counts as shown.
class CloseWatch : public QObject {
public:
    CloseWatch(QWidget& watched, QEventLoop& waiting)
        : screen(watched)
        , loop(waiting)
    {
        screen.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object == &screen && event->type() == QEvent::Hide && !screen.isVisible()) loop.quit();
        return false;
    }

private:
    QWidget& screen;
    QEventLoop& loop;
};

} // namespace

int EndWhenScreenCloses(QWidget& screen, int status)
{
    if (!screen.isVisible()) return status;
    QEventLoop loop;
    CloseWatch watch(screen, loop);
    QObject::connect(&screen, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    return status;
}

} // namespace ProcessLifetime
