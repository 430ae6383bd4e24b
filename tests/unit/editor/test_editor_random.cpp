#include "ide/editor/EditorCore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {
struct Model : EditorCore {
    // Twelve columns: most lines of the start texts are wider, so word wrap cuts them.
    Model() { SetMetrics(1, 1, 5, 12); }
};

// The text as the user wrote it: display lines of one logical line joined again.
AnsiString LogicalText(const TqzText& lines)
{
    // Without wrap the logical numbers are not kept up to date: every stored line stands alone.
    if (lines.MaxWidth() < 0) return lines.GetText();
    AnsiString text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0 && lines.GetTrueLineIndex(i) != lines.GetTrueLineIndex(i - 1)) text += "\r\n";
        text += lines[i];
    }
    return text;
}

const AnsiString StartTexts[] = {
    "alpha beta\r\n\tgamma\r\n\r\n  delta (x) 'q\r\nend",
    "if a then print \"a long line that wraps\" else goto far_away_label\r\n"
    "\r\n    indented words run on past the window edge\r\nxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r\nz",
    "",
};

struct Storm {
    unsigned seed = 0;
    bool wrap = false;
    int steps = 0;
};

// A fixed-seed storm of keys, characters, block operations, drops and undos in
// every selection mode. Nothing may throw or leave the caret outside the text;
// every undo gives back the text from before the step it undoes, and undoing
// everything gives back the start text. Returns what went wrong, or nothing.
std::string RunStorm(const Storm& storm)
{
    static const int Keys[] = { Vk::Left, Vk::Right, Vk::Up, Vk::Down, Vk::Home, Vk::End, Vk::Prior, Vk::Next,
        Vk::Delete, Vk::Tab, Vk::Insert, Vk::KeyY, Vk::Digit0 + 2, Vk::KeyA, Vk::KeyZ };
    static const int Shifts[]
        = { 0, ShiftState::Shift, ShiftState::Alt, ShiftState::Ctrl, ShiftState::Ctrl | ShiftState::Shift };
    static const char Chars[] = { 'a', ' ', '\b', '\r', '\t', '\x01', '(', '\xE9' };
    static const AnsiString Inserts[] = { "", "x\r\ny", "a long inserted piece of text", "\r\n", "p\r\n\r\nq r s t" };
    std::mt19937 rng(storm.seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    Model ed;
    ed.SetUndoLimit(100000);
    ed.SetText(StartTexts[storm.seed % std::size(StartTexts)]);
    ed.SetWordWrap(storm.wrap);
    ed.EnterSmart = storm.seed % 2 == 1;
    ed.TabBehavior = storm.seed % 2 ? tbSmart : tbFixed;
    const AnsiString original = LogicalText(ed.Lines());
    // The text before each undo step still on the list.
    std::vector<AnsiString> before;
    std::string trace;
    for (int step = 0; step < storm.steps; ++step) {
        const AnsiString was = LogicalText(ed.Lines());
        const int steps = ed.UndoList().StepCount();
        ed.SelType = static_cast<TSelType>(pick(4));
        const int action = pick(11);
        std::string did;
        switch (action) {
        case 0:
        case 1:
        case 2: {
            int key = Keys[pick(std::size(Keys))];
            const int shift = Shifts[pick(std::size(Shifts))];
            did = "key " + std::to_string(key) + " shift " + std::to_string(shift);
            if (!ed.KeyPreview(key, shift)) ed.KeyDown(key, shift);
            break;
        }
        case 3:
        case 4:
            did = std::string("press ") + std::to_string(static_cast<unsigned char>(Chars[pick(std::size(Chars))]));
            ed.KeyPress(static_cast<char>(std::stoi(did.substr(6))));
            break;
        case 5:
            ed.SetBlockBegin({ pick(30) - 2, pick(12) - 2 });
            ed.SetBlockEnd({ pick(30), pick(12) });
            did = "block";
            break;
        case 6:
            did = "drop";
            ed.DropBlock({ pick(30), pick(10) });
            break;
        case 7:
            did = pick(2) ? "cut" : "paste";
            if (did == "cut")
                ed.CutToClipboard();
            else
                ed.PasteFromClipboard();
            break;
        case 8:
            did = "seltext";
            ed.SetSelText(Inserts[pick(std::size(Inserts))]);
            break;
        case 9:
            // The caret past the line end or the last line, as a mouse click leaves it.
            did = "caret";
            ed.SetBlockBegin({ pick(40), pick(14) });
            break;
        case 10:
            did = "undo";
            ed.Undo();
            break;
        }
        did += " sel " + std::to_string(static_cast<int>(ed.SelType)) + " -> caret " + std::to_string(ed.CaretX()) + ","
            + std::to_string(ed.CaretY()) + " block " + std::to_string(ed.BlockBegin().x) + ","
            + std::to_string(ed.BlockBegin().y) + "-" + std::to_string(ed.BlockEnd().x) + ","
            + std::to_string(ed.BlockEnd().y) + "\n";
        trace += did;
        const AnsiString now = LogicalText(ed.Lines());
        const int count = ed.UndoList().StepCount();
        const std::string where = "seed " + std::to_string(storm.seed) + " step " + std::to_string(step);
        if (ed.CaretX() < 0 || ed.CaretY() < 0 || ed.CaretY() > std::max(0, ed.Lines().Count()))
            return where + ": caret (" + std::to_string(ed.CaretX()) + ", " + std::to_string(ed.CaretY())
                + ") outside the text of " + std::to_string(ed.Lines().Count()) + " lines after " + did;
        if (count == steps + 1) {
            before.push_back(was);
        } else if (count == steps - 1) {
            if (before.empty()) return where + ": undo of a step never recorded";
            if (now != before.back())
                return where + ": undo gave \"" + now + "\" instead of \"" + before.back() + "\" after\n" + trace;
            before.pop_back();
        } else if (count != steps) {
            return where + ": undo steps went from " + std::to_string(steps) + " to " + std::to_string(count);
        } else if (now != was) {
            return where + ": a change without an undo step";
        }
    }
    if (ed.UndoList().BlockDepth() != 0) return "an undo block left open";
    while (ed.UndoList().StepCount() > 0)
        ed.Undo();
    if (LogicalText(ed.Lines()) != original) return "undoing everything did not give back the start text";
    if (ed.CaretY() > std::max(0, ed.Lines().Count() - (ed.WordWrap() ? 0 : 1)))
        return "caret past the last line after undoing everything";
    ed.SetWordWrap(!storm.wrap);
    if (LogicalText(ed.Lines()) != original) return "switching word wrap changed the text";
    return {};
}

// QV_EDITOR_STORM_ROUNDS sets the number of rounds for a long run; the default keeps the sanitizer build quick.
int StormRounds()
{
    const char* rounds = std::getenv("QV_EDITOR_STORM_ROUNDS");
    return rounds ? std::max(1, std::atoi(rounds)) : 12;
}
} // namespace

TEST(EditorStorm, RandomEditingNeverFailsAndUndoesStepByStep)
{
    const int rounds = StormRounds();
    for (int round = 0; round < rounds; ++round) {
        // Two rounds in three with word wrap on: wrapped display lines are where undo went wrong.
        const Storm storm { 1234u + static_cast<unsigned>(round), round % 3 != 2, 1500 };
        const std::string failure = RunStorm(storm);
        ASSERT_EQ(failure, "") << "wrap " << storm.wrap;
    }
}

// Word wrap cuts the inserted text, so an undo that counted its lines as the text's own missed some.
TEST(EditorWrapUndo, InsertionIntoAnEmptyTextUndoesCompletely)
{
    struct Case {
        TqzPoint caret;
        AnsiString inserted;
    };
    const Case cases[] = { { { 3, 0 }, "x\r\ny" }, { { 20, 2 }, "x\r\ny" }, { { 0, 0 }, "a long inserted line\r\nz" } };
    for (const Case& c : cases) {
        Model ed;
        ed.SetWordWrap(true);
        ed.SetBlockBegin(c.caret);
        ed.SetSelText(c.inserted);
        EXPECT_LE(ed.CaretY(), ed.Lines().Count());
        while (ed.UndoList().StepCount() > 0)
            ed.Undo();
        EXPECT_EQ(LogicalText(ed.Lines()), "") << c.inserted;
        EXPECT_EQ(ed.CaretY(), 0);
    }
}

TEST(EditorWrapUndo, CaretKeepsItsPlaceWhenAnEditRewrapsTheLine)
{
    Model ed;
    ed.SetText("one two three four five six");
    ed.SetWordWrap(true);
    ed.SetBlockBegin({ 0, 1 });
    ed.SetSelText("a long inserted piece\r\nnext ");
    // The caret stands right after the inserted text, on the line it ended.
    const TqzPoint caret { ed.CaretX(), ed.CaretY() };
    ASSERT_LT(caret.y, ed.Lines().Count());
    EXPECT_EQ(ed.Lines()[caret.y]
                  .substr(0, static_cast<size_t>(caret.x))
                  .substr(static_cast<size_t>(std::max(0, caret.x - 5))),
        "next ");
    ed.Undo();
    EXPECT_EQ(LogicalText(ed.Lines()), "one two three four five six");
}
