#include "platform/WindowWatch.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

#include <cstdint>
#include <cstring>

namespace platform {

namespace {

// X11 protocol: a DestroyNotify event has the code 17 (the top bit of the
// code marks an event sent by another client) and names the destroyed window
// in the 32 bits at byte 8. The events arrive in the client's byte order.
constexpr uint8_t destroyNotify = 17;
constexpr size_t destroyedWindowOffset = 8;

class ForeignDestroyFilter : public QObject, public QAbstractNativeEventFilter {
public:
    ForeignDestroyFilter(QObject* owner, std::function<WId()> nativeWindow, std::function<void()> onDestroyed)
        : QObject(owner)
        , windowId(std::move(nativeWindow))
        , reaction(std::move(onDestroyed))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* bytes = static_cast<const uint8_t*>(message);
        if ((bytes[0] & 0x7F) != destroyNotify) return false;
        uint32_t window = 0;
        std::memcpy(&window, bytes + destroyedWindowOffset, sizeof window);
        if (window == 0 || window != windowId()) return false;
        // Qt goes on handling the event it is in the middle of; the reaction
        // may hide the widget, which is safe only after that.
        QMetaObject::invokeMethod(
            this, [this] { reaction(); }, Qt::QueuedConnection);
        return false;
    }

private:
    std::function<WId()> windowId;
    std::function<void()> reaction;
};

} // namespace

void WatchForeignDestroy(QObject* owner, std::function<WId()> nativeWindow, std::function<void()> onDestroyed)
{
    if (!owner || !QCoreApplication::instance()) return;
    new ForeignDestroyFilter(owner, std::move(nativeWindow), std::move(onDestroyed));
}

} // namespace platform
