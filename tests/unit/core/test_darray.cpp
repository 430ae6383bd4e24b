#include "base/DArray.h"
#include "base/Values.h"

#include <gtest/gtest.h>

TEST(DArray, CapacityNeverBelowTen)
{
    for (int n : { 0, 5, 10 }) {
        DArray<int> a(n);
        EXPECT_EQ(a.capacity, 10) << n;
    }
    DArray<int> eleven(11);
    EXPECT_EQ(eleven.capacity, 11);
}

TEST(DArray, GrowKeepsElementsAndTexts)
{
    DArray<AnsiString> a;
    for (int k = 0; k < 10; ++k)
        a.items[k] = std::to_string(k);
    ASSERT_TRUE(a.EnsureIndex(10));
    EXPECT_EQ(a.capacity, 20);
    EXPECT_EQ(a.items[9], "9");
    EXPECT_EQ(a.items[10], "");
    EXPECT_FALSE(a.EnsureIndex(-1));
}
