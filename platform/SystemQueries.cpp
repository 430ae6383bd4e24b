#include "platform/SystemQueries.h"

#include "platform/AnsiText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {
bool headless = false;
AnsiString processClipboard;
std::function<void()> beepHandler;

constexpr int HeadlessDesktopWidth = 1024;
constexpr int HeadlessDesktopHeight = 768;

QScreen* primaryScreen()
{
    if (headless || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    return QGuiApplication::primaryScreen();
}

QClipboard* systemClipboard()
{
    if (headless || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    return QGuiApplication::clipboard();
}
} // namespace

void setHeadlessSystem(bool on)
{
    headless = on;
}

bool headlessSystem()
{
    return headless;
}

int desktopWidth()
{
    QScreen* screen = primaryScreen();
    return screen ? screen->size().width() : HeadlessDesktopWidth;
}

int desktopHeight()
{
    QScreen* screen = primaryScreen();
    return screen ? screen->size().height() : HeadlessDesktopHeight;
}

AnsiString clipboardText()
{
    QClipboard* clipboard = systemClipboard();
    return clipboard ? fromQString(clipboard->text()) : processClipboard;
}

void setClipboardText(const AnsiString& text)
{
    QClipboard* clipboard = systemClipboard();
    if (clipboard)
        clipboard->setText(toQString(text));
    else
        processClipboard = text;
}

void clearClipboard()
{
    QClipboard* clipboard = systemClipboard();
    if (clipboard)
        clipboard->clear();
    else
        processClipboard.clear();
}

bool applicationActive()
{
    if (headless || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void beep()
{
    if (beepHandler && !headless) beepHandler();
}

void setBeepHandler(std::function<void()> handler)
{
    beepHandler = std::move(handler);
}

} // namespace platform
