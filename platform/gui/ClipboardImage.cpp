#include "platform/gui/ClipboardImage.h"
#include "platform/Application.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QImage& ProcessImage()
{
    static QImage image;
    return image;
}

QClipboard* SystemClipboard()
{
    platform::RequireApplication();
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

namespace platform {

bool ClipboardHasImage()
{
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) return !ProcessImage().isNull();
    const QMimeData* data = clipboard->mimeData();
    return data && data->hasImage();
}

QImage ClipboardImage()
{
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) return ProcessImage();
    if (!ClipboardHasImage()) return {};
    return clipboard->image();
}

bool SetClipboardImage(const QImage& image)
{
    if (image.isNull()) return false;
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) {
        ProcessImage() = image;
        return true;
    }
    clipboard->setImage(image);
    return true;
}

void ClearClipboardImage()
{
    ProcessImage() = QImage();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) QGuiApplication::clipboard()->clear();
}

} // namespace platform
