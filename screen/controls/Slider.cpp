#include "screen/controls/Slider.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

using namespace controls;

Slider::Slider(QWidget* parent, Qt::Orientation orientation)
    : QSlider(orientation, parent)
{
    setFont(ControlFont(FontHeight::Form));
    setFocusPolicy(Qt::StrongFocus);
    setTickPosition(QSlider::TicksAbove);
    // Up the screen is toward the minimum, for the arrows and the pages too.
    if (orientation == Qt::Vertical) {
        setInvertedAppearance(true);
        setInvertedControls(true);
    }
    connect(this, &QSlider::valueChanged, this, [this](int position) {
        if (barFollows) barEnd = position;
        update();
        if (onChange) onChange();
    });
}

void Slider::SetProperty(int op, int value)
{
    switch (op) {
    case 0:
        setValue(value);
        break;
    case 1:
        setEnabled(value != 0);
        break;
    case 2:
        setVisible(value == 0);
        break;
    case 3:
        thumbHidden = value != 0;
        break;
    case 4:
        barFollows = value != 0;
        barStart = barFollows ? minimum() : 0;
        barEnd = barFollows ? this->value() : 0;
        break;
    case 5:
        setMinimum(value);
        break;
    case 6:
        setMaximum(value);
        break;
    case 7:
        barStart = value;
        break;
    case 8:
        barEnd = value;
        break;
    }
    update();
}

int Slider::Property(int op) const
{
    switch (op) {
    case 0:
        return value();
    case 1:
        return barStart;
    case 2:
        return barEnd;
    case 3:
        return isEnabled();
    case 4:
        return IsHidden(*this);
    case 5:
        return thumbHidden;
    case 6:
        return !barFollows;
    case 7:
        return minimum();
    case 8:
        return maximum();
    case 9:
        return x();
    case 10:
        return y();
    case 11:
        return width();
    case 12:
        return hasFocus();
    }
    return 0;
}

void Slider::keyPressEvent(QKeyEvent* event)
{
    // Only the arrows along the slider move it.
    const int key = event->key();
    const bool across = orientation() == Qt::Horizontal ? key == Qt::Key_Up || key == Qt::Key_Down
                                                        : key == Qt::Key_Left || key == Qt::Key_Right;
    if (across) {
        event->accept();
        return;
    }
    QSlider::keyPressEvent(event);
}

void Slider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    // Some styles fill the groove up to the thumb; here only the selection
    // bar marks a stretch of it.
    QStyleOptionSlider groove = option;
    groove.palette.setColor(QPalette::Highlight, groove.palette.color(QPalette::Button));
    groove.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderTickmarks;
    style()->drawComplexControl(QStyle::CC_Slider, &groove, &painter, this);

    // The selection bar: the groove's stretch between the bar's two values.
    const int low = std::clamp(std::min(barStart, barEnd), minimum(), maximum());
    const int high = std::clamp(std::max(barStart, barEnd), minimum(), maximum());
    if (high > low) {
        const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        const bool horizontal = orientation() == Qt::Horizontal;
        const int span = horizontal ? groove.width() - handle.width() : groove.height() - handle.height();
        const int offset = horizontal ? groove.left() + handle.width() / 2 : groove.top() + handle.height() / 2;
        auto at = [&](int v) {
            return offset
                + QStyle::sliderPositionFromValue(minimum(), maximum(), v, std::max(span, 0), invertedAppearance());
        };
        const QColor bar = palette().color(QPalette::Highlight);
        if (horizontal) {
            const int from = std::min(at(low), at(high));
            painter.fillRect(QRect(from, groove.center().y() - 2, std::abs(at(high) - at(low)), 5), bar);
        } else {
            const int from = std::min(at(low), at(high));
            painter.fillRect(QRect(groove.center().x() - 2, from, 5, std::abs(at(high) - at(low))), bar);
        }
    }
    if (thumbHidden) return;
    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}
