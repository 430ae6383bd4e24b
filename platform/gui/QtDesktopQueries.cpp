#include "platform/AnsiText.h"
#include "platform/SystemQueries.h"
#include "platform/gui/ClipboardImage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>

namespace platform {

namespace {

QGuiApplication* GuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

bool DesktopSize(int& width, int& height)
{
    QScreen* screen = GuiApplication() ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen) return false;
    width = screen->size().width();
    height = screen->size().height();
    return true;
}

QClipboard* SystemClipboard()
{
    return GuiApplication() ? QGuiApplication::clipboard() : nullptr;
}

bool ClipboardText(AnsiString& text)
{
    QClipboard* clipboard = SystemClipboard();
    if (clipboard) text = fromQString(clipboard->text());
    return clipboard != nullptr;
}

bool SetClipboardText(const AnsiString& text)
{
    QClipboard* clipboard = SystemClipboard();
    if (clipboard) clipboard->setText(toQString(text));
    return clipboard != nullptr;
}

bool ClearClipboard()
{
    QClipboard* clipboard = SystemClipboard();
    if (clipboard) clipboard->clear();
    return clipboard != nullptr;
}

bool ApplicationActive()
{
    return GuiApplication() && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

bool ClipboardHoldsPicture()
{
    const QMimeData* data = SystemClipboard() ? SystemClipboard()->mimeData() : nullptr;
    return data && data->hasImage();
}

constexpr DesktopQueries queries { DesktopSize, ClipboardText, SetClipboardText, ClearClipboard, ApplicationActive,
    ClipboardHoldsPicture, ClearClipboardImage };

} // namespace

const DesktopQueries& QtDesktopQueries()
{
    return queries;
}

} // namespace platform
