#include "screen/Console.h"

#include <algorithm>

namespace {

void appendPrinted(ConsoleState& state, const AnsiString& text, ConsoleSurface& surface)
{
    state.printedText += text;
    surface.Printed(text);
}

} // namespace

bool RowPassesBottom(const ConsoleState& state, const ConsoleMetrics& metrics)
{
    return static_cast<long long>(metrics.imageHeight) - metrics.lineHeight
        < static_cast<long long>(state.textRow) * metrics.lineHeight;
}

void PrintConsoleText(
    ConsoleState& state, const ConsoleMetrics& metrics, AnsiString text, NewLine newLine, ConsoleSurface& surface)
{
    // At least one column, so that every row after the first takes a character
    // and the loop ends.
    const int columns = std::max(metrics.columns, 1);
    size_t pieceLength = 0;
    for (;;) {
        if (RowPassesBottom(state, metrics)) surface.ClearScreen();
        // After an unwrapped print the cursor may stand past the last column.
        size_t room = static_cast<size_t>(std::max(columns - state.textColumn, 0));
        pieceLength = std::min(room, text.size());
        AnsiString piece = text.substr(0, pieceLength);
        surface.PaintPiece(state.textColumn, state.textRow, piece);
        if (state.printedText.size() > printedTextLimit) state.printedText.clear();
        appendPrinted(state, piece, surface);
        text.erase(0, pieceLength);
        if (text.empty()) break;
        ++state.textRow;
        state.textColumn = 0;
        appendPrinted(state, "\r\n", surface);
    }
    state.textColumn += static_cast<int>(pieceLength);
    if (newLine == NewLine::Yes) {
        state.textColumn = 0;
        ++state.textRow;
        appendPrinted(state, "\r\n", surface);
    }
}
