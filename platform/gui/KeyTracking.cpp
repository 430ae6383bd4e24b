#include "platform/KeyMap.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QPointer>

// The held keys follow the key and mouse events of every window: an event
// filter on the application object. It lives apart from the key map because
// it needs Qt Gui's events, which only the window module links.

namespace platform {

namespace {

struct MouseKey {
    Qt::MouseButton button;
    int vk;
};
constexpr MouseKey mouseKeys[] = { { Qt::LeftButton, 1 }, { Qt::RightButton, 2 }, { Qt::MiddleButton, 4 } };

class KeyTracker : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            // An auto-repeated release is followed by another press: the key stays held.
            if (!key->isAutoRepeat() || event->type() == QEvent::KeyPress)
                SetKeyDown(VirtualKeyOf(key->key(), key->modifiers()), event->type() == QEvent::KeyPress);
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            for (const MouseKey& entry : mouseKeys)
                SetKeyDown(entry.vk, (mouse->buttons() & entry.button) != 0);
            break;
        }
        case QEvent::ApplicationDeactivate:
            ReleaseAllKeys();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void InstallKeyTracking()
{
    // Guarded: a test program may replace its application object.
    static QPointer<KeyTracker> tracker;
    if (tracker || !QCoreApplication::instance()) return;
    tracker = new KeyTracker(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(tracker);
}

} // namespace platform
