#include "screen/media/VideoPanel.h"

#include <QPainter>

VideoPanel::VideoPanel(QWidget* parent)
    : QWidget(parent)
{
    // Every pixel is painted here each time.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoPanel::ShowFrame(const QImage& shown)
{
    frame = shown;
    update();
}

void VideoPanel::Clear()
{
    frame = QImage();
    update();
}

void VideoPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), frame);
}
