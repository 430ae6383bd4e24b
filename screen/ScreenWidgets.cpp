#include "screen/ScreenWidgets.h"

#include "canvas/Canvas.h"

#include <QFontMetrics>
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

namespace {

// Room on either side of the label's text.
constexpr int statusMargin = 2;

} // namespace

QString ElideWithDots(const QFontMetrics& metrics, const QString& text, int width)
{
    if (metrics.horizontalAdvance(text) <= width) return text;
    const QString dots = QStringLiteral("...");
    // The widths of the starts grow with their length, so the longest start
    // that fits is found by halving.
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (metrics.horizontalAdvance(text.left(middle) + dots) <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    return text.left(fits) + dots;
}

void StatusLabel::setText(const QString& text)
{
    if (text == fullText) return;
    fullText = text;
    UpdateToolTip();
    updateGeometry();
    update();
}

QString StatusLabel::shownText() const
{
    return ElideWithDots(fontMetrics(), fullText, width() - 2 * statusMargin);
}

QSize StatusLabel::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(fullText) + 2 * statusMargin, fontMetrics().height());
}

QSize StatusLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("...")) + 2 * statusMargin, fontMetrics().height());
}

void StatusLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(statusMargin, 0, -statusMargin, 0), Qt::AlignVCenter | Qt::AlignLeft, shownText());
}

void StatusLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateToolTip();
}

void StatusLabel::UpdateToolTip()
{
    setToolTip(shownText() == fullText ? QString() : fullText);
}
