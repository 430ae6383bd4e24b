#include "PainterDump.h"

#include "ide/editor/TextHelpers.h"

#include <gtest/gtest.h>

namespace {

TsxPaintAttr Attr(TColor front, TFontStyles style = 0)
{
    TsxPaintAttr a;
    a.ColorFront = front;
    a.Style = style;
    return a;
}

// A painter with a block comment, a line-comment token, one case-insensitive
// and one case-sensitive group, '+' as both a word and a symbol character,
// and distinct colours for every class.
class PainterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        painter.SetLines(&text);
        painter.SetStringChars("\"");
        painter.SetComments(Attr(0x111111, FontStyle::Italic));
        painter.SetStrings(Attr(0x222222));
        painter.SetNumbers(Attr(0x333333));
        painter.SetSymbols(Attr(0x444444, FontStyle::Bold));
        painter.SetIdentifiers(Attr(0x555555));
        painter.SetWordChars("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_+");
        painter.AddComments("/*", "*/", false);
        int line = painter.AddTokenPair("line", "'", "", true);
        painter.GetTokenPair(line)->Comment = true;
        int block = painter.AddTokenPair("block", "begin", "end", false);
        painter.GetTokenPair(block)->Attr() = Attr(0x666666, FontStyle::Underline);
        int kw = painter.AddWordPack("kw", "Print,Input", false, ',');
        painter.GetWordPack(kw)->Attr = Attr(0x777777, FontStyle::Bold);
        int cs = painter.AddWordPack("cs", "Goto", true, ',');
        painter.GetWordPack(cs)->Attr = Attr(0x888888);
        painter.BeginUpdate();
        painter.EndUpdate();
        for (auto name : { "Comments", "Strings", "Numbers", "Symbols", "Identifiers" }) {
            const TsxPaintAttr* a = AnsiString(name) == "Comments" ? &painter.Comments
                : AnsiString(name) == "Strings"                    ? &painter.Strings
                : AnsiString(name) == "Numbers"                    ? &painter.Numbers
                : AnsiString(name) == "Symbols"                    ? &painter.Symbols
                                                                   : &painter.Identifiers;
            namer.Add(name, *a);
        }
        namer.Add("Token", painter.GetTokenPair(block)->Attr());
        namer.Add("Kw", painter.GetWordPack(kw)->Attr);
        namer.Add("Cs", painter.GetWordPack(cs)->Attr);
    }

    std::vector<std::vector<AnsiString>> Paint(const AnsiString& source)
    {
        text.SetText(source);
        painter.InvalidateTokenLines(-1);
        std::vector<std::vector<AnsiString>> r;
        for (int n = 0; n < text.Count(); ++n)
            r.push_back(DumpLine(painter, n, namer));
        return r;
    }

    TqzText text;
    TsxCustomPainter painter;
    RunNamer namer;
};

using Runs = std::vector<std::vector<AnsiString>>;

} // namespace

TEST_F(PainterTest, ColourRunsOfSampleLines)
{
    struct Case {
        AnsiString source;
        Runs runs;
    } cases[] = {
        { "a /* b\r\nstill\r\nend */ x\r\ny",
            { { "a |Identifiers", "/* b|Comments" }, { "still|Comments" }, { "end */|Comments", " x|Identifiers" },
                { "y|Identifiers" } } },
        { "x ' note /* c\r\nz", { { "x |Identifiers", "' note /* c|Comments" }, { "z|Identifiers" } } },
        { "xyz", { { "xyz|Identifiers" } } },
        { "abc+", { { "abc|Identifiers", "+|Symbols" } } },
        { "PRINT print Print", { { "PRINT|Kw", " |Identifiers", "print|Kw", " |Identifiers", "Print|Kw" } } },
        { "Goto goto", { { "Goto|Cs", " goto|Identifiers" } } },
        { "s = \"abc def", { { "s |Identifiers", "=|Symbols", " |Identifiers", "\"abc def|Strings" } } },
        { "n = 12ab + 7",
            { { "n |Identifiers", "=|Symbols", " |Identifiers", "12ab|Numbers", " |Identifiers", "+|Symbols",
                " |Identifiers", "7|Numbers" } } },
        { "\"a /* b\" c", { { "\"a /* b\"|Strings", " c|Identifiers" } } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Paint(c.source), c.runs) << c.source;
}

TEST_F(PainterTest, OpenCommentColoursTheAreaAfterTheLine)
{
    Paint("a /* b\r\nc */\r\nd");
    painter.SetLineIndex(0);
    TsxPaintAttr attr;
    for (int col = 1; col <= 6;)
        col = painter.Paintline(col, attr) + 1;
    painter.Comments.ColorBack = 0xFFFFFF;
    EXPECT_EQ(painter.GetColorAfterLineEnd(), painter.GetTokenPair(0)->Attr().ColorBack);
    painter.SetColor(0, 0xABCDEF);
    painter.SetLineIndex(2);
    for (int col = 1; col <= 1;)
        col = painter.Paintline(col, attr) + 1;
    EXPECT_EQ(painter.GetColorAfterLineEnd(), 0xABCDEFu);
}

TEST_F(PainterTest, CommentTokensTakeTheCommentColoursOthersKeepTheirOwn)
{
    TTokenPair* comment = painter.GetTokenPair(0);
    EXPECT_TRUE(comment->Comment);
    comment->Attr() = Attr(0x999999);
    painter.BeginUpdate();
    painter.EndUpdate();
    EXPECT_EQ(comment->Attr().ColorFront, painter.Comments.ColorFront);
    EXPECT_EQ(comment->Attr(TTokenPair::Numbers).Style, painter.Comments.Style);
    EXPECT_EQ(Paint("x begin y end")[0][1], "begin|Token");
}

TEST_F(PainterTest, ScrollingFarDownScansTheSkippedLinesOnce)
{
    AnsiString source;
    for (int n = 0; n < 600; ++n)
        source += n == 5 ? "/* opened\r\n" : "text\r\n";
    text.SetText(source);
    painter.InvalidateTokenLines(-1);
    for (int n = 0; n < 10; ++n)
        DumpLine(painter, n, namer);
    EXPECT_EQ(painter.GetValidTokenLine(), 10);
    EXPECT_EQ(DumpLine(painter, 500, namer), (std::vector<AnsiString> { "text|Comments" }));
    EXPECT_EQ(painter.GetValidTokenLine(), 501);
    EXPECT_EQ(painter.GetTokenByLine(499), painter.GetTokenPair(0));
    // A changed line cuts the table back to it; later lines are found again.
    text.Put(5, "plain");
    painter.InvalidateTokenLines(5);
    EXPECT_EQ(painter.GetValidTokenLine(), 5);
    EXPECT_EQ(DumpLine(painter, 500, namer), (std::vector<AnsiString> { "text|Identifiers" }));
}

TEST_F(PainterTest, EmptyLinesOnlyPassOnKnownStates)
{
    Paint("/* a\r\n\r\nb */ c");
    EXPECT_EQ(painter.GetTokenByLine(2), painter.GetTokenPair(0));
    text.SetText("x\r\n\r\n\r\n\r\n");
    painter.InvalidateTokenLines(-1);
    painter.SetLineIndex(3); // nothing known about line 3 yet: no entry is guessed
    EXPECT_EQ(painter.GetValidTokenLine(), 0);
}

TEST_F(PainterTest, ListsAnswerNoneOutsideTheirRange)
{
    EXPECT_EQ(painter.GetWordPack(9), nullptr);
    EXPECT_EQ(painter.GetTokenPair(-1), nullptr);
    painter.DelWordPack(42);
    painter.DelTokenPair(42);
    EXPECT_EQ(painter.GetWordPackCount(), 2);
    EXPECT_TRUE(painter.GetIsChainChange());
    painter.ClearTokenPairs();
    EXPECT_FALSE(painter.GetIsChainChange());
    EXPECT_EQ(Paint("a /* b")[0], (std::vector<AnsiString> { "a |Identifiers", "/*|Symbols", " b|Identifiers" }));
}

TEST(PainterParts, WordGroupsAndTokenMatching)
{
    TPackWords group;
    group.CaseSensitive = false;
    group.AddWords("Alpha,beta,,Gamma,beta", ',');
    EXPECT_EQ(group.WordCount(), 4);
    const AnsiString probe = "alpha";
    EXPECT_TRUE(group.FindWordHash(probe.data(), 5, TPackWords::Hash(probe.data(), 5)));
    const AnsiString other = "alphb";
    EXPECT_FALSE(group.FindWordHash(other.data(), 5, TPackWords::Hash(other.data(), 5)));
    // Same byte sum, different word.
    const AnsiString anagram = "ahpla";
    EXPECT_FALSE(group.FindWordHash(anagram.data(), 5, TPackWords::Hash(anagram.data(), 5)));
    group.OnWordCompare = [](TPackWords*, const AnsiString& w, uint32_t, bool& ok) { ok = w == "zz"; };
    EXPECT_TRUE(group.FindWordHash("zz", 2, TPackWords::Hash("zz", 2)));

    TTokenPair pair;
    pair.SetCaseSensitive(false);
    pair.SetBeginText("REM[");
    EXPECT_TRUE(pair.BeginsAt("rem[ x", 6));
    // Folding treats both sides alike: '[' does not match '{'.
    EXPECT_FALSE(pair.BeginsAt("rem{ x", 6));
    EXPECT_FALSE(pair.BeginsAt("re", 2));
    EXPECT_EQ(pair.EndMatched(), "\r");
    bool complete = false;
    for (char c : AnsiString("xxReM["))
        complete = pair.MatchBegin(c);
    EXPECT_TRUE(complete);
    EXPECT_FALSE(pair.MatchBegin('r'));
    EXPECT_TRUE(pair.PossibleBegin('e'));
}
