#include "interpreter/arrays/Arrays_class.h"
#include "tests/unit/core/EngineHarness.h"

#include <gtest/gtest.h>

// The evaluator's reads of array elements, through the table it is given.

namespace {
// An index or size list.
struct List : DArray<int> {
    List(std::initializer_list<int> values)
    {
        int k = 0;
        for (int v : values)
            items[k++] = v;
    }
};
} // namespace

namespace {
// Both ways of evaluating: from the compiled tree and from the text.
class ArrayReads : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        engine.expression.compileExpressions = GetParam();
        engine.expression.compileOnFirstUse = true;
    }
    EngineHarness engine;
};
} // namespace

TEST_P(ArrayReads, RememberedArraysFollowTheirTable)
{
    engine.arrays.Define("a", 1, List({ 3 }));
    engine.arrays.SetElementInt("a", List({ 1 }), 5);
    Expression_Class& ex = engine.Attach("a[1] + 1");
    auto again = [&] {
        ex.scanPosition = ex.programStart;
        return engine.EvaluateNext();
    };
    EXPECT_EQ(again(), "i:6");
    engine.arrays.SetElementFloat("a", List({ 1 }), 0.5);
    EXPECT_EQ(again(), "f:1.5");
    // Another array's definition leaves the node in place.
    engine.arrays.Define("z", 1, List({ 1 }));
    EXPECT_EQ(again(), "f:1.5");
    // A redefinition empties the array; a removal frees the remembered node.
    engine.arrays.Define("a", 1, List({ 3 }));
    EXPECT_EQ(again(), "error 77 at 1:4");
    engine.arrays.Remove("a");
    EXPECT_EQ(again(), "error 72 at 1:4");
    engine.arrays.Define("a", 2, List({ 2, 2 }));
    engine.arrays.SetElementInt("a", List({ 1, 0 }), 9);
    EXPECT_EQ(again(), "i:10");
    // Another table (the caller's, for the evaluate function) has its own.
    Arrays_Class other;
    other.Define("a", 1, List({ 2 }));
    const AnsiString text = "t";
    other.SetElement("a", List({ 1 }), Tag::String, &text);
    ex.arrays = &other;
    EXPECT_EQ(again(), "s:t1");
    ex.arrays = &engine.arrays;
    EXPECT_EQ(again(), "i:10");

    ex.scanPosition = ex.programStart;
    ex.NextToken();
    EXPECT_EQ(ex.CurrentTokenArray(), engine.arrays.Find("a"));
    ex.NextToken();
    EXPECT_EQ(ex.CurrentTokenArray(), nullptr);
}

TEST_P(ArrayReads, IndexesMayReadElements)
{
    engine.arrays.Define("a", 1, List({ 5 }));
    engine.arrays.Define("b", 2, List({ 3, 2 }));
    for (int k = 0; k < 5; ++k)
        engine.arrays.SetElementInt("a", List({ k }), 4 - k);
    engine.arrays.SetElementInt("b", List({ 2, 1 }), 7);
    const struct {
        const char* text;
        const char* outcome;
    } cases[] = {
        { "a[a[3]]", "i:3" },
        { "b[a[2], a[3]] * 2", "i:14" },
        { "b[a[a[4] + 2], a[a[a[4]] - 1]]", "i:7" },
        { "b[a[2], a[9]]", "error 77 at 1:12" },
        { "a[b[a[2], a[3]] - 4]", "i:1" },
        { "b[2]", "error 77 at 1:4" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine.Evaluate(c.text), c.outcome) << c.text;
}

INSTANTIATE_TEST_SUITE_P(CompiledAndText, ArrayReads, ::testing::Bool());
