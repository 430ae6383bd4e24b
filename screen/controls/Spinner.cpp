#include "screen/controls/Spinner.h"

#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

using namespace controls;

void SpinnerSteps::SetPosition(int value)
{
    const int16_t low = std::min(minimum, maximum), high = std::max(minimum, maximum);
    position = std::clamp(Cut(value), low, high);
}

void SpinnerSteps::Step(Direction direction)
{
    const int low = std::min(minimum, maximum), high = std::max(minimum, maximum);
    // Up goes toward the maximum, wherever it lies.
    const int sign = (direction == Direction::Up) == (maximum >= minimum) ? 1 : -1;
    const int next = position + sign * increment;
    if (next > high)
        position = static_cast<int16_t>(wrap ? low : high);
    else if (next < low)
        position = static_cast<int16_t>(wrap ? high : low);
    else
        position = static_cast<int16_t>(next);
}

Spinner::Spinner(const ControlSurface& surface, const NewSpinner& made)
    : QWidget(surface.parent)
    , orientation(made.horizontal != 0 ? Qt::Horizontal : Qt::Vertical)
    , up(new QToolButton(this))
    , down(new QToolButton(this))
{
    setFont(ControlFont(FontHeight::Form));
    setFocusPolicy(Qt::StrongFocus);
    const bool vertical = orientation == Qt::Vertical;
    up->setArrowType(vertical ? Qt::UpArrow : Qt::RightArrow);
    down->setArrowType(vertical ? Qt::DownArrow : Qt::LeftArrow);
    for (QToolButton* button : { up, down }) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(up, &QToolButton::clicked, this, [this] { Click(SpinnerSteps::Direction::Up); });
    connect(down, &QToolButton::clicked, this, [this] { Click(SpinnerSteps::Direction::Down); });
    steps.minimum = SpinnerSteps::Cut(made.minimum);
    steps.maximum = SpinnerSteps::Cut(made.maximum);
    steps.position = steps.minimum;
    if (made.increment > 1) steps.increment = SpinnerSteps::Cut(made.increment);
    steps.wrap = made.wrap != 0;
    const int width = made.width > 0 ? made.width : vertical ? 17 : 25;
    const int height = made.height > 0 ? made.height : vertical ? 25 : 17;
    PlaceControl(*this, made.left, made.top, width, height);
    SetHint(*this, made.hint);
}

void Spinner::Click(SpinnerSteps::Direction direction)
{
    steps.Step(direction);
    if (onClick) onClick();
}

void Spinner::resizeEvent(QResizeEvent*)
{
    // Up above down; lying, down (left) before up (right).
    if (orientation == Qt::Vertical) {
        up->setGeometry(0, 0, width(), height() / 2);
        down->setGeometry(0, height() / 2, width(), height() - height() / 2);
    } else {
        down->setGeometry(0, 0, width() / 2, height());
        up->setGeometry(width() / 2, 0, width() - width() / 2, height());
    }
}

void Spinner::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Right)
        Click(SpinnerSteps::Direction::Up);
    else if (key == Qt::Key_Down || key == Qt::Key_Left)
        Click(SpinnerSteps::Direction::Down);
    else
        return QWidget::keyPressEvent(event);
    event->accept();
}

void Spinner::SetProperty(ControlProperty property, int value)
{
    switch (property) {
    case ControlProperty::SpinnerPosition:
        steps.SetPosition(value);
        break;
    case ControlProperty::SpinnerEnabled:
        setEnabled(value != 0);
        break;
    case ControlProperty::SpinnerHidden:
        setVisible(value == 0);
        break;
    case ControlProperty::SpinnerWrap:
        steps.wrap = value != 0;
        break;
    case ControlProperty::SpinnerMinimum:
        steps.minimum = SpinnerSteps::Cut(value);
        steps.SetPosition(steps.position);
        break;
    case ControlProperty::SpinnerMaximum:
        steps.maximum = SpinnerSteps::Cut(value);
        steps.SetPosition(steps.position);
        break;
    case ControlProperty::SpinnerIncrement:
        steps.increment = SpinnerSteps::Cut(value);
        break;
    default:
        break;
    }
}

int Spinner::Property(ControlProperty property) const
{
    switch (property) {
    case ControlProperty::SpinnerPosition:
        return steps.position;
    case ControlProperty::SpinnerMinimum:
        return steps.minimum;
    case ControlProperty::SpinnerMaximum:
        return steps.maximum;
    case ControlProperty::SpinnerIncrement:
        return steps.increment;
    case ControlProperty::SpinnerWrap:
        return steps.wrap;
    case ControlProperty::SpinnerEnabled:
        return isEnabled();
    case ControlProperty::SpinnerHidden:
        return IsHidden(*this);
    case ControlProperty::SpinnerLeft:
        return x();
    case ControlProperty::SpinnerTop:
        return y();
    case ControlProperty::SpinnerWidth:
        return width();
    case ControlProperty::SpinnerHeight:
        return height();
    case ControlProperty::SpinnerFocused:
        return HasFocusWithin(*this);
    default:
        break;
    }
    return 0;
}

void Spinner::SetDimensions(int left, int top, int width, int height)
{
    ReplaceDimensions(*this, left, top, width, height);
}
