#include "support/regex/Regexp.h"

#include <gtest/gtest.h>

namespace {
struct ReplaceCase {
    const char* pattern;
    int flags;
    const char* text;
    const char* replacement;
    int start;
    int count;
    const char* expected;
};

std::ostream& operator<<(std::ostream& stream, const ReplaceCase& c)
{
    return stream << "/" << c.pattern << "/ by \"" << c.replacement << "\" in \"" << c.text << "\"";
}

class ReplaceTable : public testing::TestWithParam<ReplaceCase> { };

TEST_P(ReplaceTable, ProducesText)
{
    const ReplaceCase& c = GetParam();
    CRegexpA expression(c.pattern, c.flags);
    EXPECT_EQ(expression.RegexReplace(c.text, c.replacement, c.start, c.count), c.expected);
}

// Substitution forms.
INSTANTIATE_TEST_SUITE_P(Substitutions, ReplaceTable,
    testing::Values(ReplaceCase { "(\\w+)-(\\w+)", 0, "left-right", "$2 and $1", -1, -1, "right and left" },
        ReplaceCase { "(\\w+)-(\\w+)", 0, "a-b", "$9", -1, -1, "$9" },
        ReplaceCase { "(\\w+)", 0, "ab", "[$12]", -1, -1, "[ab2]" },
        ReplaceCase { "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)", 0, "abcdefghijkl", "$12$123", -1, -1, "ll3" },
        ReplaceCase { "b", 0, "abc", "[$&]", -1, -1, "a[b]c" }, ReplaceCase { "b", 0, "abc", "[$`]", -1, -1, "a[a]c" },
        ReplaceCase { "b", 0, "abc", "[$']", -1, -1, "a[c]c" },
        ReplaceCase { "b", 0, "abc", "[$_]", -1, -1, "a[abc]c" }, ReplaceCase { "b", 0, "abc", "$$", -1, -1, "a$c" },
        ReplaceCase { "b", 0, "abc", "$", -1, -1, "a$c" }, ReplaceCase { "b", 0, "abc", "$x", -1, -1, "a$xc" },
        ReplaceCase { "b", 0, "abc", "$0$0", -1, -1, "abbc" },
        ReplaceCase { "(a)|(b)", 0, "ab", "<$+>", -1, -1, "<a><b>" },
        ReplaceCase { "(a)|(b)", 0, "ab", "<$2>", -1, -1, "<><b>" },
        ReplaceCase { "(?<w>\\w)", 0, "ab", "${w}.", -1, -1, "a.b." },
        ReplaceCase { "(?<w>\\w)", 0, "a", "${v$1}", -1, -1, "${v$1}" },
        ReplaceCase { "(\\w)", 0, "a", "${1}", -1, -1, "${1}" },
        ReplaceCase { "(\\w)", 0, "a", "${w", -1, -1, "${w" }));

// Counts, starts, empty matches and direction.
INSTANTIATE_TEST_SUITE_P(Iteration, ReplaceTable,
    testing::Values(ReplaceCase { "o", 0, "foo boo", "0", -1, 1, "f0o boo" },
        ReplaceCase { "o", 0, "foo boo", "0", -1, -1, "f00 b00" },
        ReplaceCase { "o", 0, "foo boo", "0", 3, -1, "foo b00" }, ReplaceCase { "o", 0, "foo", "0", -1, 0, "foo" },
        ReplaceCase { "o", 0, "foo", "0", 9, -1, "foo" }, ReplaceCase { "x*", 0, "axb", "-", -1, -1, "-a--b-" },
        ReplaceCase { "", 0, "ab", "-", -1, -1, "-a-b-" }, ReplaceCase { "\\b", 0, "ab cd", "|", -1, -1, "|ab| |cd|" },
        ReplaceCase { "a", 16, "aXaYa", "<$`>", -1, 2, "aX<aX>Y<aXaY>" },
        ReplaceCase { "(\\d)(\\d)", 16, "12345", "$2$1", -1, -1, "13254" },
        ReplaceCase { "", 16, "ab", "-", -1, -1, "-a-b-" }, ReplaceCase { "o", 16, "foo boo", "0", 4, -1, "f00 boo" },
        ReplaceCase { "\\Ga", 4, "aaba", "X", -1, -1, "XXba" }));

// A recursion into a group that runs the other way ends the match behind its start: the replacement still
// steps through the text once and takes no character twice.
INSTANTIATE_TEST_SUITE_P(MatchesThatDoNotAdvance, ReplaceTable,
    testing::Values(ReplaceCase { "(?<=(?'n'.))(?R<n>)", 0, "abc", "-", -1, -1, "---" },
        ReplaceCase { "(?<=(?'n'.))(?R<n>)", 0, "abc", "<$&>", 2, -1, "a<b><c>" },
        ReplaceCase { "(?<=(?'n'..))(?R<n>)", 0, "abcd", "-", -1, -1, "---" },
        ReplaceCase { "(?=(?'n'.))(?R<n>)", 16, "abc", "-", -1, -1, "--c" },
        ReplaceCase { "(?=(?'n'.))(?R<n>)", 16, "abc", "-", 0, -1, "-bc" }));

TEST(RegexReplace, ReportsTheLastReplacedMatch)
{
    CRegexpA expression("o", 0);
    MatchResult last;
    EXPECT_EQ(expression.RegexReplace("foo", "0", -1, -1, &last), "f00");
    EXPECT_EQ(last.GroupStart(0), 2);
}
} // namespace
