#include "screen/ScreenForm.h"

// The screen window's metrics: its frame's place and size, its control bar
// and its border. The window still never grows past the size of its first
// activation.

void TScreenForm::RestoreSizeableBorder()
{
    if (sizeableBorder) return;
    sizeableBorder = true;
    ApplyMinimumSize();
    // The window still never grows past the size of its first activation.
    if (rememberedWidth > 0)
        setMaximumSize(rememberedWidth, rememberedHeight);
    else
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void TScreenForm::SetScreenMetrics(int left, int top, int width, int height, bool bar, bool sizeable)
{
    hide();
    sizeableBorder = false;
    RestoreSizeableBorder();
    ControlBar1->setVisible(bar);
    ApplyMinimumSize();
    const QRect frame = frameGeometry();
    if (left >= 0 || top >= 0) move(left >= 0 ? left : frame.x(), top >= 0 ? top : frame.y());
    if (width > 0 || height > 0) {
        const int extraWidth = frame.width() - this->width();
        const int extraHeight = frame.height() - this->height();
        resize(width > 0 ? std::max(width - extraWidth, 1) : this->width(),
            height > 0 ? std::max(height - extraHeight, 1) : this->height());
    }
    if (!sizeable) {
        // A single fixed border: the window keeps the size it has now.
        setFixedSize(size());
        sizeableBorder = false;
    }
    LayOutChildren();
    show();
}

void TScreenForm::ScreenMetrics(int& left, int& top, int& width, int& height, bool& bar, bool& sizeable)
{
    const QRect frame = frameGeometry();
    left = frame.x();
    top = frame.y();
    width = frame.width();
    height = frame.height();
    bar = ControlBarVisible();
    sizeable = sizeableBorder;
}
