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

Spinner::Spinner(QWidget* parent, Qt::Orientation lie)
    : QWidget(parent)
    , orientation(lie)
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

void Spinner::SetProperty(int op, int value)
{
    switch (op) {
    case 0:
        steps.SetPosition(value);
        break;
    case 1:
        setEnabled(value != 0);
        break;
    case 2:
        setVisible(value == 0);
        break;
    case 3:
        steps.wrap = value != 0;
        break;
    case 4:
        steps.minimum = SpinnerSteps::Cut(value);
        steps.SetPosition(steps.position);
        break;
    case 5:
        steps.maximum = SpinnerSteps::Cut(value);
        steps.SetPosition(steps.position);
        break;
    case 6:
        steps.increment = SpinnerSteps::Cut(value);
        break;
    }
}

int Spinner::Property(int op) const
{
    switch (op) {
    case 0:
        return steps.position;
    case 1:
        return steps.minimum;
    case 2:
        return steps.maximum;
    case 3:
        return steps.increment;
    case 4:
        return steps.wrap;
    case 5:
        return isEnabled();
    case 6:
        return IsHidden(*this);
    case 7:
        return x();
    case 8:
        return y();
    case 9:
        return width();
    case 10:
        return height();
    case 11:
        return HasFocusWithin(*this);
    }
    return 0;
}
