#include "ide/ProcessLifetime.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace ProcessLifetime {

Next Decide(const Situation& now)
{
    if (now.editorClosed) return Next::End;
    if (now.windowShown || now.busy) return Next::Wait;
    return Next::ShowEditor;
}

namespace {

// A window the user can see and reach: tool tips and menus come and go with
// the pointer and count for nothing.
bool Shown(const QWidget* window)
{
    if (!window->isVisible() || window->testAttribute(Qt::WA_DontShowOnScreen)) return false;
    const Qt::WindowType type = window->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop && type != Qt::SplashScreen;
}

} // namespace

Keeper::Keeper(QWidget& mainWindow, std::function<bool()> isBusy)
    : editor(mainWindow)
    , busy(std::move(isBusy))
{
    qApp->installEventFilter(this);
}

Keeper::~Keeper()
{
    if (qApp) qApp->removeEventFilter(this);
}

void Keeper::End(int status)
{
    ended = true;
    // Not QApplication::quit: that asks every window to close first, and a
    // window that refuses would keep the process alive with the editor gone.
    QCoreApplication::exit(status);
}

bool Keeper::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Close || type == QEvent::Hide) && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->isWindow())
        ReviewSoon();
    return false;
}

void Keeper::ReviewSoon()
{
    // The close is still being decided while its event is delivered, and a
    // window being replaced by another hides first: look once it is over.
    if (reviewPending || ended) return;
    reviewPending = true;
    QTimer::singleShot(0, this, [this] {
        reviewPending = false;
        Review();
    });
}

void Keeper::Review()
{
    Situation now;
    now.editorClosed = ended;
    for (const QWidget* window : QApplication::topLevelWidgets())
        now.windowShown = now.windowShown || Shown(window);
    now.busy = busy && busy();
    if (Decide(now) != Next::ShowEditor) return;
    editor.show();
    editor.raise();
    editor.activateWindow();
}

} // namespace ProcessLifetime
