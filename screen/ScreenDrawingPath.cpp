#include "canvas/raster/PathLanguage.h"
#include "screen/ScreenDrawingSupport.h"
#include "screen/ScreenForm.h"

// The path language of drawshape (see raster/PathLanguage.h), drawn from
// (x, y) in steps of `step` pixels with the canvas pen.

namespace {

// The colour argument that stands for the pen colour.
constexpr int PenColorArgument = -99;

} // namespace

void TScreenForm::DrawPathString(const AnsiString& text, int x, int y, int step, int colour)
{
    const int entryColor = canvas->penColor;
    const int resolved = colour == PenColorArgument ? canvas->penColor : colour < 0 ? canvas->brushColor : colour;
    SetColors(resolved, -1);
    const int startColor = canvas->penColor;
    raster::Coordinate pointX = x, pointY = y;
    for (const raster::PathAction& action : raster::ReadPath(text, x, y, step)) {
        switch (action.kind) {
        case raster::PathAction::Kind::SetColor:
            SetColors(action.color, -1);
            break;
        case raster::PathAction::Kind::StartColor:
            canvas->penColor = canvas->fontColor = startColor;
            break;
        case raster::PathAction::Kind::LineTo:
            drawing::Segment(*canvas, pointX, pointY, action.x, action.y);
            [[fallthrough]];
        case raster::PathAction::Kind::MoveTo:
            pointX = action.x;
            pointY = action.y;
            break;
        }
    }
    canvas->penPos = QPoint(drawing::Saturated(pointX), drawing::Saturated(pointY));
    canvas->penColor = canvas->fontColor = entryColor;
}
