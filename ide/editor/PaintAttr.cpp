#include "ide/editor/PaintAttr.h"

#include "ide/editor/CustomPainter.h"

void TsxPaintAttr::Changed()
{
    if (owner) {
        owner->BeginUpdate();
        owner->EndUpdate();
    }
}

void TsxPaintAttr::SetColorFront(TColor c)
{
    ColorFront = c;
    Changed();
}

void TsxPaintAttr::SetColorBack(TColor c)
{
    ColorBack = c;
    Changed();
}

void TsxPaintAttr::SetStyle(TFontStyles s)
{
    Style = s;
    Changed();
}

void TsxPaintAttr::Assign(const TsxPaintAttr& source)
{
    if (&source != this) *this = source;
    Changed();
}
