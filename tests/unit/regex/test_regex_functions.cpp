#include "support/regex/RegexFunctions.h"

#include <gtest/gtest.h>

namespace {

// Each case works on a fresh pair, as a run starts with.
class RegexFunctions : public ::testing::Test {
protected:
    RegexState state;
};

TEST_F(RegexFunctions, GroupsReadZeroBeforeAnySuccessfulMatch)
{
    EXPECT_EQ(re_start(state, -1), 0);
    EXPECT_EQ(re_end(state, -1), 0);
    EXPECT_EQ(re_numofgrps(state), 0);
    EXPECT_EQ(re_search(state, "abc", -1), 1); // the empty pattern
    EXPECT_EQ(re_end(state, -1), 1);
}

TEST_F(RegexFunctions, ResetForgetsThePatternAndTheMatch)
{
    re_Setup(state, "(?<word>b+)", 0);
    EXPECT_EQ(re_search(state, "abbc", -1), 1);
    state.Reset();
    EXPECT_EQ(re_numofgrps(state), 0);
    EXPECT_EQ(re_start(state, 1), 0);
    EXPECT_EQ(re_grpnumber(state, "word"), re_grpnumber(state, "none"));
    EXPECT_EQ(re_replace(state, "ab", "-", -1, -1), "-a-b-");
}

TEST_F(RegexFunctions, SearchReportsOneBasedPositions)
{
    EXPECT_EQ(re_Setup(state, "(\\d+)-(?<tail>\\d+)?", 0), 1);
    EXPECT_EQ(re_search(state, "ab 12-", -1), 1);
    EXPECT_EQ(re_start(state, -1), 4);
    EXPECT_EQ(re_end(state, -1), 7); // the end offset plus 1
    EXPECT_EQ(re_start(state, 1), 4);
    EXPECT_EQ(re_end(state, 1), 6);
    EXPECT_EQ(re_start(state, 2), 0); // took no part
    EXPECT_EQ(re_start(state, 3), 0); // no such group
    EXPECT_EQ(re_start(state, -2), 0);
    EXPECT_EQ(re_start(state, 2147483647), 0);
    EXPECT_EQ(re_numofgrps(state), 2);
    EXPECT_EQ(re_grpnumber(state, "tail"), 2);
    EXPECT_EQ(re_grpnumber(state, "head"), -3);
}

TEST_F(RegexFunctions, SearchStartIsOneBased)
{
    re_Setup(state, "a", 0);
    EXPECT_EQ(re_search(state, "aba", 2), 1);
    EXPECT_EQ(re_start(state, -1), 3);
    EXPECT_EQ(re_search(state, "aba", 0), 1);
    EXPECT_EQ(re_start(state, -1), 1);
    EXPECT_EQ(re_search(state, "aba", 4), 0);
    EXPECT_EQ(re_start(state, -1), 0); // a failed search replaces the result
}

TEST_F(RegexFunctions, MatchCoversTheWholeText)
{
    re_Setup(state, "[a-z]+", 0);
    EXPECT_EQ(re_match(state, "abc"), 1);
    EXPECT_EQ(re_end(state, -1), 4);
    EXPECT_EQ(re_match(state, "abc1"), 0);
    EXPECT_EQ(re_numofgrps(state), 0);
}

TEST_F(RegexFunctions, SetupTakesFlags)
{
    re_Setup(state, "^B", 2 | 8);
    EXPECT_EQ(re_search(state, "a\nb", -1), 1);
    EXPECT_EQ(re_start(state, -1), 3);
    re_Setup(state, "", 0);
    EXPECT_EQ(re_search(state, "xyz", -1), 1);
    EXPECT_EQ(re_start(state, -1), 1);
    EXPECT_EQ(re_end(state, -1), 1);
}

TEST_F(RegexFunctions, ReplaceMapsStartAndCount)
{
    re_Setup(state, "o", 0);
    EXPECT_EQ(re_replace(state, "foo boo", "0", -1, -1), "f00 b00");
    EXPECT_EQ(re_replace(state, "foo boo", "0", 0, 0), "f00 b00");
    EXPECT_EQ(re_replace(state, "foo boo", "0", 4, 1), "foo b0o");
    EXPECT_EQ(re_replace(state, "foo boo", "0", 1, 2), "f00 boo");
}
} // namespace
