#include "platform/KeyMap.h"
#include "runner/Console.h"
#include "runner/ScreenSizing.h"
#include "screen/InputCodes.h"
#include "screen/InputHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what printing does, in a compact text.
class RecordingSurface : public ConsoleSurface {
public:
    explicit RecordingSurface(ConsoleState& printed)
        : state(printed)
    { }
    std::vector<std::string> log;
    void ClearScreen() override
    {
        log.push_back("clear");
        state.textRow = state.textColumn = 0;
    }
    void PaintPiece(int column, int row, const AnsiString& piece) override
    {
        log.push_back(std::to_string(row) + "," + std::to_string(column) + ":" + piece);
    }
    void Printed(const AnsiString&) override { }

private:
    ConsoleState& state;
};

const ConsoleMetrics screen800x600 { 88, 17, 600 };

} // namespace

TEST(Console, WrapsAtTheRightEdge)
{
    ConsoleState state;
    RecordingSurface surface(state);
    AnsiString text(220, 'x'); // 2.5 x 88
    PrintConsoleText(state, screen800x600, text, NewLine::No, surface);
    ASSERT_EQ(surface.log.size(), 3u);
    EXPECT_EQ(surface.log[2], "2,0:" + AnsiString(44, 'x'));
    EXPECT_EQ(state.textRow, 2);
    EXPECT_EQ(state.textColumn, 44);
    EXPECT_EQ(state.printedText, AnsiString(88, 'x') + "\r\n" + AnsiString(88, 'x') + "\r\n" + AnsiString(44, 'x'));
}

TEST(Console, ExactWidthLeavesTheNextPrintToStartANewRow)
{
    ConsoleState state;
    RecordingSurface surface(state);
    PrintConsoleText(state, screen800x600, AnsiString(88, 'a'), NewLine::No, surface);
    EXPECT_EQ(state.textColumn, 88);
    PrintConsoleText(state, screen800x600, "b", NewLine::Yes, surface);
    EXPECT_EQ(surface.log.back(), "1,0:b");
    EXPECT_EQ(state.textRow, 2);
    EXPECT_EQ(state.textColumn, 0);
    EXPECT_EQ(state.printedText, AnsiString(88, 'a') + "\r\nb\r\n");
}

TEST(Console, ClearsOnlyWhenARowPastTheBottomIsPainted)
{
    ConsoleState state;
    RecordingSurface surface(state);
    state.textRow = 34;
    PrintConsoleText(state, screen800x600, "last", NewLine::Yes, surface);
    EXPECT_EQ(surface.log, (std::vector<std::string> { "34,0:last" }));
    EXPECT_EQ(state.textRow, 35);
    PrintConsoleText(state, screen800x600, "top", NewLine::No, surface);
    EXPECT_EQ(surface.log, (std::vector<std::string> { "34,0:last", "clear", "0,0:top" }));
}

TEST(Console, StandsPastTheLastColumnAfterAnUnwrappedPrint)
{
    ConsoleState state;
    RecordingSurface surface(state);
    state.textColumn = 100;
    PrintConsoleText(state, ConsoleMetrics { 0, 17, 600 }, "ab", NewLine::No, surface);
    EXPECT_EQ(surface.log, (std::vector<std::string> { "0,100:", "1,0:a", "2,0:b" }));
}

TEST(Console, PrintedTextIsEmptiedPastItsLimit)
{
    ConsoleState state;
    RecordingSurface surface(state);
    state.printedText.assign(printedTextLimit, 'p');
    PrintConsoleText(state, screen800x600, "q", NewLine::No, surface);
    EXPECT_EQ(state.printedText.size(), printedTextLimit + 1);
    PrintConsoleText(state, screen800x600, "r", NewLine::No, surface);
    EXPECT_EQ(state.printedText, "r");
}

TEST(InputHistory, BrowsesRoundThirtyEntries)
{
    InputHistory history;
    EXPECT_EQ(history.Previous(), ""); // a fresh history shows entry 29
    EXPECT_EQ(history.browse(), 29);
    EXPECT_EQ(history.Next(), "");
    EXPECT_EQ(history.browse(), 0);

    for (int k = 0; k < 31; ++k)
        history.Store("line" + std::to_string(k));
    // The 31st input took slot 0 again.
    EXPECT_EQ(history.Entry(0), "line30");
    EXPECT_EQ(history.insert(), 1);
    EXPECT_EQ(history.Previous(), "line30");
    EXPECT_EQ(history.Previous(), "line29");
    EXPECT_EQ(history.Next(), "line30");
    EXPECT_EQ(history.Next(), "line1");
}

TEST(InputCodes, KeyCodesCarryTheShiftState)
{
    using namespace platform::ShiftBits;
    EXPECT_EQ(KeyCodeOf(65, Ctrl), 4065);
    EXPECT_EQ(KeyCodeOf(65, Ctrl | Shift), 5065);
    EXPECT_EQ(KeyCodeOf(65, Alt | Left | Double), 2065);
    EXPECT_EQ(KeyCharOf(0xE9), -23);
    EXPECT_EQ(KeyCharOf('a'), 97);
    EXPECT_EQ(TypedByteOf('N', Ctrl, "", 0), 14);
    EXPECT_EQ(TypedByteOf('P', Ctrl, "p", 1), 16);
    EXPECT_EQ(TypedByteOf('A', 0, "\xe9", 1), 0xE9);
    EXPECT_EQ(TypedByteOf(37, 0, "", 0), -1);
}

TEST(InputCodes, MouseCodes)
{
    using namespace platform::ShiftBits;
    struct Down {
        MouseButton button;
        int shift;
        int code;
    };
    const Down downs[] = { { MouseButton::Left, 0, 1 }, { MouseButton::Right, 0, 2 }, { MouseButton::Middle, 0, 3 },
        { MouseButton::Left, Shift, 11 }, { MouseButton::Left, Ctrl | Shift, 11 }, { MouseButton::Right, Ctrl, 22 },
        { MouseButton::Middle, Alt, 33 }, { MouseButton::Left, Double, 41 }, { MouseButton::Left, Alt | Double, 31 } };
    for (const Down& d : downs)
        EXPECT_EQ(MouseDownCode(d.button, d.shift), d.code) << d.shift;

    struct Move {
        int shift;
        bool trackingOff;
        int code;
    };
    const Move moves[] = { { Shift | Left, false, 10 }, { Ctrl | Right, false, 20 }, { Alt, false, 30 },
        { Double | Right, false, 40 }, { Right | Left, false, 2 }, { Left | Middle, false, 1 }, { Middle, false, 3 },
        { 0, false, 0 }, { Shift | Left, true, 0 } };
    for (const Move& m : moves)
        EXPECT_EQ(MouseMoveCode(m.shift, m.trackingOff), m.code) << m.shift;
}

TEST(ScreenSizing, FollowsTheDesktop)
{
    ScreenGeometry big = FirstActivationGeometry(1024, 768, 32);
    EXPECT_EQ(big.imageWidth, 800);
    EXPECT_EQ(big.imageHeight, 600);
    EXPECT_EQ(big.width, 828);
    EXPECT_EQ(big.left, 98);
    EXPECT_EQ(big.top, 68);

    ScreenGeometry small = FirstActivationGeometry(800, 600, 32);
    EXPECT_EQ(small.clientHeight, 570 - 32);
    EXPECT_EQ(small.width, 792);
    EXPECT_EQ(small.imageWidth, 764);
    EXPECT_EQ(small.imageHeight, 570 - 64);

    // The thresholds: 828 x 704 is still the full size, one pixel less is not.
    EXPECT_EQ(FirstActivationGeometry(828, 704, 32).imageHeight, 600);
    EXPECT_EQ(FirstActivationGeometry(827, 703, 32).width, 818);
    EXPECT_EQ(FirstActivationGeometry(827, 703, 32).clientHeight, 667 - 32);
}

// A text of many screens (a program may print one of hundreds of megabytes)
// is taken piece by piece from the front in one pass, and only what the last
// screen shows is painted: 64 MiB here ends on the row and column its length
// gives, with the last piece painted.
TEST(Console, AVeryLongTextIsPaintedInOnePass)
{
    class CountingSurface : public ConsoleSurface {
    public:
        explicit CountingSurface(ConsoleState& printed)
            : state(printed)
        { }
        size_t painted = 0;
        int clears = 0;
        AnsiString last;
        void ClearScreen() override
        {
            ++clears;
            state.textRow = state.textColumn = 0;
        }
        void PaintPiece(int, int, const AnsiString& piece) override
        {
            painted += piece.size();
            last = piece;
        }
        void Printed(const AnsiString&) override { }

    private:
        ConsoleState& state;
    };
    ConsoleState state;
    CountingSurface surface(state);
    const size_t length = size_t(64) << 20;
    AnsiString text(length, 'x');
    text.back() = 'y';
    PrintConsoleText(state, screen800x600, text, NewLine::No, surface);
    EXPECT_LE(surface.painted, size_t(35 * 88));
    EXPECT_EQ(surface.clears, 1);
    EXPECT_EQ(surface.last.back(), 'y');
    const size_t rows = (length - 1) / 88; // rows completed before the last piece
    EXPECT_EQ(state.textRow, static_cast<int>(rows % 35));
    EXPECT_EQ(state.textColumn, static_cast<int>(length - rows * 88));
}

// Rows that a later row of the same text clears away are not painted, and the
// one clear that shows comes before the last screen: the screen ends as when
// every row was painted and cleared in turn.
TEST(Console, RowsClearedByTheSameTextAreNotPainted)
{
    const ConsoleMetrics tiny { 10, 1, 3 }; // three rows of ten
    ConsoleState state;
    RecordingSurface surface(state);
    PrintConsoleText(state, tiny, AnsiString(45, 'x'), NewLine::No, surface);
    EXPECT_EQ(surface.log, (std::vector<std::string> { "clear", "0,0:" + AnsiString(10, 'x'), "1,0:xxxxx" }));
    EXPECT_EQ(state.textRow, 1);
    EXPECT_EQ(state.textColumn, 5);
    // A text that ends on its first screen paints every row.
    ConsoleState fresh;
    RecordingSurface all(fresh);
    PrintConsoleText(fresh, tiny, AnsiString(25, 'x'), NewLine::No, all);
    EXPECT_EQ(all.log.size(), 3u);
}
