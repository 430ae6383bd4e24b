#include "screen/controls/Slider.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <climits>

using namespace controls;

Slider::Slider(const ControlSurface& surface, const NewSlider& made)
    : QSlider(made.vertical != 0 ? Qt::Vertical : Qt::Horizontal, surface.parent)
{
    const bool vertical = made.vertical != 0;
    setFont(ControlFont(FontHeight::Form));
    setFocusPolicy(Qt::StrongFocus);
    setTickPosition(QSlider::TicksAbove);
    // Up the screen is toward the minimum, for the arrows and the pages too.
    if (vertical) {
        setInvertedAppearance(true);
        setInvertedControls(true);
    }
    connect(this, &QSlider::valueChanged, this, [this](int position) {
        if (barFollows) barEnd = position;
        update();
        if (onChange) onChange();
    });
    const int low = made.minimum, high = std::max(made.minimum, made.maximum);
    setRange(low, high);
    setValue(low);
    const int range = static_cast<int>(std::min<long long>(INT_MAX, 0LL + high - low));
    setTickInterval(made.tickStep < 0 ? range / 10 : made.tickStep);
    setPageStep(made.pageStep <= 0 ? range / 5 : made.pageStep);
    // The given width is the slider's length, whichever way it lies.
    const int length = made.length > 0 ? made.length : 100;
    PlaceControl(*this, made.left, made.top, vertical ? 33 : length, vertical ? length : 33);
    SetHint(*this, made.hint);
}

void Slider::SetProperty(ControlProperty property, int value)
{
    switch (property) {
    case ControlProperty::SliderPosition:
        setValue(value);
        break;
    case ControlProperty::SliderEnabled:
        setEnabled(value != 0);
        break;
    case ControlProperty::SliderHidden:
        setVisible(value == 0);
        break;
    case ControlProperty::SliderThumbHidden:
        thumbHidden = value != 0;
        break;
    case ControlProperty::SliderBarShown:
        barFollows = value != 0;
        barStart = barFollows ? minimum() : 0;
        barEnd = barFollows ? this->value() : 0;
        break;
    case ControlProperty::SliderMinimum:
        setMinimum(value);
        break;
    case ControlProperty::SliderMaximum:
        setMaximum(value);
        break;
    case ControlProperty::SliderBarStart:
        barStart = value;
        break;
    case ControlProperty::SliderBarEnd:
        barEnd = value;
        break;
    default:
        break;
    }
    update();
}

int Slider::Property(ControlProperty property) const
{
    switch (property) {
    case ControlProperty::SliderPosition:
        return value();
    case ControlProperty::SliderBarStart:
        return barStart;
    case ControlProperty::SliderBarEnd:
        return barEnd;
    case ControlProperty::SliderEnabled:
        return isEnabled();
    case ControlProperty::SliderHidden:
        return IsHidden(*this);
    case ControlProperty::SliderThumbHidden:
        return thumbHidden;
    case ControlProperty::SliderBarHidden:
        return !barFollows;
    case ControlProperty::SliderMinimum:
        return minimum();
    case ControlProperty::SliderMaximum:
        return maximum();
    case ControlProperty::SliderLeft:
        return x();
    case ControlProperty::SliderTop:
        return y();
    case ControlProperty::SliderWidth:
        return width();
    case ControlProperty::SliderFocused:
        return hasFocus();
    default:
        break;
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
        const QRect track = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        const bool horizontal = orientation() == Qt::Horizontal;
        const int span = horizontal ? track.width() - handle.width() : track.height() - handle.height();
        const int offset = horizontal ? track.left() + handle.width() / 2 : track.top() + handle.height() / 2;
        auto at = [&](int v) {
            return offset
                + QStyle::sliderPositionFromValue(minimum(), maximum(), v, std::max(span, 0), invertedAppearance());
        };
        const QColor bar = palette().color(QPalette::Highlight);
        if (horizontal) {
            const int from = std::min(at(low), at(high));
            painter.fillRect(QRect(from, track.center().y() - 2, std::abs(at(high) - at(low)), 5), bar);
        } else {
            const int from = std::min(at(low), at(high));
            painter.fillRect(QRect(track.center().x() - 2, from, 5, std::abs(at(high) - at(low))), bar);
        }
    }
    if (thumbHidden) return;
    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}

// The height is the widget's own.
void Slider::SetDimensions(int left, int top, int width, int)
{
    ReplaceDimensions(*this, left, top, width, -1);
}
