// Runaway and hostile patterns end as "no match" in bounded time and memory.
#include "RegexTestSupport.h"

#include <gtest/gtest.h>

namespace {
TEST(RegexLimits, CatastrophicBacktrackingEndsAsNoMatch)
{
    std::string text(40, 'a');
    for (const char* pattern : { "(a+)+b", "(a|aa)+b", "(a*)*b", "(?:a|a)*c" }) {
        CRegexpA expression(pattern, 0);
        CContext context;
        // A tighter budget than the default keeps the test quick; the mechanism is the same.
        context.baseStepBudget = 200000;
        EXPECT_FALSE(expression.RegexMatch(text, -1, &context).IsMatched()) << pattern;
        EXPECT_TRUE(context.aborted) << pattern;
        EXPECT_FALSE(expression.MatchExact(text, &context).IsMatched()) << pattern;
        EXPECT_TRUE(context.aborted) << pattern;
    }
    // The same patterns succeed quickly where a match exists.
    EXPECT_EQ(Search("(a+)+b", 0, text + "b"), "0-41 0-40");
}

TEST(RegexLimits, DeepNestingNeverMatchesInsteadOfCrashing)
{
    std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
    CRegexpA nested(deep, 0);
    EXPECT_EQ(Describe(nested.RegexMatch("a")), "no match");
    CRegexpA stars("a" + std::string(100000, '*'), 0);
    EXPECT_EQ(Describe(stars.RegexMatch("a")), "no match");
    // Moderate nesting still works.
    std::string fifty = std::string(50, '(') + "a" + std::string(50, ')');
    EXPECT_TRUE(CRegexpA(fifty, 0).RegexMatch("a").IsMatched());
}

TEST(RegexLimits, DeepRecursionEndsAsNoMatch)
{
    std::string text = std::string(100000, '(') + std::string(100000, ')');
    CRegexpA expression("\\((?R)*\\)", 0);
    CContext context;
    EXPECT_FALSE(expression.MatchExact(text, &context).IsMatched());
    EXPECT_TRUE(context.aborted);
    EXPECT_TRUE(expression.MatchExact("((()())())").IsMatched());
}

TEST(RegexLimits, LongTextsMatchWithoutDeepStacks)
{
    // Far more iterations than the machine stack could hold frames for.
    std::string text(100000, 'a');
    EXPECT_EQ(Search("(?:a|b)*$", 0, text), "0-100000");
    EXPECT_EQ(Search("(a)*", 0, text), "0-100000 99999-100000");
    EXPECT_EQ(Search("a*?$", 0, text), "0-100000");
    EXPECT_EQ(Search("(?>a|b)+$", 0, text), "0-100000");
    text += "x";
    EXPECT_EQ(Search(".*x", 0, text), "0-100001");
    EXPECT_EQ(Search("a{3}x", 16, text), "99997-100001");
}

TEST(RegexLimits, RunsOfTheLeadingClassAreScannedOnce)
{
    // Without skipping, each of the run's positions would rescan the rest of the run.
    std::string text(200000, 'a');
    EXPECT_EQ(Search("[ab]+c", 0, text + "c"), "0-200001");
    EXPECT_EQ(Search("[ab]+c", 0, text), "no match");
    EXPECT_EQ(Search("\\w+?@", 0, text + " x@"), "200001-200003");
    EXPECT_EQ(Search("c[ab]+", 16, text), "no match");
    EXPECT_EQ(Search("c[ab]+", 16, "c" + text), "0-200001");
}

TEST(RegexLimits, ManyUnclosedOpenersCompileInOnePass)
{
    // Each opener looks ahead for its closer; were every look a scan of the
    // rest of the pattern, these would take minutes.
    for (const char* opener : { "a{", "\\k<", "\\k'", "\\g<", "(?<", "(?'", "[[:", "(?#", "(?(<", "[", "[^" }) {
        std::string pattern;
        for (int k = 0; k < 50000; ++k)
            pattern += opener;
        CRegexpA expression(pattern, 0);
        expression.RegexMatch("a{");
    }
    EXPECT_EQ(Search("a{2}", 0, "aa"), "0-2");
    EXPECT_EQ(Search("x{y", 0, "x{y"), "0-3");
}

TEST(RegexLimits, OneBudgetCoversAWholeReplace)
{
    // Every search costs tens of thousands of steps and then matches: the
    // replace stops once their sum passes what one search of the text may
    // take, instead of taking that much for each of the thousand matches.
    std::string run = std::string(16, 'a') + "x";
    std::string text;
    for (int k = 0; k < 1000; ++k)
        text += run;
    CRegexpA expression("(a+)+b|a", 0);
    CContext context;
    context.baseStepBudget = 0;
    const std::string replaced = expression.RegexReplace(text, "-", -1, -1, nullptr, &context);
    EXPECT_TRUE(context.aborted);
    EXPECT_EQ(replaced.substr(0, 17), std::string(16, '-') + "x");
    EXPECT_EQ(replaced.substr(replaced.size() - 17), run);
    // A replace that fits its budget goes on to the end.
    EXPECT_EQ(CRegexpA("a", 0).RegexReplace(text, "-").find('a'), std::string::npos);
}

TEST(RegexLimits, AReplacementPastTheTextBoundGivesUpBeforeBuildingIt)
{
    // 100 matches of a 3 MB replacement would make 300 MB; many more would take
    // all of the machine's memory. Every direction and every piece gives up
    // once the text would pass 256 MiB, instead of building it first.
    const std::string text(100, 'a');
    const std::string big(3 * 1024 * 1024, ' ');
    EXPECT_THROW(CRegexpA("a", 0).RegexReplace(text, big), std::length_error);
    EXPECT_THROW(CRegexpA("a", RegexFlag::RightToLeft).RegexReplace(text, big), std::length_error);
    // The text before the match, asked for many times in one replacement.
    std::string manyBefores;
    for (int k = 0; k < 70; ++k)
        manyBefores += "$`";
    EXPECT_THROW(CRegexpA("$", 0).RegexReplace(std::string(4 * 1024 * 1024, 'b'), manyBefores), std::length_error);
    // Within the bound the replacement is made as before.
    EXPECT_EQ(CRegexpA("a", 0).RegexReplace("banana", "o"), "bonono");
}

TEST(RegexLimits, ForgivingCompilerAcceptsAnyBytes)
{
    // Every one- and two-byte pattern compiles and matches without fault.
    std::string text = "a(b)[c]{1,2}\\d\n\r\x80\xff";
    for (int first = 0; first < 256; ++first) {
        for (char second : std::string("\0()[]{}?*+\\|^$k<:-", 19)) {
            std::string pattern { static_cast<char>(first), second };
            CRegexpA expression(pattern, first & 63);
            expression.RegexMatch(text);
            expression.MatchExact(text);
            expression.RegexReplace(text, "$1${a}$", -1, -1);
        }
    }
    SUCCEED();
}
} // namespace
