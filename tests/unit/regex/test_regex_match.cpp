#include "RegexTestSupport.h"

#include <gtest/gtest.h>

namespace {
struct SearchCase {
    const char* pattern;
    int flags;
    const char* text;
    const char* expected; // see Describe
};

std::ostream& operator<<(std::ostream& stream, const SearchCase& c)
{
    return stream << "/" << c.pattern << "/" << c.flags << " on \"" << c.text << "\"";
}

constexpr int kDot = 1, kMulti = 2, kGlobal = 4, kCase = 8, kRtl = 16, kSpaces = 32;

class SearchTable : public testing::TestWithParam<SearchCase> { };

TEST_P(SearchTable, FindsFirstMatchAndGroups)
{
    const SearchCase& c = GetParam();
    EXPECT_EQ(Search(c.pattern, c.flags, c.text), c.expected);
}

// Literals, classes, the dot and escapes.
INSTANTIATE_TEST_SUITE_P(Atoms, SearchTable,
    testing::Values(SearchCase { "bc", 0, "abcd", "1-3" }, SearchCase { "xyz", 0, "abcd", "no match" },
        SearchCase { "a.c", 0, "a\nc abc", "4-7" }, SearchCase { "a.c", kDot, "a\nc", "0-3" },
        SearchCase { "[.]", 0, "ab.c", "2-3" }, SearchCase { "[.]", 0, "abc", "no match" },
        SearchCase { "[^a-c]+", 0, "abcxyzab", "3-6" }, SearchCase { "[]a]+", 0, "x]a]", "1-4" },
        SearchCase { "[a-]+", 0, "x-a-", "1-4" }, SearchCase { "[\\x80-\\xff]", 0, "ab\xe9", "2-3" },
        SearchCase { "[\\x00-\\x7f]+", 0, "\xe9z", "1-2" }, SearchCase { "[[:digit:]x-z]+", 0, "a5y", "1-3" },
        SearchCase { "[[:^digit:]]", 0, "5x", "1-2" }, SearchCase { "[[:alpha:][:space:]]+", 0, "1a b2", "1-4" },
        SearchCase { "[\\d_]+", 0, "ab_12c", "2-5" }, SearchCase { "\\w+", 0, "  ab_9 ", "2-6" },
        SearchCase { "\\W", 0, "ab cd", "2-3" }, SearchCase { "\\s\\S", 0, "ab cd", "2-4" },
        SearchCase { "\\D+", 0, "12ab3", "2-4" }, SearchCase { "\\x41\\u0042", 0, "xAB", "1-3" },
        SearchCase { "\\x{43}", 0, "ABC", "2-3" }, SearchCase { "\\u20AC", 0, "5\x80", "1-2" },
        SearchCase { "\\u0142", 0, "B", "no match" }, SearchCase { "\\t\\n\\r", 0, "a\t\n\r", "1-4" },
        SearchCase { "\\e\\a\\f\\v", 0, "\x1b\x07\x0c\x0b", "0-4" }, SearchCase { "[\\b]", 0, "a\bb", "1-2" },
        SearchCase { "\\.\\*\\q", 0, "a.*q", "1-4" }, SearchCase { "\\Qa.b*\\E+", 0, "axb a.b**", "4-9" },
        SearchCase { "\\Ua.b\\E", 0, "axb A.B", "4-7" }, SearchCase { "\\LX.Y\\E", 0, "x.y", "0-3" },
        SearchCase { "a b # comment\n c", kSpaces, "xabc", "1-4" }, SearchCase { "a b # c", kSpaces, "ab", "0-2" },
        SearchCase { "[a b]+", kSpaces, "x ab", "2-4" }, SearchCase { "a\\ b", kSpaces, "a b", "0-3" },
        SearchCase { "abc", kCase, "xABC", "1-4" }, SearchCase { "[a-c]+", kCase, "ABC", "no match" },
        SearchCase { "\xe9", kCase, "\xc9", "no match" }, SearchCase { "a[", 0, "xa[", "1-3" },
        SearchCase { "a)", 0, "a)", "0-2" }, SearchCase { "*a", 0, "b*a", "1-3" },
        SearchCase { "x{", 0, "x{", "0-2" }));

// Quantifiers and their forms.
INSTANTIATE_TEST_SUITE_P(Quantifiers, SearchTable,
    testing::Values(SearchCase { "ab+", 0, "abbbab", "0-4" }, SearchCase { "(ab)+", 0, "xababa", "1-5 3-5" },
        SearchCase { "a{2,1}", 0, "aaa", "0-2" }, SearchCase { "a{0}", 0, "aaa", "0-0" },
        SearchCase { "a{x}", 0, "aaa", "0-0" }, SearchCase { "ba{2,}", 0, "baabaaaa", "0-3" },
        SearchCase { "ba{2,3}", 0, "baaaa", "0-4" }, SearchCase { "a{3}", 0, "aa aaa", "3-6" },
        SearchCase { "a+?", 0, "aaa", "0-1" }, SearchCase { "a*?b", 0, "aab", "0-3" },
        SearchCase { "<.+?>", 0, "<a><b>", "0-3" }, SearchCase { "<.+>", 0, "<a><b>", "0-6" },
        SearchCase { "a++a", 0, "aaaa", "no match" }, SearchCase { "a*+b", 0, "aab", "0-3" },
        SearchCase { "(?:ab|a)*+c", 0, "ababac", "0-6" },
        SearchCase { "(a|ab)(c|bcd)(d*)", 0, "abcd", "0-4 0-1 1-4 4-4" }, SearchCase { "(a?){3}", 0, "", "0-0 0-0" },
        SearchCase { "(a*)*b", 0, "aab", "0-3 2-2" }, SearchCase { "(a|b)*?c", 0, "abc", "0-3 1-2" },
        SearchCase { "(?:a|ab){2}c", 0, "abac", "0-4" }, SearchCase { "x(?:ab|a){2,3}?b", 0, "xaaab", "0-5" },
        SearchCase { "a{2}?", 0, "aaa", "0-2" }, SearchCase { "\\d{2,}+\\d", 0, "1234", "no match" }));

// Anchors, boundaries and \G.
INSTANTIATE_TEST_SUITE_P(Anchors, SearchTable,
    testing::Values(SearchCase { "^b", 0, "a\nb", "no match" }, SearchCase { "^b", kMulti, "a\nb", "2-3" },
        SearchCase { "a$", 0, "a\nb", "no match" }, SearchCase { "a$", kMulti, "a\nb", "0-1" },
        SearchCase { "a$", kMulti, "a\r\nb", "0-1" }, SearchCase { "^b", kMulti, "a\rb", "2-3" },
        SearchCase { "(?m)^\\n", 0, "a\r\n", "no match" }, SearchCase { "\\Aab", 0, "abab", "0-2" },
        SearchCase { "ab\\Z", 0, "abab", "2-4" }, SearchCase { "\\bcat\\b", 0, "concat cat", "7-10" },
        SearchCase { "\\Bcat", 0, "cat concat", "7-10" }, SearchCase { "\\Gab", kGlobal, "xab", "no match" },
        SearchCase { "\\Gab", 0, "xab", "1-3" }, SearchCase { "(?g)\\Ga", 0, "ab", "0-1" },
        SearchCase { "^", 0, "", "0-0" }));

// Groups, names, back-references and inline flags.
INSTANTIATE_TEST_SUITE_P(Groups, SearchTable,
    testing::Values(SearchCase { "a(b)?c", 0, "xac", "1-3 x" }, SearchCase { "(a)|(b)", 0, "b", "0-1 x 0-1" },
        SearchCase { "(?<y>\\d+)-(\\d+)", 0, "12-34", "0-5 3-5 0-2" },
        SearchCase { "(?'a'x)(?P<b>y)(z)", 0, "xyz", "0-3 2-3 0-1 1-2" },
        SearchCase { "(?<n>a)|(?<n>b)", 0, "b", "0-1 0-1" }, SearchCase { "(?<2>a)(b)", 0, "ab", "0-2 1-2 0-1" },
        SearchCase { "(?<3>a)", 0, "a", "0-1 x x 0-1" }, SearchCase { "(?<0>a)b", 0, "ab", "0-2 0-1" },
        SearchCase { "(?:a)(b)", 0, "ab", "0-2 1-2" }, SearchCase { "(a)\\1", 0, "aa", "0-2 0-1" },
        SearchCase { "(a)\\1", kCase, "aA", "0-2 0-1" }, SearchCase { "(\\w)\\1", 0, "abccd", "2-4 2-3" },
        SearchCase { "(?<q>['\"]).*?\\k<q>", 0, "x'a\"b'", "1-6 1-2" },
        SearchCase { "(?<q>a)\\k'q'\\g<q>", 0, "aaa", "0-3 0-1" }, SearchCase { "\\k<none>|b", 0, "ab", "1-2" },
        SearchCase { "(a)\\2|b", 0, "ab", "1-2 x" }, SearchCase { "(a)|\\1b", 0, "b", "no match" },
        SearchCase { "(?i)abc", 0, "ABC", "0-3" }, SearchCase { "(?i:a)b", 0, "Ab", "0-2" },
        SearchCase { "(?i:a)b", 0, "AB", "no match" }, SearchCase { "a(?i)b|c", 0, "C", "0-1" },
        SearchCase { "(a(?i)b)c", 0, "aBc aBC", "0-3 0-2" }, SearchCase { "(?-i)a", kCase, "A", "no match" },
        SearchCase { "(?s).", 0, "\n", "0-1" }, SearchCase { "(?m:^b)", 0, "a\nb", "2-3" },
        SearchCase { "a(?#comment)b", 0, "ab", "0-2" }, SearchCase { "(a", 0, "xa", "1-2 1-2" },
        SearchCase { "(?z)", 0, "z", "0-1" }, SearchCase { "((a)|b)+", 0, "ab", "0-2 1-2 0-1" }));

// Look-around, atomic groups, conditionals and recursion.
INSTANTIATE_TEST_SUITE_P(Extended, SearchTable,
    testing::Values(SearchCase { "a(?=b)", 0, "acab", "2-3" }, SearchCase { "a(?!b)", 0, "abac", "2-3" },
        SearchCase { "(?<=b)a", 0, "aba", "2-3" }, SearchCase { "(?<!b)a", 0, "baa", "2-3" },
        SearchCase { "(?<=\\d{3}|x)y", 0, "12y123y", "6-7" }, SearchCase { "(?<=a(b+))c", 0, "abbc", "3-4 1-3" },
        SearchCase { "(?=(\\w+))\\w", 0, "ab", "0-1 0-2" }, SearchCase { "(?!(a))b", 0, "b", "0-1 x" },
        SearchCase { "(?>a+)b", 0, "aab", "0-3" }, SearchCase { "(?>a+)a", 0, "aaa", "no match" },
        SearchCase { "(?>(a)+)b", 0, "aab", "0-3 1-2" }, SearchCase { "(a)?(?(1)b|c)", 0, "ab", "0-2 0-1" },
        SearchCase { "(a)?(?(1)b|c)", 0, "c", "0-1 x" }, SearchCase { "(?<n>a)?(?(n)b|c)", 0, "xab", "1-3 1-2" },
        SearchCase { "(?(?=\\d)\\d+|[a-z]+)", 0, "-ab", "1-3" },
        SearchCase { "(?(?=\\d)\\d+|[a-z]+)", 0, "-12", "1-3" }, SearchCase { "(?(1)a)b", 0, "b", "0-1" },
        SearchCase { "(?(2)a|b|c)", 0, "c", "0-1" }, SearchCase { "\\((?:[^()]|(?R))*\\)", 0, "x(a(b)c)", "1-8" },
        SearchCase { "(a(?1)?b)", 0, "aabb", "0-4 0-4" }, SearchCase { "(?<p>a(?R<p>)?b)", 0, "aabbb", "0-4 0-4" },
        SearchCase { "(?R'none')x", 0, "x", "0-1" }, SearchCase { "^(a|b(?1))$", 0, "bba", "0-3 0-3" }));

// Right to left: the search starts from the end and the elements run backwards.
INSTANTIATE_TEST_SUITE_P(RightToLeft, SearchTable,
    testing::Values(SearchCase { "a+", kRtl, "aaXaa", "3-5" }, SearchCase { "ab", kRtl, "abxab", "3-5" },
        SearchCase { "(a)(b)", kRtl, "abab", "2-4 2-3 3-4" }, SearchCase { "\\d+?", kRtl, "123", "2-3" },
        SearchCase { "^a", kRtl, "aba", "0-1" }, SearchCase { "a$", kRtl, "aba", "2-3" },
        SearchCase { "(a)\\1", kRtl, "aab", "no match" }, SearchCase { "\\1(a)", kRtl, "xaa", "1-3 2-3" },
        SearchCase { "(?<=a)b", kRtl, "abcb", "1-2" }, SearchCase { "b(?=c)", kRtl, "bcbd", "0-1" },
        SearchCase { "", kRtl, "ab", "2-2" }));

TEST(RegexSearch, EmptyPatternMatchesTheEmptyTextAtStart)
{
    EXPECT_EQ(Search("", 0, ""), "0-0");
    EXPECT_EQ(Search("", 0, "abc"), "0-0");
}

TEST(RegexSearch, NullPatternNeverMatches)
{
    CRegexpA expression(nullptr, 0);
    EXPECT_FALSE(expression.RegexMatch("", 0).IsMatched());
    EXPECT_FALSE(expression.MatchExact("").IsMatched());
}

TEST(RegexSearch, StartPositionLimitsTheSearch)
{
    EXPECT_EQ(Search("a", 0, "aba", 1), "2-3");
    EXPECT_EQ(Search("a", 0, "aba", 3), "no match");
    EXPECT_EQ(Search("", 0, "aba", 3), "3-3");
    EXPECT_EQ(Search("a", 0, "aba", 4), "no match");
    EXPECT_EQ(Search("a", kRtl, "aba", 2), "0-1");
    EXPECT_EQ(Search("a", kRtl, "aba", 9), "2-3");
}

TEST(RegexSearch, TextsMayHoldNulBytes)
{
    CRegexpA expression("b\\x00c", 0);
    EXPECT_EQ(Describe(expression.RegexMatch(std::string("ab\0c", 4))), "1-4");
}

TEST(RegexSearch, SameContextSkipsARepeatedEmptyMatch)
{
    CRegexpA expression("x*", 0);
    CContext context;
    std::string text = "axb";
    EXPECT_EQ(Describe(expression.RegexMatch(text, 0, &context)), "0-0");
    EXPECT_EQ(Describe(expression.RegexMatch(text, context.nextStart, &context)), "1-2");
    EXPECT_EQ(Describe(expression.RegexMatch(text, context.nextStart, &context)), "2-2");
}

TEST(RegexSearch, SameContextStepsPastAMatchEndingBehindItsStart)
{
    // Every match through one context, as a loop over a text's matches collects them.
    auto allMatches = [](const char* pattern, int flags, const std::string& text) {
        CRegexpA expression(pattern, flags);
        CContext context;
        std::string found;
        int start = -1;
        for (MatchResult match; (match = expression.RegexMatch(text, start, &context)).IsMatched();) {
            found += (found.empty() ? "" : " ") + Describe(match);
            if (found.size() > 200) break; // a loop that never ends shows as a long list
            start = context.nextStart;
        }
        return found;
    };
    EXPECT_EQ(allMatches("(?<=(?'n'.))(?R<n>)", 0, "abc"), "0-1 0-1 1-2 1-2 2-3 2-3");
    EXPECT_EQ(allMatches("(?=(?'n'.))(?R<n>)", 16, "abc"), "1-2 2-3 0-1 1-2");
    EXPECT_EQ(allMatches("x*", 0, "axb"), "0-0 1-2 2-2 3-3");
}

TEST(RegexExact, MatchesOnlyTheWholeText)
{
    struct Case {
        const char* pattern;
        int flags;
        const char* text;
        const char* expected;
    };
    const Case cases[] = { { "a*", 0, "aab", "no match" }, { "a*", 0, "aaa", "0-3" },
        { "(a|ab)(c|bcd)", 0, "abcd", "0-4 0-1 1-4" }, { "a+?", 0, "aaa", "0-3" }, { "", 0, "", "0-0" },
        { "", 0, "a", "no match" }, { "b+", kRtl, "bbb", "0-3" }, { "(?i)AB", 0, "ab", "0-2" } };
    for (const Case& c : cases) {
        CRegexpA expression(c.pattern, c.flags);
        EXPECT_EQ(Describe(expression.MatchExact(c.text)), c.expected) << c.pattern << " on " << c.text;
    }
}

TEST(RegexGroups, NamedGroupsAreNumberedAfterNumberedOnes)
{
    CRegexpA expression("(?<first>a)(b)(?<second>c)(?<first>d)", 0);
    EXPECT_EQ(expression.RegexGroupNumber("first"), 2);
    EXPECT_EQ(expression.RegexGroupNumber("second"), 3);
    EXPECT_EQ(expression.RegexGroupNumber("third"), -3);
    EXPECT_EQ(expression.GroupCount(), 3);
    EXPECT_EQ(Describe(expression.RegexMatch("abcd")), "0-4 1-2 3-4 2-3");
}
} // namespace
