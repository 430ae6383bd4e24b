#pragma once

#include "base/Values.h"
#include "interpreter/RunScreen.h"

#include <cstdio>

// The console rules of the run-time screen, apart from any widget: text is
// painted at a cursor counted in rows and columns of a fixed-pitch font, wraps
// at the right edge, and a row that would pass the bottom clears the screen and
// starts again at the top. There is no scrolling and no character grid.

// `printedText` is emptied before a piece is added once it is longer than this.
constexpr size_t printedTextLimit = 10000000;

struct ConsoleState {
    int textRow = 0;
    int textColumn = 0;
    // Everything painted, rows joined by CR LF.
    AnsiString printedText;
};

struct ConsoleMetrics {
    int columns = 1;
    int lineHeight = 1;
    int imageHeight = 0;
};

// What printing does to the screen. ClearScreen must put the cursor of the
// state being printed to back at row 0, column 0.
class ConsoleSurface {
public:
    virtual ~ConsoleSurface() = default;
    virtual void ClearScreen() = 0;
    virtual void PaintPiece(int column, int row, const AnsiString& piece) = 0;
    // Receives every text added to printedText (pieces and "\r\n"), in order.
    virtual void Printed(const AnsiString& text) = 0;
};

// Paints text at the cursor with wrapping and clearing, and records it.
void PrintConsoleText(
    ConsoleState& state, const ConsoleMetrics& metrics, AnsiString text, NewLine newLine, ConsoleSurface& surface);

// What a headless console writes to standard output for one print: what
// printedText gained, with "\n" for each CR LF.
class ConsoleEcho {
public:
    // Takes what ConsoleSurface::Printed receives.
    void Add(const AnsiString& text);
    // Writes what the print echoed in one write (nothing when out is null).
    void WriteTo(FILE* out);

private:
    bool pendingReturn = false;
    AnsiString echoed;
};

// True when a row at the cursor would not fit above the bottom of the image.
bool RowPassesBottom(const ConsoleState& state, const ConsoleMetrics& metrics);
