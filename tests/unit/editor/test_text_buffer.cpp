#include "ide/editor/QzText.h"
#include "ide/editor/TextHelpers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

std::vector<AnsiString> LinesOf(const TqzText& t)
{
    std::vector<AnsiString> r;
    for (int i = 0; i < t.Count(); ++i)
        r.push_back(t[i]);
    return r;
}

std::vector<int> TrueLinesOf(const TqzText& t)
{
    std::vector<int> r;
    for (int i = 0; i < t.Count(); ++i)
        r.push_back(t.GetTrueLineIndex(i));
    return r;
}

struct Recorder {
    std::vector<AnsiString> calls;
    AnsiString name;
    int first = -2;
    int last = -2;
    bool content = false;
    static void Hit(void* self, void* sender)
    {
        auto* r = static_cast<Recorder*>(self);
        auto* t = static_cast<TqzText*>(sender);
        r->calls.push_back(r->name);
        r->first = t->UpdateFirst();
        r->last = t->UpdateLast();
        r->content = t->ContentChanged();
    }
};

} // namespace

TEST(TextHelpers, TabExpansion)
{
    struct Case {
        AnsiString s;
        int w;
        AnsiString expanded;
        int length;
    } cases[] = {
        // The expansion and the display length follow their own counting rules;
        // stored lines hold no tabs, so only the expansion meets real text.
        { "\tX", 8, "        X", 8 },
        { "abcdefg\tX", 8, "abcdefg         X", 16 },
        { "a\tb", 1, "a b", 3 },
        { "a\tb", 0, "a\tb", 0 },
        { "", 8, "", 0 },
        { "ab\t", 4, "ab  ", 3 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TabsToStr(c.s, c.w), c.expanded) << c.s << " w=" << c.w;
        EXPECT_EQ(TabsToStrLen(c.s, c.w), c.length) << c.s << " w=" << c.w;
    }
    EXPECT_EQ(StrToTab("a   b", 4), "a   b");
}

TEST(TextHelpers, SortedSetsAndLineCounting)
{
    const AnsiString set = GetSortedString("zb a\tq");
    EXPECT_EQ(set, "\t abqz");
    for (char c : AnsiString("\t abqz"))
        EXPECT_TRUE(IsCharInSortStr(c, set)) << c;
    for (char c : AnsiString("cy!~\x01"))
        EXPECT_FALSE(IsCharInSortStr(c, set)) << c;
    EXPECT_FALSE(IsCharInSortStr('a', ""));
    EXPECT_TRUE(IsCharInSortStr('\xE9', GetSortedString("a\xE9")));

    EXPECT_EQ(GetLinesCount("", 0), 0);
    EXPECT_EQ(GetLinesCount("a", 1), 1);
    EXPECT_EQ(GetLinesCount("a\r\nb\rc\nd", 9), 4);
    EXPECT_EQ(StrLenASM("abc"), 4);

    AnsiString s = "one\r\ntwo\rthree";
    AnsiString line;
    GetLineAndRemove(s, line);
    EXPECT_EQ(line, "one");
    EXPECT_EQ(s, "two\rthree");
    GetLineAndRemove(s, line);
    GetLineAndRemove(s, line);
    EXPECT_EQ(line, "three");
    EXPECT_EQ(s, "");

    AnsiString padded = "ab";
    SetLengthWithChar(padded, 4, '.');
    EXPECT_EQ(padded, "ab..");
    SetLengthWithChar(padded, 1, '.');
    EXPECT_EQ(padded, "ab..");
}

TEST(TextBuffer, EditsExpandTabsAndKeepIndexRecords)
{
    TqzText t;
    t.Add("\tX");
    t.Add("abc");
    t.Insert(1, "mid");
    t.Put(2, "x\ty");
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "        X", "mid", "x       y" }));
    EXPECT_EQ(t.IndexItem(0).Length, 9);
    EXPECT_EQ(t.IndexItem(2).DisplayLength, 9);
    EXPECT_EQ(TrueLinesOf(t), (std::vector<int> { 0, 1, 1 })); // no renumbering without wrap
    t.Delete(0);
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "mid", "x       y" }));
    EXPECT_TRUE(t.Modified());
    EXPECT_THROW(t.Get(5), std::out_of_range);
    EXPECT_THROW(t.Delete(-1), std::out_of_range);
    EXPECT_EQ(t.GetTrueLineIndex(99), 0);
    t.SetTrueLineIndex(99, 4); // ignored
    t.Clear();
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.GetSize(), 1);
}

TEST(TextBuffer, SortedAddRefusesDuplicates)
{
    TqzText t;
    t.Sorted = true;
    EXPECT_EQ(t.Add("m"), 0);
    EXPECT_EQ(t.Add("c"), 0);
    EXPECT_EQ(t.Add("x"), 2);
    EXPECT_EQ(t.Add("m"), 1);
    EXPECT_EQ(t.Count(), 3);
    t.Duplicates = TqzDuplicates::Accept;
    t.Add("m");
    EXPECT_EQ(t.Count(), 4);
}

TEST(TextBuffer, ChangesAreAnnouncedOnceAfterTheOutermostUpdate)
{
    TqzText t;
    Recorder a { {}, "a" };
    Recorder b { {}, "b" };
    std::vector<AnsiString> order;
    EXPECT_EQ(t.AddNotify({ &Recorder::Hit, &a }), 0);
    EXPECT_EQ(t.AddNotify({ &Recorder::Hit, &b }), 1);
    EXPECT_EQ(t.AddNotify({ &Recorder::Hit, &a }), 0); // same handler kept once
    EXPECT_EQ(t.GetUpdateEventsCount(), 2);
    t.Add("0");
    t.Add("1");
    t.Add("2");
    a.calls.clear();
    t.BeginUpdate();
    t.BeginUpdate();
    t.Put(2, "two");
    t.EndUpdate();
    EXPECT_TRUE(a.calls.empty());
    t.Put(0, "zero");
    t.EndUpdate();
    EXPECT_EQ(a.calls.size(), 1u);
    EXPECT_EQ(b.calls.size(), 4u); // three adds and the update
    EXPECT_EQ(a.first, 0);
    EXPECT_EQ(a.last, 2);
    EXPECT_TRUE(a.content);
    // A repaint-only request is announced without the content flag.
    t.AddUpdateRange(1, 1, true);
    EXPECT_FALSE(a.content);
    EXPECT_EQ(a.first, 1);
    t.DelNotify({ &Recorder::Hit, &a });
    t.Put(1, "one");
    EXPECT_EQ(a.calls.size(), 2u);
}

TEST(TextBuffer, WordWrapKeepsLogicalLines)
{
    TqzText t;
    t.SetKeepTrailingSpaces(true);
    t.Add("first");
    t.Add("aaaa bbbb cccc");
    t.Add("last");
    t.SetMaxWidth(10);
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "first", "aaaa bbbb ", "cccc", "last" }));
    EXPECT_EQ(TrueLinesOf(t), (std::vector<int> { 0, 1, 1, 2 }));
    EXPECT_EQ(t.GetNextTrueLineIndex(1), 3);
    // Replacing the first display line re-joins and re-wraps the logical line.
    t.Put(1, "xx ");
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "first", "xx cccc", "last" }));
    EXPECT_EQ(TrueLinesOf(t), (std::vector<int> { 0, 1, 2 }));
    // Inserting a logical line renumbers the lines below it.
    t.Insert(1, "new");
    EXPECT_EQ(TrueLinesOf(t), (std::vector<int> { 0, 1, 2, 3 }));
    t.SetMaxWidth(-1);
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "first", "new", "xx cccc", "last" }));
    EXPECT_EQ(TrueLinesOf(t), (std::vector<int> { 0, 1, 2, 3 }));
}

TEST(TextBuffer, WrapVariants)
{
    struct Case {
        AnsiString line;
        int width;
        bool solid;
        std::vector<AnsiString> pieces;
    } cases[] = {
        { "aaaa bbbb cccc", 10, true, { "aaaa bbbb ", "cccc" } },
        { "abcdefghijkl", 5, false, { "abcde", "fghij", "kl" } }, { "ab cdefgh", 4, true, { "ab c", "defg", "h" } },
        { "", 4, false, { "" } }, { "abc", 0, false, { "a", "b", "c" } }, // a width of 0 wraps at 1
    };
    for (const Case& c : cases) {
        TqzText t;
        t.SetKeepTrailingSpaces(true);
        t.SetSolidWrap(c.solid);
        t.SetMaxWidth(c.width);
        t.Add(c.line);
        EXPECT_EQ(LinesOf(t), c.pieces) << c.line << " @" << c.width;
    }
}

TEST(TextBuffer, WrapWithoutTrailingSpacesTrimsTheLastPiece)
{
    TqzText t;
    t.SetMaxWidth(10);
    t.Add("aaaa bbbb cccc  ");
    t.Add("next");
    // The blank at a cut stays; the blanks that end the logical line go.
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "aaaa bbbb ", "cccc", "next" }));
}

TEST(TextBuffer, PointAndIndexConversions)
{
    TqzText t;
    t.Add("abc");
    t.Add("");
    t.Add("de");
    for (int y = 0; y < t.Count(); ++y)
        for (int x = 0; x <= static_cast<int>(t[y].size()); ++x)
            EXPECT_EQ(t.IndexToPoint(t.PointToIndex({ x, y })), (TqzPoint { x, y })) << x << "," << y;
    struct Case {
        int index;
        TqzPoint point;
    } cases[] = {
        { 3, { 3, 0 } }, // the end of the first line
        { 4, { 3, 0 } }, // on its LF: still the end of that line
        { 5, { 0, 1 } }, // the empty line, on its CR
        { 6, { 0, 1 } }, // its LF
        { 7, { 0, 2 } },
        { 8, { 1, 2 } },
        { 100, { 2, 2 } },
        { -4, { 0, 0 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.IndexToPoint(c.index), c.point) << c.index;
    EXPECT_EQ(t.PointToIndex({ 99, 0 }), 3);
    EXPECT_EQ(t.PointToIndex({ 0, 9 }), 0);
    EXPECT_EQ(t.PointToIndex({ -3, 2 }), 7);
    EXPECT_EQ(t.GetSize(), 10); // "abc\r\n\r\nde" and one

    TqzText empty;
    EXPECT_EQ(empty.IndexToPoint(5), (TqzPoint { 0, 0 }));
    EXPECT_EQ(empty.PointToIndex({ 0, 0 }), 0);
}

TEST(TextBuffer, BlockReplace)
{
    struct Case {
        AnsiString insert;
        TqzPoint from;
        TqzPoint to;
        std::vector<AnsiString> result;
    } cases[] = {
        { "", { 1, 0 }, { 2, 2 }, { "ai" } }, { "X", { 1, 1 }, { 1, 1 }, { "abc", "dXef", "ghi" } },
        { "1\r\n2", { 1, 0 }, { 1, 0 }, { "a1", "2bc", "def", "ghi" } },
        { "1\r\n", { 0, 2 }, { 0, 2 }, { "abc", "def", "1", "ghi" } }, // a final break is kept
        { "p\nq\rr", { 3, 0 }, { 0, 1 }, { "abcp", "q", "rdef", "ghi" } },
        { "Z", { 9, 0 }, { 0, 5 }, { "abc", "def", "ghi" } }, // a line outside: nothing
    };
    for (const Case& c : cases) {
        TqzText t;
        t.SetText("abc\r\ndef\r\nghi");
        t.ReplaceSelBlockXY(c.insert, c.from, c.to);
        EXPECT_EQ(LinesOf(t), c.result) << c.insert;
    }
    TqzText t;
    t.SetText("abc\r\ndef");
    t.ReplaceSelBlock("--", 2, 4); // from (2,0) to (1,1)
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "ab--ef" }));
}

TEST(TextBuffer, NearestWord)
{
    struct Case {
        AnsiString line;
        int x;
        AnsiString word;
        TqzPoint span;
    } cases[] = {
        { "print hello", 2, "print", { 0, 5 } },
        { "print hello", 8, "hello", { 6, 11 } },
        { "ab  cd", 2, "ab", { 0, 2 } }, // equally near: the left word
        { "ab   cd", 4, "cd", { 5, 7 } }, // the right word is nearer
        { "  word", 0, "word", { 2, 6 } },
        { "x = y", 99, "y", { 4, 5 } },
        { "", 3, "", { 0, 0 } },
        { "+-*", 1, "", { 1, 1 } },
    };
    for (const Case& c : cases) {
        TqzText t;
        t.Add(c.line);
        TqzPoint p { c.x, 0 };
        EXPECT_EQ(t.NearestWord(p), c.word) << c.line << " @" << c.x;
        EXPECT_EQ(p, c.span) << c.line << " @" << c.x;
    }
}

TEST(TextBuffer, PointToWord)
{
    TqzText t;
    t.SetText("foo bar(baz)\r\n  next line\r\nend");
    struct Case {
        TqzPoint from;
        bool forward;
        bool spaces;
        TqzPoint to;
    } cases[] = {
        { { 0, 0 }, true, false, { 4, 0 } },
        { { 4, 0 }, true, false, { 8, 0 } },
        { { 4, 0 }, true, true, { 12, 0 } },
        { { 12, 0 }, true, false, { 2, 1 } }, // across to the first word of the next line
        { { 11, 1 }, true, false, { 0, 2 } },
        { { 3, 2 }, true, false, { 3, 2 } },
        { { 7, 0 }, false, false, { 4, 0 } },
        { { 4, 0 }, false, false, { 0, 0 } },
        { { 0, 1 }, false, false, { 12, 0 } },
        { { 0, 0 }, false, false, { 0, 0 } },
    };
    for (const Case& c : cases) {
        TqzPoint r;
        t.PointToWord(c.from, c.forward, r, c.spaces);
        EXPECT_EQ(r, c.to) << c.from.x << "," << c.from.y << (c.forward ? " fwd" : " back");
    }
    EXPECT_EQ(t.GetPrevNonEmptyStr(2), 1);
    AnsiString s;
    EXPECT_TRUE(t.GetNextString(0, true, s));
    EXPECT_EQ(s, "  next line");
    EXPECT_FALSE(t.GetNextString(2, true, s));
    EXPECT_FALSE(t.GetNextString(0, false, s));
}

TEST(TextBuffer, FilesRoundTripWithTabsExpanded)
{
    const std::string path = ::testing::TempDir() + "qztext_roundtrip.bas";
    {
        std::ofstream out(path, std::ios::binary);
        out << "\tX\r\nsecond\nthird\r\n";
    }
    TqzText t;
    Recorder r { {}, "r" };
    t.AddNotify({ &Recorder::Hit, &r });
    bool loadedSeen = false;
    t.AddNotify({ [](void* flag, void* sender) { *static_cast<bool*>(flag) = static_cast<TqzText*>(sender)->Loaded(); },
        &loadedSeen });
    t.LoadFromFile(path);
    EXPECT_TRUE(loadedSeen);
    EXPECT_FALSE(t.Loaded());
    EXPECT_FALSE(t.Modified());
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "        X", "second", "third" }));
    EXPECT_EQ(r.calls.size(), 1u);
    t.Put(1, "2nd");
    t.SaveToFile(path);
    EXPECT_FALSE(t.Modified());
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "        X\r\n2nd\r\nthird\r\n");
    std::remove(path.c_str());
    EXPECT_THROW(t.LoadFromFile(path + ".missing"), std::runtime_error);
    // A pipe is no text file: loading from it or saving into it fails at
    // once instead of waiting for a partner, and the buffer stays as it was.
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_THROW(t.LoadFromFile(path), std::runtime_error);
    EXPECT_THROW(t.SaveToFile(path), std::runtime_error);
    EXPECT_EQ(LinesOf(t), (std::vector<AnsiString> { "        X", "2nd", "third" }));
    std::remove(path.c_str());
}
