#include "ide/EditCommands.h"
#include "ide/editor/EditorCore.h"

#include <gtest/gtest.h>

namespace {

void Load(EditorCore& ed, const AnsiString& text)
{
    ed.SetText(text);
    ed.UndoList().Clear();
}

AnsiString Text(const EditorCore& ed)
{
    return ed.Lines().GetText();
}

void Select(EditorCore& ed, TqzPoint from, TqzPoint to)
{
    ed.SetBlockBegin(from);
    ed.SetBlockEnd(to);
}

} // namespace

TEST(EditCommands, IndentAndUnindentBlock)
{
    EditorCore ed;
    Load(ed, "a\r\n b\r\n  c\r\nd\r\ne\r\nf");
    // From line 2 to column 0 of line 5 (1-based): lines 2 to 4.
    Select(ed, { 0, 1 }, { 0, 4 });
    EditCommands::IndentBlock(ed);
    EXPECT_EQ(Text(ed), "a\r\n  b\r\n   c\r\n d\r\ne\r\nf");
    EditCommands::UnindentBlock(ed);
    EditCommands::UnindentBlock(ed);
    // Only lines that begin with a space lose one.
    EXPECT_EQ(Text(ed), "a\r\nb\r\n c\r\nd\r\ne\r\nf");
    // Each command is one undo step.
    ed.Undo();
    EXPECT_EQ(Text(ed), "a\r\n b\r\n  c\r\nd\r\ne\r\nf");
    ed.Undo();
    ed.Undo();
    EXPECT_EQ(Text(ed), "a\r\n b\r\n  c\r\nd\r\ne\r\nf");
    // No selection: nothing.
    ed.SetBlockBegin({ 0, 0 });
    EditCommands::IndentBlock(ed);
    EXPECT_EQ(ed.Lines()[0], "a");
}

TEST(EditCommands, EnterAndTab)
{
    EditorCore ed;
    Load(ed, "    if x then\r\nend");
    ed.SetBlockBegin({ 6, 0 });
    EXPECT_TRUE(EditCommands::EnterWithAutoIndent(ed, true));
    EXPECT_EQ(Text(ed), "    if\r\n     x then\r\nend");
    EXPECT_EQ(ed.CaretX(), 4);
    EXPECT_EQ(ed.CaretY(), 1);
    ed.Undo();
    EXPECT_EQ(Text(ed), "    if x then\r\nend");

    ed.SetBlockBegin({ 6, 0 });
    EditCommands::EnterWithAutoIndent(ed, false);
    EXPECT_EQ(Text(ed), "    if\r\n x then\r\nend");
    EXPECT_EQ(ed.CaretX(), 0);

    // A selection is replaced by the line break.
    Load(ed, "abcdef");
    Select(ed, { 1, 0 }, { 4, 0 });
    EditCommands::EnterWithAutoIndent(ed, true);
    EXPECT_EQ(Text(ed), "a\r\nef");
    ed.Undo();
    EXPECT_EQ(Text(ed), "abcdef");

    // An empty editor leaves Enter to the editor.
    Load(ed, "");
    EXPECT_FALSE(EditCommands::EnterWithAutoIndent(ed, true));

    ed.SetTabScale(4);
    EXPECT_TRUE(EditCommands::TabInEmptyText(ed));
    EXPECT_EQ(Text(ed), "    ");
    EXPECT_EQ(ed.CaretX(), 4);
    EXPECT_FALSE(EditCommands::TabInEmptyText(ed));
    ed.Undo();
    EXPECT_EQ(Text(ed), "");
}

TEST(EditCommands, FindAndReplace)
{
    struct Case {
        const char* name;
        const char* text;
        TqzPoint selFrom, selTo;
        const char* what;
        const char* with;
        bool matchCase;
        EditCommands::ReplaceMode mode;
        const char* expected;
        int replaced;
    };
    using M = EditCommands::ReplaceMode;
    const Case cases[] = {
        { "no selection finds first", "cat dog cat", { 0, 0 }, { 0, 0 }, "cat", "x", false, M::Once, "cat dog cat", 0 },
        { "matching selection replaced", "cat dog cat", { 0, 0 }, { 3, 0 }, "cat", "x", false, M::Once, "x dog cat",
            1 },
        { "other selection finds", "cat dog cat", { 4, 0 }, { 7, 0 }, "cat", "x", false, M::Once, "cat dog cat", 0 },
        { "case differs", "Cat cat", { 0, 0 }, { 3, 0 }, "cat", "x", true, M::Once, "Cat cat", 0 },
        { "all ignoring case", "Cat cAt\r\ncat", { 0, 0 }, { 0, 0 }, "cat", "dog", false, M::All, "dog dog\r\ndog", 3 },
        { "all, match case", "Cat cat", { 0, 0 }, { 0, 0 }, "cat", "x", true, M::All, "Cat x", 1 },
        { "replacement holds the text", "aa", { 0, 0 }, { 0, 0 }, "a", "aXa", false, M::All, "aXaaXa", 2 },
        { "all from the caret on", "a a a", { 2, 0 }, { 2, 0 }, "a", "b", false, M::All, "a b b", 2 },
        { "empty find text", "abc", { 0, 0 }, { 1, 0 }, "", "x", false, M::All, "abc", 0 },
    };
    for (const Case& c : cases) {
        EditorCore ed;
        Load(ed, c.text);
        Select(ed, c.selFrom, c.selTo);
        EXPECT_EQ(EditCommands::ReplaceNext(ed, c.what, c.with, c.matchCase, c.mode), c.replaced) << c.name;
        EXPECT_EQ(Text(ed), c.expected) << c.name;
        if (c.replaced) {
            ed.Undo();
            EXPECT_EQ(Text(ed), c.text) << c.name << ": one undo step";
        }
    }

    EditorCore ed;
    Load(ed, "one two\r\nTWO");
    EXPECT_TRUE(EditCommands::FindInEditor(ed, "two", false));
    EXPECT_EQ(ed.SelStart(), 4);
    EXPECT_EQ(ed.SelLength(), 3);
    EXPECT_TRUE(EditCommands::FindInEditor(ed, "two", false));
    EXPECT_EQ(ed.SelStart(), 9);
    // No further hit: the selection stays.
    EXPECT_FALSE(EditCommands::FindInEditor(ed, "two", false));
    EXPECT_EQ(ed.SelStart(), 9);
    EXPECT_EQ(ed.SelLength(), 3);
    ed.SetBlockBegin({ 0, 0 });
    EXPECT_FALSE(EditCommands::FindInEditor(ed, "TWO ", true));
}

TEST(EditCommands, SelectRangeMergeAndFileText)
{
    EditorCore ed;
    Load(ed, "first\r\nx = 1 +\r\nlast");
    EditCommands::SelectEditorRange(ed, 2, 1, 5);
    EXPECT_EQ(ed.SelText(), "x = 1");
    EditCommands::SelectEditorRange(ed, 0, 0, 0);
    EXPECT_EQ(ed.CaretY(), 0);
    EXPECT_EQ(ed.CaretX(), 0);

    EditCommands::MergeToEnd(ed, "m1\r\nm2\r\n");
    EXPECT_EQ(Text(ed), "first\r\nx = 1 +\r\nlast\r\nm1\r\nm2");
    ed.Undo();
    EXPECT_EQ(Text(ed), "first\r\nx = 1 +\r\nlast");

    ed.SetBlockBegin({ 0, 1 });
    EditCommands::MergeAtCursor(ed, "a\nb\n");
    EXPECT_EQ(Text(ed), "first\r\na\r\nb\r\nx = 1 +\r\nlast");
    EXPECT_EQ(ed.SelText(), "a\r\nb");
    ed.Undo();
    EXPECT_EQ(Text(ed), "first\r\nx = 1 +\r\nlast");
    EXPECT_EQ(EditCommands::FileText(ed), "first\r\nx = 1 +\r\nlast\r\n");
}
