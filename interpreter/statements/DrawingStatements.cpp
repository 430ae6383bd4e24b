#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"
#include "platform/KeyMap.h"
#include "platform/Waits.h"

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iterator>

// The drawing and text-placement statements: each reads its numbers (and
// texts) into the parameter slots with its own defaults and calls one drawing
// service of the run-time screen.

namespace {

using Operation = void (*)(Durnix_Class&, RunScreen&);

// One statement: its argument counts, the letter and default of each slot
// (slots past the letters are integers defaulting to 0), and its operation.
struct DrawingStatement {
    StatementCode code;
    int required;
    int maximum;
    const char* letters;
    int defaults[8];
    Operation operation;
};

// The milliseconds between two looks at a held key.
constexpr std::chrono::milliseconds KeyPoll { 10 };

void TextWithFont(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().TextAtWithFont(n[0], n[1], d.paramText[2], d.paramText[3], n[4], n[5], n[6], n[7]);
}

void Overlay(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().OverlayText(n[0], n[1], d.paramText[2], d.paramText[3], n[4], n[5], n[6]);
}

// Waits while the key is held, at most ms milliseconds when ms is not 0. The
// window events are processed meanwhile: only they report the key's release.
void WaitNoKey(Durnix_Class& d, RunScreen& screen)
{
    const int key = d.paramInt[0];
    const int64_t limit = std::llabs(static_cast<int64_t>(d.paramInt[1]));
    const auto deadline = limit > 0 ? platform::DeadlineAfterMs(limit) : platform::WaitClock::time_point::max();
    platform::WaitUntil(deadline, [&] { return screen.stopped || !platform::KeyIsDown(key); }, { .slice = KeyPoll });
}

void DrawShape(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().DrawPathString(d.paramText[0], n[1], n[2], n[3], n[4]);
}

void SetColor(Durnix_Class& d, RunScreen& screen)
{
    screen.Drawing().SetColors(d.paramInt[0], d.paramInt[1]);
}

void SetPixel(Durnix_Class& d, RunScreen& screen)
{
    screen.Drawing().SetPixel(d.paramInt[0], d.paramInt[1], d.paramInt[2]);
}

void FloodFill(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().FloodFillSurface(n[0], n[1], n[2], n[3]);
}

void FloodFill2(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().FloodFillToBorder(n[0], n[1], n[2], n[3]);
}

void GotoXY(Durnix_Class& d, RunScreen& screen)
{
    screen.Drawing().SetPenPosition(d.paramInt[0], d.paramInt[1]);
}

void LineTo(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().LineToXY(n[0], n[1], n[2], n[3]);
}

void Line(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().DrawLine(n[0], n[1], n[2], n[3], n[4], n[5]);
}

template <int Kind> void EllipseOrRect(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().DrawEllipseOrRect(Kind, n[0], n[1], n[2], n[3], n[4], n[5]);
}

template <int Kind> void RectOutline(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().DrawRectOutline(Kind, n[0], n[1], n[2], n[3], n[4], n[5]);
}

void Arc(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().DrawArc(n[0], n[1], n[2], n[3], d.paramFloat[4], d.paramFloat[5], n[6], n[7]);
}

void Pie(Durnix_Class& d, RunScreen& screen)
{
    const int* n = d.paramInt;
    screen.Drawing().DrawPie(n[0], n[1], n[2], n[3], d.paramFloat[4], d.paramFloat[5], n[6], n[7]);
}

void SetMousePos(Durnix_Class& d, RunScreen& screen)
{
    screen.Input().SetMousePos(d.paramInt[0], d.paramInt[1]);
}

void SetCursor(Durnix_Class& d, RunScreen& screen)
{
    screen.Input().SetImageCursor(d.paramInt[0]);
}

// i an integer, f a double, z any value as text, s a text.
constexpr DrawingStatement statements[] = {
    { StatementCode::Xytext, 0, 8, "iizsiiii", { -1, -1, 0, 0, 0, 0, -1, -1 }, TextWithFont },
    { StatementCode::Overlaytext, 0, 8, "iizsiiii", { -1, -1, 0, 0, 0, 0, -1, -1 }, Overlay },
    { StatementCode::Waitnokeye, 1, 2, "ii", { 0, 0 }, WaitNoKey },
    { StatementCode::Drawshape, 3, 5, "siiii", { 0, 0, 0, 1, -99 }, DrawShape },
    { StatementCode::Setcolor, 0, 2, "ii", { -1, -1 }, SetColor },
    { StatementCode::Setpixel, 0, 3, "iii", { -1, -1, -1 }, SetPixel },
    { StatementCode::Floodfill, 0, 4, "iiii", { -1, -1, -1, -1 }, FloodFill },
    { StatementCode::Floodfill2, 0, 4, "iiii", { -1, -1, -1, -1 }, FloodFill2 },
    { StatementCode::Gotoxy, 0, 2, "ii", { 0, 0 }, GotoXY },
    { StatementCode::Lineto, 2, 4, "iiii", { 0, 0, -1, -1 }, LineTo },
    { StatementCode::Line, 4, 6, "iiiiii", { 0, 0, 0, 0, -1, -1 }, Line },
    { StatementCode::Circle, 4, 6, "iiiiii", { 0, 0, 0, 0, -1, -1 }, EllipseOrRect<1> },
    { StatementCode::Circlewh, 4, 6, "iiiiii", { 0, 0, 0, 0, -1, -1 }, EllipseOrRect<2> },
    { StatementCode::Rectangle, 4, 6, "iiiiii", { 0, 0, 0, 0, -1, -1 }, EllipseOrRect<3> },
    { StatementCode::Rectanglewh, 4, 6, "iiiiii", { 0, 0, 0, 0, -1, -1 }, EllipseOrRect<4> },
    { StatementCode::Erectangle, 4, 6, "iiiiii", { 0, 0, 0, 0, -1, -1 }, RectOutline<1> },
    { StatementCode::Erectanglewh, 4, 6, "iiiiii", { 0, 0, 0, 0, -1, -1 }, RectOutline<2> },
    { StatementCode::Arc, 4, 8, "iiiiffii", { 0, 0, 0, 0, 0, 0, -1, -1 }, Arc },
    { StatementCode::Pie, 4, 8, "iiiiffii", { 0, 0, 0, 0, 0, 0, -1, -1 }, Pie },
    { StatementCode::Setmousepos, 0, 2, "ii", { 0, 0 }, SetMousePos },
    { StatementCode::Setcursor, 0, 1, "i", { 0 }, SetCursor },
};

const DrawingStatement* Find(int code)
{
    for (const DrawingStatement& statement : statements)
        if (Code(statement.code) == code) return &statement;
    return nullptr;
}

void Draw(Durnix_Class& d)
{
    const DrawingStatement* statement = Find(d.expression.tokenCode);
    if (!statement) d.RaiseError(ErrorCode::SyntaxError);
    d.SetParamRow(statement->letters, statement->defaults);
    int given = 0;
    d.ParseParams(statement->required, statement->maximum, given);
    statement->operation(d, d.screen);
}

// The family's entries, one per statement above, all served by Draw.
constexpr auto entries = [] {
    std::array<StatementEntry, std::size(statements)> list {};
    for (size_t k = 0; k < list.size(); ++k)
        list[k] = StatementEntry { statements[k].code, Draw };
    return list;
}();

} // namespace

const StatementFamily drawingStatements = { entries.data(), static_cast<int>(entries.size()) };
