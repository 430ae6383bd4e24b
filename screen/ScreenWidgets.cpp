#include "screen/ScreenWidgets.h"

#include "canvas/Canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

ScreenImageView::ScreenImageView(const Canvas& shown, QWidget* parent)
    : QWidget(parent)
    , canvas(shown)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ScreenImageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), canvas.image, event->rect());
}

void ScreenImageView::mousePressEvent(QMouseEvent* event)
{
    if (onMouse) onMouse(MouseAction::Press, event);
}

void ScreenImageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (onMouse) onMouse(MouseAction::DoubleClick, event);
}

void ScreenImageView::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouse) onMouse(MouseAction::Move, event);
}

void ScreenImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (onMouse) onMouse(MouseAction::Release, event);
}

void InputBox::keyPressEvent(QKeyEvent* event)
{
    if (onKeyPress && onKeyPress(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
