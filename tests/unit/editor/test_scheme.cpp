#include "PainterDump.h"

#include "ide/editor/BasicScheme.h"
#include "ide/editor/SchemePainter.h"

#include <gtest/gtest.h>

namespace {

struct Counter {
    int calls = 0;
    static void Hit(void* self, void*) { ++static_cast<Counter*>(self)->calls; }
};

RunNamer BasicNamer(TsxPainter& p)
{
    RunNamer namer;
    namer.Add("Comments", p.Comments);
    namer.Add("Strings", p.Strings);
    namer.Add("Numbers", p.Numbers);
    namer.Add("Symbols", p.Symbols);
    namer.Add("Identifiers", p.Identifiers);
    for (const char* caption : BasicWordGroups)
        namer.Add(caption, p.FindWords(caption)->Attr());
    return namer;
}

} // namespace

TEST(Scheme, NewSchemeDefaults)
{
    TsxPainter p;
    EXPECT_EQ(p.GetColor(0), 0xB1CFB9u);
    EXPECT_EQ(p.GetColor(1), 0xABB077u);
    EXPECT_EQ(p.GetColor(2), 0x00FFFFu);
    EXPECT_EQ(p.GetColor(3), 0xFF0000u);
    EXPECT_EQ(p.StringChars(), "");
    EXPECT_EQ(p.NumberChars(), "");
    EXPECT_FALSE(p.CaseSens());
    EXPECT_EQ(p.Font().Name, "Courier New");
    EXPECT_EQ(p.Comments.ColorFront, 0x808080u);
    EXPECT_EQ(p.Numbers.Style, FontStyle::Bold);
}

TEST(Scheme, ItemsOwnTheirRuntimeObjects)
{
    TsxPainter p;
    TsxToken* token = p.Tokens.Add();
    EXPECT_EQ(token->Caption(), "Tokens #0");
    token->SetTokenBegin("  /*  ");
    token->SetTokenEnd(" */");
    EXPECT_EQ(token->TokenBegin(), "/*");
    EXPECT_EQ(token->TokenEnd(), "*/");
    TsxWords* a = p.ReservedWords.Add();
    TsxWords* b = p.ReservedWords.Add();
    EXPECT_EQ(a->Caption(), "Words");
    EXPECT_EQ(p.GetWordPackCount(), 2);
    // Removing the first item leaves the second linked to its own group.
    b->SetWordsText("keep");
    p.ReservedWords.Delete(0);
    EXPECT_EQ(p.GetWordPackCount(), 1);
    EXPECT_EQ(p.GetWordPack(0), p.ReservedWords[0]->Group());
    EXPECT_TRUE(p.GetWordPack(0)->FindWordHash("keep", 4, TPackWords::Hash("keep", 4)));
    p.Tokens.Delete(0);
    EXPECT_EQ(p.GetTokenPairCount(), 0);
}

TEST(Scheme, ParentTokenLimitsAGroup)
{
    TsxPainter p;
    TqzText text;
    p.SetLines(&text);
    p.SetStringChars("\"");
    TsxToken* token = p.Tokens.Add();
    token->SetTokenBegin("[");
    token->SetTokenEnd("]");
    token->SetTokenId(7);
    TsxWords* inside = p.ReservedWords.Add();
    inside->SetWordsText("only");
    inside->SetParentTokenId(7);
    TsxWords* nowhere = p.ReservedWords.Add();
    nowhere->SetWordsText("any");
    nowhere->SetParentTokenId(99); // names no token: applies everywhere
    TsxPaintAttr a;
    a.ColorFront = 0x010101;
    inside->SetAttr(a);
    a.ColorFront = 0x020202;
    nowhere->SetAttr(a);
    a.ColorFront = 0x030303;
    token->SetAttr(a);
    RunNamer namer;
    namer.Add("Inside", inside->Attr());
    namer.Add("Any", nowhere->Attr());
    namer.Add("Token", token->Attr());
    namer.Add("Identifiers", p.Identifiers);
    text.SetText("only any [only any]");
    std::vector<AnsiString> runs = DumpLine(p, 0, namer);
    EXPECT_EQ(runs[0], "only |Identifiers");
    EXPECT_EQ(runs[1], "any|Any");
    EXPECT_NE(std::find(runs.begin(), runs.end(), "only|Inside"), runs.end());
    EXPECT_EQ(std::count(runs.begin(), runs.end(), "any|Any"), 2);
}

TEST(Scheme, ChangingOneGroupRebuildsItAndAnnouncesOnce)
{
    TsxPainter p;
    SetupBasicScheme(p);
    p.FindWords("Functions")->SetWordsText("sin\r\ncos");
    Counter counter;
    p.AddNotify({ &Counter::Hit, &counter });
    p.AddNotify({ &Counter::Hit, &counter });
    p.FindWords("Commands")->SetWordsText("print\r\ninput");
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(p.FindWords("Functions")->Group()->WordCount(), 2);
    EXPECT_EQ(p.FindWords("Commands")->Group()->WordCount(), 2);
}

TEST(Scheme, BasicSchemeColoursALanguageSample)
{
    TsxPainter p;
    SetupBasicScheme(p);
    p.FindWords("Commands")->SetWordsText("print\r\ninclude");
    p.FindWords("Functions")->SetWordsText("len");
    p.FindWords("Statements")->SetWordsText("for\r\nto");
    p.FindWords("Constants")->SetWordsText("pi");
    p.FindWords("WordOperaters")->SetWordsText("and");
    TqzText text;
    p.SetLines(&text);
    text.SetText("PRINT \"it's\" ' note\r\n#include \"x.bas\"\r\nfor i = 0x1F to len(a$) // c\r\n/* one\r\ntwo */ "
                 "y = pi and 1.5e3");
    const RunNamer namer = BasicNamer(p);
    using V = std::vector<AnsiString>;
    EXPECT_EQ(DumpLine(p, 0, namer),
        (V { "PRINT|Commands", " |Identifiers", "\"it's\"|Strings", " |Identifiers", "' note|Comments" }));
    EXPECT_EQ(DumpLine(p, 1, namer), (V { "#|Symbols", "include|Commands", " |Identifiers", "\"x.bas\"|Strings" }));
    EXPECT_EQ(DumpLine(p, 2, namer),
        (V { "for|Statements", " i |Identifiers", "=|Symbols", " |Identifiers", "0x1F|Numbers", " |Identifiers",
            "to|Statements", " |Identifiers", "len|Functions", "(|Symbols", "a$|Identifiers", ")|Symbols",
            " |Identifiers", "// c|Comments" }));
    EXPECT_EQ(DumpLine(p, 3, namer), (V { "/* one|Comments" }));
    EXPECT_EQ(DumpLine(p, 4, namer),
        (V { "two */|Comments", " y |Identifiers", "=|Symbols", " |Identifiers", "pi|Constants", " |Identifiers",
            "and|WordOperaters", " |Identifiers", "1.5e3|Numbers" }));
}

TEST(Scheme, AssignCopiesColoursAndGroups)
{
    TsxPainter source;
    SetupBasicScheme(source);
    source.SetColor(1, 0x123456);
    source.FindWords("Commands")->SetWordsText("print");
    TsxPainter copy;
    copy.Assign(source);
    EXPECT_EQ(copy.GetColor(1), 0x123456u);
    ASSERT_NE(copy.FindWords("Commands"), nullptr);
    EXPECT_EQ(copy.FindWords("Commands")->Group()->WordCount(), 1);
    EXPECT_EQ(copy.Tokens.Count(), 3);
}
