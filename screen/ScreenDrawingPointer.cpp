#include "screen/ScreenForm.h"
#include "screen/ScreenWidgets.h"

#include <QCursor>

#include <array>

// The mouse pointer over the image: setmousepos and setcursor.

namespace {

// The standard cursors by number: entry n is cursor -n (0 the default).
constexpr std::array<Qt::CursorShape, 22> cursorShapes = {
    Qt::ArrowCursor, // 0 default
    Qt::BlankCursor, // -1 none
    Qt::ArrowCursor, // -2 arrow
    Qt::CrossCursor, // -3 cross
    Qt::IBeamCursor, // -4 text beam
    Qt::SizeAllCursor, // -5 size
    Qt::SizeBDiagCursor, // -6 size north-east south-west
    Qt::SizeVerCursor, // -7 size north south
    Qt::SizeFDiagCursor, // -8 size north-west south-east
    Qt::SizeHorCursor, // -9 size west east
    Qt::UpArrowCursor, // -10 up arrow
    Qt::WaitCursor, // -11 hour glass
    Qt::DragMoveCursor, // -12 drag
    Qt::ForbiddenCursor, // -13 no drop
    Qt::SplitHCursor, // -14 horizontal split
    Qt::SplitVCursor, // -15 vertical split
    Qt::DragCopyCursor, // -16 multiple drag
    Qt::WaitCursor, // -17 waiting for data
    Qt::ForbiddenCursor, // -18 no
    Qt::BusyCursor, // -19 application starting
    Qt::WhatsThisCursor, // -20 help
    Qt::PointingHandCursor, // -21 pointing hand
};

constexpr int LastCursor = -static_cast<int>(cursorShapes.size() - 1);

} // namespace

void TScreenForm::SetMousePos(int x, int y)
{
    // The pointer goes to the image's pixel (x, y); a headless run has no
    // pointer to move.
    if (!headless) QCursor::setPos(Image1->mapToGlobal(QPoint(x, y)));
    mouseX = x;
    mouseY = y;
}

void TScreenForm::SetImageCursor(int n)
{
    if (n > 0) n = -n;
    if (n < LastCursor) n = LastCursor;
    imageCursor = n;
    Image1->setCursor(cursorShapes[static_cast<size_t>(-n)]);
}
