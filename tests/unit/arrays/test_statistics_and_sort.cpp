#include "interpreter/arrays/ArraySort.h"
#include "tests/unit/arrays/ArrayFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

using arraytest::Done;
using arraytest::Dump;
using arraytest::Make;

namespace {

using Statistic = ArrayResult (Arrays_Class::*)(std::string_view, double&);

// A statistic of an array: its result, or the error it answers.
struct StatisticCase {
    const char* title;
    std::vector<int> sizes;
    std::vector<std::string> elements;
    std::function<ArrayResult(Arrays_Class&, double&)> statistic;
    ArrayResult status;
    double value;
};

std::function<ArrayResult(Arrays_Class&, double&)> Of(Statistic statistic)
{
    return [statistic](Arrays_Class& a, double& v) { return (a.*statistic)("a", v); };
}

std::function<ArrayResult(Arrays_Class&, double&)> AllElements(int kind)
{
    return [kind](Arrays_Class& a, double& v) { return a.AllElementsStatistic("a", kind, v); };
}

std::function<ArrayResult(Arrays_Class&, double&)> Fit(int kind, bool slope)
{
    return [kind, slope](Arrays_Class& a, double& v) {
        double b = 0, c = 0;
        const ArrayResult error = a.Regression("a", kind, b, c);
        v = slope ? b : c;
        return error;
    };
}

TEST(Statistics, ValuesWeightsAndFits)
{
    const std::vector<std::string> eight { "i:2", "i:4", "i:4", "i:4", "i:5", "i:5", "i:7", "i:9" };
    const std::vector<std::string> mixed { "i:1", "s:a", "f:2.5" };
    const StatisticCase cases[] = {
        { "WeightedMean", { 2, 3 }, { "i:1", "i:2", "i:3", "i:1", "i:1", "i:2" }, Of(&Arrays_Class::WeightedMean), Done,
            2.25 },
        { "MeanWithoutWeights", { 2, 3 }, { "i:1", "i:2", "i:3" }, Of(&Arrays_Class::WeightedMean), Done, 2 },
        { "MeanOfOneRow", { 1, 3 }, { "i:1", "i:2", "i:6" }, Of(&Arrays_Class::WeightedMean), Done, 3 },
        { "MeanOfNothingIsZero", { 3 }, {}, Of(&Arrays_Class::WeightedMean), Done, 0 },
        { "WeightedSum", { 2, 2 }, { "i:1", "f:2.5", "i:3", "-" }, Of(&Arrays_Class::WeightedSum), Done, 5.5 },
        { "TextWeightFails", { 2, 2 }, { "i:1", "i:2", "s:w", "i:1" }, Of(&Arrays_Class::WeightedSum),
            ErrorCode::ArrayWrongDataType, 0 },
        { "MedianEven", { 4 }, { "i:5", "i:1", "i:4", "i:2" }, Of(&Arrays_Class::Median), Done, 3 },
        { "MedianOdd", { 3 }, { "i:5", "i:1", "i:4" }, Of(&Arrays_Class::Median), Done, 4 },
        { "MedianOfMatrix", { 2, 2 }, {}, Of(&Arrays_Class::Median), ErrorCode::ArrayWrongDimension, 0 },
        { "MedianOfNothing", { 2 }, {}, Of(&Arrays_Class::Median), ErrorCode::ArrayWrongDataType, 0 },
        { "Variance", { 8 }, eight, Of(&Arrays_Class::Variance), Done, 4 },
        { "StdDev", { 8 }, eight, Of(&Arrays_Class::StdDev), Done, 2 },
        { "VarianceOfNothing", { 3 }, {}, Of(&Arrays_Class::Variance), ErrorCode::ArrayWrongDataType, 0 },
        { "MaximumSkipsUnset", { 4 }, { "-", "i:3", "f:7.5", "i:-1" }, Of(&Arrays_Class::Maximum), Done, 7.5 },
        { "MinimumOfTextFails", { 2 }, { "s:a", "i:1" }, Of(&Arrays_Class::Minimum), ErrorCode::ArrayWrongDataType, 0 },
        { "RangeOfRowZero", { 2, 2 }, { "i:3", "i:1", "i:100", "i:-100" }, Of(&Arrays_Class::Range), Done, 2 },
        { "CountCountsTexts", { 2, 3 }, { "i:1", "s:x", "-", "i:2", "-", "i:5" }, Of(&Arrays_Class::Count), Done, 3 },
        { "ThreeDimensions", { 2, 2, 2 }, {}, Of(&Arrays_Class::Count), ErrorCode::ArrayWrongDimension, 0 },
        { "Correlation", { 2, 3 }, { "i:1", "i:2", "i:3", "i:1", "i:2", "i:3" }, Of(&Arrays_Class::Correlation), Done,
            1 },
        { "CorrelationWithoutSpread", { 2, 3 }, { "i:1", "i:1", "i:1", "i:1", "i:2", "i:3" },
            Of(&Arrays_Class::Correlation), ErrorCode::ArrayWrongDataType, 0 },
        { "CorrelationWithAMissingY", { 2, 2 }, { "i:1", "i:2", "i:1" }, Of(&Arrays_Class::Correlation),
            ErrorCode::ArrayWrongDataType, 0 },
        { "CorrelationOfAVector", { 4 }, {}, Of(&Arrays_Class::Correlation), ErrorCode::ArrayWrongDimension, 0 },
        { "LinearSlope", { 2, 3 }, { "i:1", "i:2", "i:3", "i:3", "i:5", "i:7" }, Fit(0, true), Done, 2 },
        { "LinearCoefficient", { 2, 3 }, { "i:1", "i:2", "i:3", "i:3", "i:5", "i:7" }, Fit(0, false), Done, 1 },
        { "ExponentialCoefficient", { 2, 3 },
            { "i:0", "i:1", "i:2", "i:2", "f:5.43656365691809", "f:14.7781121978613" }, Fit(1, false), Done, 2 },
        { "ExponentialOfANegativeY", { 2, 2 }, { "i:0", "i:1", "i:2", "i:-1" }, Fit(1, true),
            ErrorCode::ArrayWrongDataType, 0 },
        { "LogarithmicOfZeroX", { 2, 2 }, { "i:0", "i:1", "i:2", "i:3" }, Fit(2, true), ErrorCode::ArrayWrongDataType,
            0 },
        { "LogarithmicSlope", { 2, 2 }, { "i:1", "f:2.718281828459045", "i:4", "i:7" }, Fit(2, true), Done, 3 },
        { "FitOfOnePoint", { 2, 1 }, { "i:1", "i:2" }, Fit(0, true), ErrorCode::ArrayWrongDataType, 0 },
        { "SumOfNumbersOnly", { 5 }, mixed, AllElements(0), Done, 3.5 },
        { "CountOfNumbers", { 5 }, mixed, AllElements(4), Done, 2 },
        { "AverageOfNumbers", { 5 }, mixed, AllElements(1), Done, 1.75 },
        { "MinimumWithoutNumbers", { 2 }, { "s:a" }, AllElements(2), Done, 1.7e308 },
        // The two starting extremes: their difference passes the double range.
        { "RangeWithoutNumbers", { 2 }, {}, AllElements(5), Done, -HUGE_VAL },
        { "AverageWithoutNumbers", { 2 }, {}, AllElements(1), ErrorCode::ArrayWrongDataType, 0 },
        { "PopulationVariance", { 8 }, eight, AllElements(6), Done, 4 },
        { "UnknownKind", { 2 }, {}, AllElements(8), ErrorCode::ArrayWrongDataType, 0 },
    };
    for (const StatisticCase& c : cases) {
        Arrays_Class arrays;
        Make(arrays, "a", c.sizes, c.elements);
        double value = 0;
        EXPECT_EQ(c.statistic(arrays, value), c.status) << c.title;
        if (c.status) continue;
        if (std::isinf(c.value))
            EXPECT_EQ(value, c.value) << c.title;
        else
            EXPECT_NEAR(value, c.value, 1e-9 * std::max(1.0, std::fabs(c.value))) << c.title;
    }
    Arrays_Class none;
    double value = 0;
    EXPECT_EQ(none.Median("a", value), ErrorCode::ArrayNotDefined);
    EXPECT_EQ(none.AllElementsStatistic("a", 0, value), ErrorCode::ArrayNotDefined);
}

// The reference: the Shell sort written out over the elements themselves.
bool InOrderReference(const std::string& a, const std::string& b, bool ascending)
{
    if (a == "-" || b == "-") return true;
    const bool aText = a[0] == 's';
    if (aText != (b[0] == 's')) return true;
    if (aText) return ascending ? a.substr(2) <= b.substr(2) : a.substr(2) >= b.substr(2);
    const double x = std::stod(a.substr(2));
    const double y = std::stod(b.substr(2));
    return ascending ? x <= y : x >= y;
}

std::vector<std::string> ReferenceSort(std::vector<std::string> items, bool ascending)
{
    const int n = static_cast<int>(items.size());
    for (int gap = n / 2; gap > 0; gap /= 2)
        for (int i = gap; i < n; ++i)
            for (int j = i; j >= gap && !InOrderReference(items[j - gap], items[j], ascending); j -= gap)
                std::swap(items[j], items[j - gap]);
    return items;
}

std::string Joined(const std::string& sizes, const std::vector<std::string>& items)
{
    std::string text = sizes + ":";
    for (const std::string& item : items)
        text += " " + item;
    return text;
}

TEST(Sort, OneDimensionMatchesTheShellSort)
{
    const std::vector<std::vector<std::string>> tables {
        { "i:3", "i:1", "i:2" },
        { "i:3", "s:b", "i:1", "s:a", "f:0.5", "-", "i:2", "s:c", "i:-4", "-" },
        { "f:1", "i:1", "f:1", "i:0", "f:-0.5", "f:0", "i:1", "-", "f:2", "i:-1" },
        { "s:B", "s:a", "s:A", "s:b", "s:", "s:a" },
        { "-", "i:5", "i:4", "i:3", "i:2", "i:1", "i:0", "i:-1", "i:-2", "i:-3" },
    };
    for (const auto& items : tables)
        for (const int type : { 0, 1, 2, 3 }) {
            Arrays_Class arrays;
            Make(arrays, "a", { 10 }, items);
            std::vector<std::string> padded = items;
            padded.resize(10, "-");
            ASSERT_EQ(arrays.Sort("a", 0, type), Done);
            EXPECT_EQ(Dump(arrays, "a"), Joined("10", ReferenceSort(padded, type < 2))) << Joined("in", items);
        }
}

TEST(Sort, QuickPathGivesTheShellSortsResult)
{
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const int set = static_cast<int>(random() % 40);
        std::vector<std::string> items;
        for (int k = 0; k < set; ++k)
            items.push_back(
                round % 2 ? "i:" + std::to_string(random() % 9) : "f:" + std::to_string(random() % 9) + ".5");
        Arrays_Class arrays;
        Make(arrays, "a", { set + 3 }, items);
        const int capacity = arrays.Find("a")->data->capacity;
        items.resize(static_cast<size_t>(capacity), "-");
        ASSERT_EQ(arrays.Sort("a", 0, round % 4 < 2 ? 0 : 2), Done);
        std::vector<std::string> expected = ReferenceSort(items, round % 4 < 2);
        expected.resize(static_cast<size_t>(set + 3));
        EXPECT_EQ(Dump(arrays, "a"), Joined(std::to_string(set + 3), expected));
    }
}

TEST(Sort, RowsAndColumnsMoveWhole)
{
    Arrays_Class arrays;
    Make(arrays, "r", { 3, 2 }, { "i:3", "s:c", "i:1", "s:a", "i:2", "s:b" });
    EXPECT_EQ(arrays.Sort("r", 0, 1), Done);
    EXPECT_EQ(Dump(arrays, "r"), "3x2: i:1 s:a i:2 s:b i:3 s:c");
    EXPECT_EQ(arrays.Sort("r", 1, 3), Done);
    EXPECT_EQ(Dump(arrays, "r"), "3x2: i:3 s:c i:2 s:b i:1 s:a");

    // Columns by row 1; equal keys do not keep their order (the sort is not
    // stable): t passes s, exactly as the Shell sort leaves them.
    Make(arrays, "c", { 2, 5 }, { "s:p", "s:q", "s:r", "s:s", "s:t", "i:1", "i:1", "i:2", "i:1", "i:1" });
    EXPECT_EQ(arrays.Sort("c", 1, 0), Done);
    EXPECT_EQ(Dump(arrays, "c"), "2x5: s:p s:q s:t s:s s:r i:1 i:1 i:1 i:1 i:2");

    EXPECT_EQ(arrays.Sort("r", 2, 1), ErrorCode::ArrayWrongDimension); // a key column outside
    EXPECT_EQ(arrays.Sort("r", 3, 0), ErrorCode::ArrayWrongDimension); // a key row outside
    EXPECT_EQ(arrays.Sort("r", 0, 4), ErrorCode::ArrayWrongDataType);
    EXPECT_EQ(arrays.Sort("x", 0, 0), ErrorCode::ArrayNotDefined);
    Make(arrays, "t", { 2, 2, 2 }, {});
    EXPECT_EQ(arrays.Sort("t", 0, 0), ErrorCode::ArrayWrongDimension);
}

} // namespace
