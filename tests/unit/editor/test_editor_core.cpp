#include "ide/editor/EditorCore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Lines = std::vector<AnsiString>;

Lines LinesOf(const EditorCore& ed)
{
    Lines r;
    for (int i = 0; i < ed.Lines().Count(); ++i)
        r.push_back(ed.Lines()[i]);
    return r;
}

AnsiString Join(const Lines& lines)
{
    AnsiString r;
    for (size_t k = 0; k < lines.size(); ++k)
        r += (k ? "\r\n" : "") + lines[k];
    return r;
}

// One key as the widget delivers it: the preview, then key down, then the
// character when neither took the key.
void Press(EditorCore& ed, int vk, int shift = 0, char ch = 0)
{
    int key = vk;
    bool handled = ed.KeyPreview(key, shift);
    if (!handled) ed.KeyDown(key, shift);
    if (!handled && ch && !ed.EditActionHandled()) ed.KeyPress(ch);
}

void Type(EditorCore& ed, const AnsiString& s)
{
    for (char c : s)
        Press(ed, (c >= 'a' && c <= 'z') ? c - 32 : 0, 0, c);
}

struct Step {
    int vk;
    int shift;
    char ch;
};

constexpr int S = ShiftState::Shift;
constexpr int C = ShiftState::Ctrl;
constexpr int A = ShiftState::Alt;

class EditorCoreTest : public ::testing::Test {
protected:
    void Load(const Lines& lines, TqzPoint caret)
    {
        ed.SetText(Join(lines));
        ed.UndoList().Clear();
        ed.SetBlockBegin(caret);
    }
    EditorCore ed;
};

} // namespace

TEST_F(EditorCoreTest, KeyEditingAndItsUndo)
{
    struct Case {
        const char* name;
        Lines before;
        TqzPoint caret;
        std::vector<Step> steps;
        Lines after;
        TqzPoint caretAfter;
        bool enterSmart = false;
        TTabBehavior tab = tbExit;
        bool overwrite = false;
    } cases[] = {
        { "delete joins at the end", { "abc", "def" }, { 3, 0 }, { { Vk::Delete, 0, 0 } }, { "abc def" }, { 3, 0 } },
        { "delete a character", { "abc" }, { 1, 0 }, { { Vk::Delete, 0, 0 } }, { "ac" }, { 1, 0 } },
        { "delete on the last line end", { "abc" }, { 3, 0 }, { { Vk::Delete, 0, 0 } }, { "abc" }, { 3, 0 } },
        { "smart enter", { "    if x", "next" }, { 6, 0 }, { { Vk::Return, 0, '\r' } }, { "    if", "     x", "next" },
            { 4, 1 }, true },
        { "smart enter on the last line stays at 0", { "    if x" }, { 8, 0 }, { { Vk::Return, 0, '\r' } },
            { "    if x", "" }, { 0, 1 }, true },
        { "plain enter splits", { "abcd" }, { 2, 0 }, { { Vk::Return, 0, '\r' } }, { "ab", "cd" }, { 0, 1 } },
        { "enter on an empty text", {}, { 0, 0 }, { { Vk::Return, 0, '\r' } }, { "", "" }, { 0, 1 } },
        { "fixed tab inside the text", { "abcdefg" }, { 5, 0 }, { { Vk::Tab, 0, 0 } }, { "abcde   fg" }, { 8, 0 },
            false, tbFixed },
        { "fixed tab past the end only moves", { "abc" }, { 5, 0 }, { { Vk::Tab, 0, 0 } }, { "abc" }, { 8, 0 }, false,
            tbFixed },
        { "smart tab to the next word above", { "  foo   bar", "x" }, { 0, 1 }, { { Vk::Tab, 0, 0 } },
            { "  foo   bar", "  x" }, { 2, 1 }, false, tbSmart },
        { "smart tab from inside a word", { "  foo   bar", "xyzab" }, { 3, 1 }, { { Vk::Tab, 0, 0 } },
            { "  foo   bar", "xyz     ab" }, { 8, 1 }, false, tbSmart },
        { "backspace joins lines", { "ab", "cd" }, { 0, 1 }, { { Vk::Back, 0, '\b' } }, { "abcd" }, { 2, 0 } },
        { "backspace deletes", { "abcd" }, { 2, 0 }, { { Vk::Back, 0, '\b' } }, { "acd" }, { 1, 0 } },
        { "backspace past the end moves", { "ab" }, { 5, 0 }, { { Vk::Back, 0, '\b' } }, { "ab" }, { 4, 0 } },
        { "backspace at the start does nothing", { "ab" }, { 0, 0 }, { { Vk::Back, 0, '\b' } }, { "ab" }, { 0, 0 } },
        { "typing inserts", { "ac" }, { 1, 0 }, { { 'B', 0, 'b' } }, { "abc" }, { 2, 0 } },
        { "typing past the end pads", { "ab" }, { 4, 0 }, { { 'X', 0, 'x' } }, { "ab  x" }, { 5, 0 } },
        { "typing on an empty text", {}, { 0, 0 }, { { 'Q', 0, 'q' } }, { "q" }, { 1, 0 } },
        { "overwrite replaces", { "abc" }, { 1, 0 }, { { 'X', 0, 'x' }, { 'Y', 0, 'y' }, { 'Z', 0, 'z' } }, { "axyz" },
            { 4, 0 }, false, tbExit, true },
        { "control characters are left out", { "ab" }, { 1, 0 },
            { { 0, 0, '\x01' }, { Vk::Escape, 0, '\x1b' }, { 0, 0, '\n' }, { 0, 0, '\x7f' } }, { "ab" }, { 1, 0 } },
        { "ctrl+y deletes the line", { "a", "b", "c" }, { 0, 1 }, { { Vk::KeyY, C, '\x19' } }, { "a", "c" }, { 0, 1 } },
        { "ctrl digits are no text", { "ab" }, { 0, 0 }, { { Vk::Digit0 + 3, C, '3' } }, { "ab" }, { 0, 0 } },
        { "shift+arrows then typing replaces", { "hello world" }, { 0, 0 },
            { { Vk::Right, S, 0 }, { Vk::Right, S, 0 }, { 'J', 0, 'j' } }, { "jllo world" }, { 1, 0 } },
        { "ctrl+right then type", { "foo bar" }, { 0, 0 }, { { Vk::Right, C, 0 }, { 'X', 0, 'x' } }, { "foo xbar" },
            { 5, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ed.EnterSmart = c.enterSmart;
        ed.TabBehavior = c.tab;
        ed.SetTabScale(4);
        ed.SetInsertMode(!c.overwrite);
        Load(c.before, c.caret);
        for (const Step& s : c.steps)
            Press(ed, s.vk, s.shift, s.ch);
        EXPECT_EQ(LinesOf(ed), c.after);
        EXPECT_EQ((TqzPoint { ed.CaretX(), ed.CaretY() }), c.caretAfter);
        // Every edit goes back in one undo per typed key, to the text it started from.
        while (ed.UndoList().StepCount() > 0)
            ed.Undo();
        EXPECT_EQ(LinesOf(ed), c.before);
    }
}

TEST_F(EditorCoreTest, NavigationKeys)
{
    Load({ "first line", "ab", "third", "end" }, { 4, 0 });
    struct Case {
        Step step;
        TqzPoint caret;
    } cases[] = {
        { { Vk::Down, 0, 0 }, { 4, 1 } }, // the caret may stand past a line end
        { { Vk::End, 0, 0 }, { 2, 1 } },
        { { Vk::Home, 0, 0 }, { 0, 1 } },
        { { Vk::End, C, 0 }, { 3, 3 } },
        { { Vk::Home, C, 0 }, { 0, 0 } },
        { { Vk::Left, 0, 0 }, { 0, 0 } },
        { { Vk::Up, 0, 0 }, { 0, 0 } },
        { { Vk::Next, 0, 0 }, { 0, 1 } }, // one visible line per page without a widget
        { { Vk::Right, C, 0 }, { 2, 1 } },
        { { Vk::Right, C, 0 }, { 0, 2 } },
    };
    for (const Case& c : cases) {
        Press(ed, c.step.vk, c.step.shift);
        EXPECT_EQ((TqzPoint { ed.CaretX(), ed.CaretY() }), c.caret) << c.step.vk;
    }
    Press(ed, Vk::Insert);
    EXPECT_FALSE(ed.InsertMode());
}

TEST_F(EditorCoreTest, SelectionModes)
{
    const Lines lines { "line0", "line1", "0123456789", "abcdefghij", "ABCDEFGHIJ" };
    struct Case {
        TSelType mode;
        AnsiString text;
        int start;
        Lines cleared;
    } cases[] = {
        { stSimple, "3456789\r\nabcdefghij\r\nABCDE", 17, { "line0", "line1", "012FGHIJ" } },
        { stEOL, "3456789\r\nabcdefghij\r\nABCDE", 17, { "line0", "line1", "012FGHIJ" } },
        { stVertical, "34\r\nde\r\nDE", 17, { "line0", "line1", "01256789", "abcfghij", "ABCFGHIJ" } },
        { stLine, "0123456789\r\nabcdefghij\r\nABCDEFGHIJ", 14, { "line0", "line1", "" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ed.SelType = c.mode;
        Load(lines, { 3, 2 });
        ed.SetBlockEnd({ 5, 4 });
        EXPECT_EQ(ed.SelText(), c.text);
        EXPECT_EQ(ed.SelStart(), c.start);
        if (c.mode != stVertical) {
            EXPECT_EQ(ed.SelLength(), static_cast<int>(c.text.size()));
        }
        ed.ClearBlock(true);
        EXPECT_EQ(LinesOf(ed), c.cleared);
        EXPECT_FALSE(ed.BlockNotEmpty());
        ed.Undo();
        EXPECT_EQ(LinesOf(ed), lines);
        // Undo brings the block back, as a column or as a stream.
        if (c.mode != stLine) {
            EXPECT_EQ(ed.SelText(), c.text);
        }
    }
    ed.SelType = stSimple;
}

TEST_F(EditorCoreTest, AltWithArrowsSelectsAColumn)
{
    Load({ "abcd", "efgh" }, { 1, 0 });
    Press(ed, Vk::Right, A);
    Press(ed, Vk::Down, A);
    EXPECT_EQ(ed.SelTypeInUse(), stVertical);
    EXPECT_EQ(ed.SelText(), "b\r\nf");
    Press(ed, Vk::Right, S);
    EXPECT_EQ(ed.SelTypeInUse(), stSimple);
}

TEST_F(EditorCoreTest, ClipboardColumnAndStreamPaste)
{
    Load({ "abcd", "efgh", "ijkl" }, { 1, 0 });
    Press(ed, Vk::Right, A);
    Press(ed, Vk::Down, A);
    Press(ed, Vk::Insert, C); // copy
    ed.SetBlockBegin({ 4, 1 });
    Press(ed, Vk::Insert, S); // paste: the copied columns go in as a column
    EXPECT_EQ(LinesOf(ed), (Lines { "abcd", "efghb", "ijklf" }));
    ed.Undo();
    EXPECT_EQ(LinesOf(ed), (Lines { "abcd", "efgh", "ijkl" }));
    ed.SetText("abcd\r\nefgh\r\nijkl");
    ed.SetBlockBegin({ 0, 0 });
    ed.SetBlockEnd({ 2, 0 });
    ed.CutToClipboard();
    EXPECT_EQ(LinesOf(ed), (Lines { "cd", "efgh", "ijkl" }));
    ed.SetBlockBegin({ 6, 2 });
    ed.PasteFromClipboard();
    EXPECT_EQ(LinesOf(ed), (Lines { "cd", "efgh", "ijkl  ab" }));
    EXPECT_EQ((TqzPoint { ed.CaretX(), ed.CaretY() }), (TqzPoint { 8, 2 }));
}

TEST_F(EditorCoreTest, TextFromElsewherePastesAsAStream)
{
    struct Model : EditorCore {
        void Offer(const AnsiString& s) { SetClipboardText(s); }
    } m;
    m.SetText("abcd\r\nefgh");
    m.SetBlockBegin({ 1, 0 });
    m.SetBlockEnd({ 2, 1 });
    m.SelType = stSimple;
    int key = Vk::Right;
    m.KeyPreview(key, A); // a column block
    m.CopyToClipboard();
    m.Offer("X\r\nY\r\n"); // another program's text
    m.SetBlockBegin({ 1, 0 });
    m.PasteFromClipboard();
    EXPECT_EQ(LinesOf(m), (Lines { "aX", "Y", "bcd", "efgh" }));
    m.Undo();
    EXPECT_EQ(LinesOf(m), (Lines { "abcd", "efgh" }));
}

TEST_F(EditorCoreTest, DragAndDropUndoesInOneStep)
{
    const Lines lines { "one two three", "four" };
    Load(lines, { 4, 0 });
    ed.SetBlockEnd({ 8, 0 }); // "two "
    ed.DropBlock({ 2, 1 });
    EXPECT_EQ(LinesOf(ed), (Lines { "one three", "fotwo ur" }));
    EXPECT_EQ(ed.UndoList().StepCount(), 1);
    ed.Undo();
    EXPECT_EQ(LinesOf(ed), lines);
    // A drop behind the block on its own line lands where the user pointed.
    ed.SetBlockBegin({ 0, 0 });
    ed.SetBlockEnd({ 4, 0 }); // "one "
    ed.DropBlock({ 13, 0 });
    EXPECT_EQ(LinesOf(ed), (Lines { "two threeone ", "four" }));
    // A drop on the selection only moves the caret.
    ed.SetBlockBegin({ 0, 1 });
    ed.SetBlockEnd({ 4, 1 });
    ed.DropBlock({ 2, 1 });
    EXPECT_EQ(LinesOf(ed), (Lines { "two threeone ", "four" }));
    EXPECT_FALSE(ed.BlockNotEmpty());
}

TEST_F(EditorCoreTest, UndoLimitKeepsLimitMinusOneSteps)
{
    ed.SetUndoLimit(3);
    Load({ "" }, { 0, 0 });
    Type(ed, "abcde");
    EXPECT_EQ(ed.UndoList().StepCount(), 2);
    EXPECT_EQ(ed.Perform(EditMessage::CanUndo, 0, 0), 2);
    ed.Undo();
    ed.Undo();
    ed.Undo(); // nothing left
    EXPECT_EQ(LinesOf(ed), (Lines { "abc" }));
    // The oldest-step removal takes a whole block.
    Load({ "x y" }, { 0, 0 });
    ed.SetBlockEnd({ 2, 0 });
    ed.DropBlock({ 3, 0 });
    Type(ed, "1");
    Type(ed, "2");
    EXPECT_EQ(ed.UndoList().StepCount(), 2);
    EXPECT_NE(ed.UndoList().Item(0).kind, undEndBlock);
    ed.SetUndoLimit(0);
    Type(ed, "3");
    EXPECT_EQ(ed.UndoList().Count(), 0);
    ed.SetUndoLimit(100);
}

TEST_F(EditorCoreTest, SelTextInsertBlockAndReadOnly)
{
    Load({ "abc", "def" }, { 1, 0 });
    ed.SetBlockEnd({ 2, 1 });
    ed.SetSelText("X\r\nY");
    EXPECT_EQ(LinesOf(ed), (Lines { "aX", "Yf" }));
    EXPECT_EQ(ed.UndoList().StepCount(), 1);
    ed.Undo();
    EXPECT_EQ(LinesOf(ed), (Lines { "abc", "def" }));
    ed.SetReadOnly(true);
    ed.SetBlockBegin({ 0, 0 });
    ed.SetBlockEnd({ 1, 0 });
    Type(ed, "zz");
    Press(ed, Vk::Delete);
    Press(ed, Vk::Return, 0, '\r');
    ed.SetSelText("q");
    ed.CutToClipboard();
    EXPECT_EQ(LinesOf(ed), (Lines { "abc", "def" }));
    ed.SetReadOnly(false);
}

TEST_F(EditorCoreTest, EditMessages)
{
    Load({ "abc", "de" }, { 0, 0 });
    EXPECT_EQ(ed.Perform(EditMessage::GetTextLength, 0, 0), 8);
    char buffer[5];
    EXPECT_EQ(ed.Perform(EditMessage::GetText, sizeof buffer, reinterpret_cast<intptr_t>(buffer)), 5);
    EXPECT_STREQ(buffer, "abc\r");
    char big[32];
    EXPECT_EQ(ed.Perform(EditMessage::GetText, sizeof big, reinterpret_cast<intptr_t>(big)), 8);
    EXPECT_STREQ(big, "abc\r\nde");
    ed.Perform(EditMessage::SetSel, 0, -1);
    EXPECT_EQ(ed.SelText(), "abc\r\nde");
    ed.Perform(EditMessage::SetSel, 4, 1);
    EXPECT_EQ(ed.SelStart(), 1);
    EXPECT_EQ(ed.SelText(), "bc");
    ed.Perform(EditMessage::Clear, 0, 0);
    EXPECT_EQ(LinesOf(ed), (Lines { "a", "de" }));
    EXPECT_EQ(ed.Perform(EditMessage::Undo, 0, 0), 1);
    EXPECT_EQ(LinesOf(ed), (Lines { "abc", "de" }));
    ed.Perform(EditMessage::EmptyUndoBuffer, 0, 0);
    EXPECT_EQ(ed.Perform(EditMessage::CanUndo, 0, 0), 0);
}

TEST_F(EditorCoreTest, EmptyTextIsSafeEverywhere)
{
    ed.SetText("");
    EXPECT_EQ(ed.SelStart(), 0);
    EXPECT_EQ(ed.SelText(), "");
    ed.SelectAll();
    ed.ClearBlock(true);
    for (int vk : { Vk::Left, Vk::Right, Vk::Up, Vk::Down, Vk::Home, Vk::End, Vk::Prior, Vk::Next, Vk::Delete })
        Press(ed, vk);
    Press(ed, Vk::End, C);
    Press(ed, Vk::KeyY, C);
    Press(ed, Vk::Back, 0, '\b');
    EXPECT_EQ(ed.CaretX(), 0);
    EXPECT_EQ(ed.CaretY(), 0);
    ed.SetTopLine(-5);
    EXPECT_EQ(ed.TopLine(), 0);
    ed.Undo();
    EXPECT_EQ(ed.Lines().Count(), 0);
}

TEST_F(EditorCoreTest, BookmarksAndMarkers)
{
    Load({ "a", "b", "c", "d" }, { 0, 2 });
    Press(ed, Vk::Digit0 + 4, C | S);
    EXPECT_EQ(ed.Bookmark(4), (TqzPoint { 0, 2 }));
    EXPECT_EQ(ed.BookmarkOnLine(2), 4);
    ed.SetBlockBegin({ 1, 0 });
    Press(ed, Vk::Digit0 + 4, C);
    EXPECT_EQ((TqzPoint { ed.CaretX(), ed.CaretY() }), (TqzPoint { 0, 2 }));
    Press(ed, Vk::Digit0 + 4, C | S); // toggling on its own line removes it
    EXPECT_EQ(ed.Bookmark(4), (TqzPoint { -1, -1 }));
    ed.BookmarkSet(10, 1, 1, false);
    ed.BookmarkSet(0, 1, 3, false);
    EXPECT_EQ(ed.BookmarkOnLine(3), 0);
    ed.BookmarkSet(0, 0, 0, true);
    EXPECT_EQ(ed.BookmarkOnLine(3), -1);

    TLineMarkers& markers = ed.LineMarkers();
    TLineMarker m = markers.GetMarkerByLine(1);
    EXPECT_EQ(m.frontColour, 0xFFFFFFu);
    EXPECT_EQ(m.backColour, 0x008000u);
    EXPECT_EQ(m.imageIndex, -1);
    EXPECT_TRUE(markers.IsMarked(1));
    m.hint = "stop";
    markers.SetMarkerByLine(1, m);
    markers.SetMarkerByLine(2, m); // no marker there: ignored
    EXPECT_EQ(markers.Count(), 1);
    EXPECT_EQ(markers.GetMarker(0)->hint, "stop");
    markers.Delete(-1);
    markers.SetMarker(7, m);
    markers.DeleteByLine(1);
    EXPECT_EQ(markers.Count(), 0);
}

TEST_F(EditorCoreTest, WordWrapCaretMovesOnToTheNextDisplayLine)
{
    struct Narrow : EditorCore {
        Narrow() { SetMetrics(1, 1, 10, 10); }
    } ed10;
    ed10.SetText("aaaa bbbb cccc");
    ed10.SetWordWrap(true);
    ASSERT_EQ(ed10.Lines().Count(), 2);
    ed10.SetBlockBegin({ 10, 0 });
    int key = Vk::Right;
    ed10.KeyPreview(key, 0);
    EXPECT_EQ((TqzPoint { ed10.CaretX(), ed10.CaretY() }), (TqzPoint { 0, 1 }));
    // Typing re-wraps the logical line; undo gives back the same display lines.
    ed10.SetBlockBegin({ 2, 0 });
    for (char c : AnsiString("xyzw"))
        ed10.KeyPress(c);
    EXPECT_EQ(ed10.Lines().GetText(), "aaxyzwaa \r\nbbbb cccc");
    for (int k = 0; k < 4; ++k)
        ed10.Undo();
    EXPECT_EQ(ed10.Lines().GetText(), "aaaa bbbb \r\ncccc");
}

TEST_F(EditorCoreTest, ScrollingLimits)
{
    Load({ "1", "2", "3", "4" }, { 0, 0 });
    ed.SetTopLine(-5);
    EXPECT_EQ(ed.TopLine(), 0);
    ed.SetTopLine(99);
    EXPECT_EQ(ed.TopLine(), 3);
    ed.MouseWheel(120);
    EXPECT_EQ(ed.TopLine(), 2);
    ed.MouseWheelSpeed = mwsFastes;
    ed.MouseWheel(120);
    EXPECT_EQ(ed.TopLine(), 0);
    ed.MouseWheel(-120);
    EXPECT_EQ(ed.TopLine(), 3);
    ed.MouseWheelSpeed = mwsNormal;
}
