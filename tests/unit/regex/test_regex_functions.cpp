#include "support/regex/RegexFunctions.h"

#include <gtest/gtest.h>

namespace {
TEST(RegexFunctions, GroupsReadZeroBeforeAnySuccessfulMatch)
{
    GlobalMatchResult = MatchResult();
    EXPECT_EQ(re_start(-1), 0);
    EXPECT_EQ(re_end(-1), 0);
    EXPECT_EQ(re_numofgrps(), 0);
}

TEST(RegexFunctions, SearchReportsOneBasedPositions)
{
    EXPECT_EQ(re_Setup("(\\d+)-(?<tail>\\d+)?", 0), 1);
    EXPECT_EQ(re_search("ab 12-", -1), 1);
    EXPECT_EQ(re_start(-1), 4);
    EXPECT_EQ(re_end(-1), 7); // the end offset plus 1
    EXPECT_EQ(re_start(1), 4);
    EXPECT_EQ(re_end(1), 6);
    EXPECT_EQ(re_start(2), 0); // took no part
    EXPECT_EQ(re_start(3), 0); // no such group
    EXPECT_EQ(re_start(-2), 0);
    EXPECT_EQ(re_start(2147483647), 0);
    EXPECT_EQ(re_numofgrps(), 2);
    EXPECT_EQ(re_grpnumber("tail"), 2);
    EXPECT_EQ(re_grpnumber("head"), -3);
}

TEST(RegexFunctions, SearchStartIsOneBased)
{
    re_Setup("a", 0);
    EXPECT_EQ(re_search("aba", 2), 1);
    EXPECT_EQ(re_start(-1), 3);
    EXPECT_EQ(re_search("aba", 0), 1);
    EXPECT_EQ(re_start(-1), 1);
    EXPECT_EQ(re_search("aba", 4), 0);
    EXPECT_EQ(re_start(-1), 0); // a failed search replaces the result
}

TEST(RegexFunctions, MatchCoversTheWholeText)
{
    re_Setup("[a-z]+", 0);
    EXPECT_EQ(re_match("abc"), 1);
    EXPECT_EQ(re_end(-1), 4);
    EXPECT_EQ(re_match("abc1"), 0);
    EXPECT_EQ(re_numofgrps(), 0);
}

TEST(RegexFunctions, SetupTakesFlags)
{
    re_Setup("^B", 2 | 8);
    EXPECT_EQ(re_search("a\nb", -1), 1);
    EXPECT_EQ(re_start(-1), 3);
    re_Setup("", 0);
    EXPECT_EQ(re_search("xyz", -1), 1);
    EXPECT_EQ(re_start(-1), 1);
    EXPECT_EQ(re_end(-1), 1);
}

TEST(RegexFunctions, ReplaceMapsStartAndCount)
{
    re_Setup("o", 0);
    EXPECT_EQ(re_replace("foo boo", "0", -1, -1), "f00 b00");
    EXPECT_EQ(re_replace("foo boo", "0", 0, 0), "f00 b00");
    EXPECT_EQ(re_replace("foo boo", "0", 4, 1), "foo b0o");
    EXPECT_EQ(re_replace("foo boo", "0", 1, 2), "f00 boo");
}
} // namespace
