#include "interpreter/Codes_class.h"

#include <gtest/gtest.h>

// A small table built by hand shows the table's own rules apart from the
// language's data.
class CodesClassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.Add("  Alpha\t", 10, 1, 3, -1, "nsz", 7);
        table.Add("beta", 20);
        table.Add("ALPHA", 99, 0, 0, 0, "i", 1); // a later duplicate never wins
    }
    Codes_Class table;
};

TEST_F(CodesClassTest, AddStoresTrimmedLowerCasedNamesInOrder)
{
    ASSERT_EQ(table.count(), 3);
    EXPECT_EQ(table.entries()[0].name, "alpha");
    EXPECT_EQ(table.entries()[1].name, "beta");
    EXPECT_EQ(table.entries()[2].name, "alpha");
    EXPECT_EQ(table.Add("x", 1), 1);
}

TEST_F(CodesClassTest, FindWritesEveryGivenOutputOfTheFirstEntry)
{
    int code = 0, minArgs = 0, maxArgs = 0, defaultArg = 0, group = 0;
    AnsiString signature;
    for (const char* key : { "alpha", "ALPHA", " Alpha ", "\talpha\r\n" }) {
        ASSERT_EQ(table.Find(key, &code, &minArgs, &maxArgs, &defaultArg, &signature, &group), 1) << key;
        EXPECT_EQ(code, 10) << key;
        EXPECT_EQ(minArgs, 1);
        EXPECT_EQ(maxArgs, 3);
        EXPECT_EQ(defaultArg, -1);
        EXPECT_EQ(signature, "nsz");
        EXPECT_EQ(group, 7);
    }
    // Only the code asked for; the other outputs may be left out.
    code = 0;
    EXPECT_EQ(table.Find("beta", &code), 1);
    EXPECT_EQ(code, 20);
    EXPECT_EQ(table.Find("beta"), 1);
}

TEST_F(CodesClassTest, AbsentNamesLeaveOutputsUnchanged)
{
    for (const char* key : { "gamma", "", "   ", "alph", "alpha2", "al pha" }) {
        int code = -7, minArgs = -7, maxArgs = -7, defaultArg = -7, group = -7;
        AnsiString signature = "keep";
        EXPECT_EQ(table.Find(key, &code, &minArgs, &maxArgs, &defaultArg, &signature, &group), 0) << key;
        EXPECT_EQ(code, -7);
        EXPECT_EQ(minArgs, -7);
        EXPECT_EQ(maxArgs, -7);
        EXPECT_EQ(defaultArg, -7);
        EXPECT_EQ(group, -7);
        EXPECT_EQ(signature, "keep");
        EXPECT_EQ(table.Lookup(key), nullptr) << key;
    }
}

TEST_F(CodesClassTest, NullSignatureIsStoredEmpty)
{
    table.Add("gamma", 30, 0, 0, 0, std::string_view(), 2);
    AnsiString signature = "keep";
    ASSERT_EQ(table.Find("gamma", nullptr, nullptr, nullptr, nullptr, &signature), 1);
    EXPECT_EQ(signature, "");
    EXPECT_EQ(table.Lookup("beta")->signature, "");
}

TEST_F(CodesClassTest, ListNamesAndClear)
{
    AnsiString text = "old text";
    table.ListNames(text);
    EXPECT_EQ(text, "alpha\r\nbeta\r\nalpha\r\n");

    table.Clear();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.Lookup("alpha"), nullptr);
    table.ListNames(text);
    EXPECT_EQ(text, "");

    // After a clear the index starts afresh: the new first entry wins.
    table.Add("alpha", 5);
    ASSERT_NE(table.Lookup("alpha"), nullptr);
    EXPECT_EQ(table.Lookup("alpha")->code, 5);
}
