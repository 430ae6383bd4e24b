#include "tests/unit/arrays/ArrayFixture.h"

#include <gtest/gtest.h>

#include <functional>

using arraytest::Done;
using arraytest::Dump;
using arraytest::Make;

namespace {

struct Input {
    std::string name;
    std::vector<int> sizes;
    std::vector<std::string> elements;
};

// An operation on prepared arrays, its result number, and the dump of the
// array it must leave.
struct Case {
    const char* title;
    std::vector<Input> inputs;
    std::function<ArrayResult(Arrays_Class&)> operation;
    ArrayResult status;
    std::string array;
    std::string dump;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.title;
}

class WholeArray : public testing::TestWithParam<Case> { };

TEST_P(WholeArray, LeavesItsElements)
{
    const Case& c = GetParam();
    Arrays_Class arrays;
    for (const Input& input : c.inputs)
        Make(arrays, input.name, input.sizes, input.elements);
    EXPECT_EQ(c.operation(arrays), c.status);
    EXPECT_EQ(Dump(arrays, c.array), c.dump);
}

const Input pair { "a", { 2 }, { "i:1", "i:2" } };

INSTANTIATE_TEST_SUITE_P(ElementWise, WholeArray,
    testing::Values(Case { "ScaleByIntegerKeepsIntegers", { pair },
                        [](Arrays_Class& a) { return a.ScaleByInt("a", 3); }, Done, "a", "2: i:3 i:6" },
        Case { "ScaleByDoubleMakesDoubles", { pair }, [](Arrays_Class& a) { return a.ScaleByFloat("a", 0.5); }, Done,
            "a", "2: f:0.5 f:1" },
        Case { "ScaleWrapsIntegers", { { "a", { 1 }, { "i:2147483647" } } },
            [](Arrays_Class& a) { return a.ScaleByInt("a", 2); }, Done, "a", "1: i:-2" },
        Case { "ScaleOfUndefined", {}, [](Arrays_Class& a) { return a.ScaleByInt("a", 2); }, ErrorCode::ArrayNotDefined,
            "a", "undefined" },
        Case { "ShiftRightIsArithmetic", { { "a", { 3 }, { "i:-8", "f:7.9", "s:x" } } },
            [](Arrays_Class& a) { return a.BitOperation("a", 1, 4); }, Done, "a", "3: i:-4 i:3 s:x" },
        Case { "ShiftCountIsTakenModulo32", { { "a", { 1 }, { "i:1" } } },
            [](Arrays_Class& a) { return a.BitOperation("a", 33, 3); }, Done, "a", "1: i:2" },
        Case { "NotIgnoresItsValue", { { "a", { 2 }, { "i:0", "-" } } },
            [](Arrays_Class& a) { return a.BitOperation("a", 99, 5); }, Done, "a", "2: i:-1 -" },
        Case { "FillCoversOnlyTheSizes", { { "a", { 3 }, {} } },
            [](Arrays_Class& a) {
                const ArrayResult error = a.FillInt("a", 1);
                double sum = 0;
                a.AllElementsStatistic("a", 0, sum);
                EXPECT_EQ(sum, 3);
                return error;
            },
            Done, "a", "3: i:1 i:1 i:1" },
        Case { "FillText", { pair }, [](Arrays_Class& a) { return a.FillString("a", "z"); }, Done, "a", "2: s:z s:z" },
        Case { "AddTextSourceJoinsTheTargetsText",
            { { "s", { 4 }, { "s:x", "s:y", "i:2", "-" } }, { "t", { 4 }, { "i:5", "f:1.5", "s:t", "i:1" } } },
            [](Arrays_Class& a) { return a.AddArrays("s", "t"); }, Done, "t", "4: s:5x s:1.5y s:t2 i:1" },
        Case { "AddNumbersByType",
            { { "s", { 3 }, { "i:2147483647", "f:0.5", "i:1" } }, { "t", { 3 }, { "i:1", "i:1", "f:1" } } },
            [](Arrays_Class& a) { return a.AddArrays("s", "t"); }, Done, "t", "3: i:-2147483648 f:1.5 f:2" },
        Case { "AddAnArrayToItself", { { "t", { 2 }, { "s:ab", "i:4" } } },
            [](Arrays_Class& a) { return a.AddArrays("t", "t"); }, Done, "t", "2: s:abab i:8" },
        Case { "SubtractLeavesTextsAlone",
            { { "s", { 3 }, { "s:x", "i:1", "f:1" } }, { "t", { 3 }, { "i:5", "s:t", "i:3" } } },
            [](Arrays_Class& a) { return a.SubtractArrays("s", "t"); }, Done, "t", "3: i:5 s:t f:2" },
        Case { "AddOfDifferentSizes", { { "s", { 3 }, {} }, { "t", { 4 }, {} } },
            [](Arrays_Class& a) { return a.AddArrays("s", "t"); }, ErrorCode::ArraysDifferInDimension, "t",
            "4: - - - -" },
        Case { "AddWithUndefinedSource", { { "t", { 4 }, {} } }, [](Arrays_Class& a) { return a.AddArrays("s", "t"); },
            ErrorCode::ArrayNotDefined, "t", "4: - - - -" },
        Case { "BitAndOfArrays",
            { { "s", { 3 }, { "i:6", "s:x", "f:3.7" } }, { "t", { 3 }, { "i:3", "f:7.2", "s:q" } } },
            [](Arrays_Class& a) { return a.BitOperationArrays("s", "t", 0); }, Done, "t", "3: i:2 i:0 s:q" },
        Case { "DiagonalFreesEveryPosition", { { "m", { 2, 3 }, { "s:x", "s:y", "i:4", "-", "f:1", "s:z" } } },
            [](Arrays_Class& a) { return a.DiagonalInt("m", 7); }, Done, "m", "2x3: i:7 i:0 i:0 i:0 i:7 i:0" },
        Case { "DiagonalOfTexts", { { "m", { 2, 2 }, {} } }, [](Arrays_Class& a) { return a.DiagonalString("m", "d"); },
            Done, "m", "2x2: s:d s: s: s:d" },
        Case { "DiagonalNeedsTwoDimensions", { pair }, [](Arrays_Class& a) { return a.DiagonalFloat("a", 1); },
            ErrorCode::ArrayWrongDimension, "a", "2: i:1 i:2" },
        Case { "CombineColours",
            { { "r", { 1, 2 }, { "i:1", "f:255.9" } }, { "g", { 1, 2 }, { "i:2", "s:x" } },
                { "b", { 1, 2 }, { "i:3", "i:256" } } },
            [](Arrays_Class& a) { return a.CombineColors("r", "g", "b", "c"); }, Done, "c",
            "1x2: i:197121 i:16777471" },
        Case { "CombineColoursOfDifferentSizes",
            { { "r", { 1, 2 }, {} }, { "g", { 1, 2 }, {} }, { "b", { 2, 1 }, {} } },
            [](Arrays_Class& a) { return a.CombineColors("r", "g", "b", "c"); }, ErrorCode::ArrayWrongDimension, "c",
            "undefined" },
        Case { "CopyTakesTheSourcesSizes", { pair, { "b", { 5 }, { "i:9" } } },
            [](Arrays_Class& a) { return a.Copy("a", "b"); }, Done, "b", "2: i:1 i:2" },
        Case { "CopyOntoItself", { pair }, [](Arrays_Class& a) { return a.Copy("a", "a"); }, Done, "a", "2: i:1 i:2" },
        Case { "CopyOfUndefined", {}, [](Arrays_Class& a) { return a.Copy("a", "b"); }, ErrorCode::ArrayNotDefined, "b",
            "undefined" }));

const Input left { "a", { 2, 3 }, { "i:1", "i:2", "i:3", "i:4", "i:5", "i:6" } };
const Input right { "b", { 3, 2 }, { "i:7", "i:8", "i:9", "i:10", "i:11", "i:12" } };

INSTANTIATE_TEST_SUITE_P(Matrices, WholeArray,
    testing::Values(
        Case { "ProductOfIntegersIsDoubles", { left, right }, [](Arrays_Class& a) { return a.Multiply("a", "b", "c"); },
            Done, "c", "2x2: f:58 f:64 f:139 f:154" },
        Case { "ProductIntoASource", { left, right }, [](Arrays_Class& a) { return a.Multiply("a", "b", "a"); }, Done,
            "a", "2x2: f:58 f:64 f:139 f:154" },
        Case { "ProductOfMismatchedSizes", { left, left }, [](Arrays_Class& a) { return a.Multiply("a", "a", "c"); },
            ErrorCode::ArrayWrongDimension, "c", "undefined" },
        Case { "ProductWithAText", { left, { "b", { 3, 1 }, { "i:1", "s:x", "i:1" } } },
            [](Arrays_Class& a) { return a.Multiply("a", "b", "c"); }, ErrorCode::ArrayWrongDataType, "c",
            "undefined" },
        Case { "InverseOfTwoByTwo", { { "m", { 2, 2 }, { "i:4", "i:7", "i:2", "i:6" } } },
            [](Arrays_Class& a) {
                double det = 0;
                const ArrayResult error = a.Invert("m", "r", det);
                EXPECT_EQ(det, 10);
                return error;
            },
            Done, "r", "2x2: f:0.6 f:-0.7 f:-0.2 f:0.4" },
        Case { "InverseOfSingularIsZeros", { { "m", { 2, 2 }, { "i:1", "i:2", "i:2", "i:4" } } },
            [](Arrays_Class& a) {
                double det = 5;
                const ArrayResult error = a.Invert("m", "m", det);
                EXPECT_EQ(det, 0);
                return error;
            },
            Done, "m", "2x2: f:0 f:0 f:0 f:0" },
        Case { "InverseWithATextLeavesAnEmptyTarget", { { "m", { 2, 2 }, { "i:1", "s:x", "i:2", "i:4" } } },
            [](Arrays_Class& a) {
                double det = 0;
                return a.Invert("m", "r", det);
            },
            ErrorCode::ArrayWrongDataType, "r", "2x2: - - - -" },
        Case { "InverseOfNonSquare", { left },
            [](Arrays_Class& a) {
                double det = 0;
                return a.Invert("a", "r", det);
            },
            ErrorCode::ArrayNotSquare, "r", "undefined" },
        Case { "TransposeOfVector", { { "v", { 4 }, { "i:1", "s:b", "-", "f:4.5" } } },
            [](Arrays_Class& a) { return a.Transpose("v", "t"); }, Done, "t", "4x1: i:1 s:b - f:4.5" },
        Case { "TransposeOfMatrix", { { "m", { 2, 3 }, { "i:1", "i:2", "s:c", "-", "i:5", "i:6" } } },
            [](Arrays_Class& a) { return a.Transpose("m", "m"); }, Done, "m", "3x2: i:1 - i:2 i:5 s:c i:6" },
        Case { "TransposeOfThreeDimensions", { { "m", { 2, 2, 2 }, {} } },
            [](Arrays_Class& a) { return a.Transpose("m", "t"); }, ErrorCode::ArrayWrongDimension, "t", "undefined" }));

// Determinants: the matrix, and the value (or the error).
struct DeterminantCase {
    std::vector<int> sizes;
    std::vector<std::string> elements;
    ArrayResult status;
    double det;
};

TEST(Determinant, ByEliminationAsWritten)
{
    const DeterminantCase cases[] = {
        { { 2, 2 }, { "i:0", "i:1", "i:1", "i:0" }, Done, -1 }, // one exchange
        { { 2, 2 }, { "i:1", "i:2", "i:2", "i:4" }, Done, 0 },
        // A pivot of 5e-7 counts as zero: no row below can stand in, so the
        // matrix is singular.
        { { 2, 2 }, { "f:5e-7", "i:0", "i:0", "i:1" }, Done, 0 },
        { { 2, 2 }, { "f:5e-7", "i:1", "i:1", "i:0" }, Done, -1 },
        { { 3, 3 }, { "i:2", "i:0", "i:1", "i:1", "i:3", "i:2", "i:1", "i:1", "i:2" }, Done, 6 },
        { { 2, 2 }, { "i:1", "s:x", "i:1", "i:1" }, Done, 0 }, // a text: determinant 0
        { { 1, 1 }, { "i:3" }, ErrorCode::ArrayWrongDimension, 0 },
        { { 2, 3 }, {}, ErrorCode::ArrayNotSquare, 0 },
        { { 4 }, {}, ErrorCode::ArrayWrongDimension, 0 },
    };
    for (const DeterminantCase& c : cases) {
        Arrays_Class arrays;
        Make(arrays, "m", c.sizes, c.elements);
        double det = 99;
        EXPECT_EQ(arrays.Determinant("m", det), c.status) << Dump(arrays, "m");
        if (!c.status) {
            EXPECT_NEAR(det, c.det, 1e-12) << Dump(arrays, "m");
        }
    }
}

TEST(Matrices, TargetsBeyondTheStoreAreRefused)
{
    Arrays_Class arrays;
    Make(arrays, "a", { 10000, 1 }, {});
    Make(arrays, "b", { 1, 10000 }, {});
    arrays.FillInt("a", 1);
    arrays.FillInt("b", 1);
    EXPECT_EQ(arrays.Multiply("a", "b", "c"), ErrorCode::OutOfMemory);
    EXPECT_EQ(Dump(arrays, "c"), "undefined");
}

} // namespace
