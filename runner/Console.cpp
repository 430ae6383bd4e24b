#include "runner/Console.h"

#include <algorithm>
#include <limits>

namespace {

void appendPrinted(ConsoleState& state, const AnsiString& text, ConsoleSurface& surface)
{
    state.printedText += text;
    surface.Printed(text);
}

} // namespace

void ConsoleEcho::Add(const AnsiString& text)
{
    // Runs without a CR are written whole; a CR is held back until the next
    // character shows whether it starts a CR LF.
    size_t start = 0;
    while (start < text.size()) {
        if (pendingReturn) {
            pendingReturn = false;
            if (text[start] != '\n') echoed += '\r';
        }
        const size_t returnAt = std::min(text.find('\r', start), text.size());
        echoed.append(text, start, returnAt - start);
        if (returnAt == text.size()) break;
        pendingReturn = true;
        start = returnAt + 1;
    }
}

void ConsoleEcho::WriteTo(FILE* out)
{
    if (pendingReturn) echoed += '\r';
    pendingReturn = false;
    if (out && !echoed.empty()) std::fwrite(echoed.data(), 1, echoed.size(), out);
    echoed.clear();
}

bool RowPassesBottom(const ConsoleState& state, const ConsoleMetrics& metrics)
{
    return static_cast<long long>(metrics.imageHeight) - metrics.lineHeight
        < static_cast<long long>(state.textRow) * metrics.lineHeight;
}

namespace {

// True when the piece about to be painted at the cursor is cleared away by a
// later piece of the same text: with piecesAfter more rows to come, the last
// of them passes the bottom. Such pieces are not painted, and the clears
// before them are left to the last one, so that a text of many screens costs
// what its last screen costs to show (the image ends the same).
bool ClearedLater(int pieceRow, const ConsoleMetrics& metrics, size_t piecesAfter)
{
    // Rows pass the bottom in order only when they have a height.
    if (metrics.lineHeight <= 0 || piecesAfter == 0) return false;
    ConsoleState last;
    const long long row = static_cast<long long>(pieceRow) + static_cast<long long>(piecesAfter);
    last.textRow = static_cast<int>(std::min<long long>(row, std::numeric_limits<int>::max()));
    return RowPassesBottom(last, metrics);
}

} // namespace

void PrintConsoleText(
    ConsoleState& state, const ConsoleMetrics& metrics, AnsiString text, NewLine newLine, ConsoleSurface& surface)
{
    // At least one column, so that every row after the first takes a character
    // and the loop ends.
    const int columns = std::max(metrics.columns, 1);
    size_t pieceLength = 0;
    // The pieces are taken from the front by offset: erasing each from the
    // text would make a long text's printing quadratic.
    size_t from = 0;
    auto piecesAfter = [&](size_t start, size_t length) {
        const size_t rest = text.size() - start - length;
        return (rest + static_cast<size_t>(columns) - 1) / static_cast<size_t>(columns);
    };
    auto room = [&] { return static_cast<size_t>(std::max(columns - state.textColumn, 0)); };
    for (;;) {
        if (RowPassesBottom(state, metrics)) {
            // From the top of a screen a whole row of room.
            const size_t length = std::min(static_cast<size_t>(columns), text.size() - from);
            if (ClearedLater(0, metrics, piecesAfter(from, length)))
                state.textRow = state.textColumn = 0;
            else
                surface.ClearScreen();
        }
        // After an unwrapped print the cursor may stand past the last column.
        pieceLength = std::min(room(), text.size() - from);
        AnsiString piece = text.substr(from, pieceLength);
        if (!ClearedLater(state.textRow, metrics, piecesAfter(from, pieceLength)))
            surface.PaintPiece(state.textColumn, state.textRow, piece);
        if (state.printedText.size() > printedTextLimit) state.printedText.clear();
        appendPrinted(state, piece, surface);
        from += pieceLength;
        if (from == text.size()) break;
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
