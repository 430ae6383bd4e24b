#include "interpreter/arrays/ArraySupport.h"

#include <algorithm>
#include <cmath>

// Descriptive statistics of values and weights, the correlation coefficient,
// the least-squares fits of two rows, and statistics over every element.
// Sums run in index order in doubles.

using namespace arraywork;

namespace {

// Where an operation reads its values: a one-dimensional array's every slot
// with weight 1, or row 0 of a two-dimensional one with the weights in row 1.
struct Layout {
    const DArray_Class* store = nullptr;
    int values = 0; // slots 0 .. values-1 hold the values
    int weights = -1; // the weight of value k lies at weights + k; -1 for none
};

ArrayResult FindLayout(const Arrays_Class& arrays, std::string_view name, bool twoDimensionsAllowed, Layout& layout)
{
    const Arrays_Class::Node* node = arrays.Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 1 && !(twoDimensionsAllowed && node->dimCount == 2)) return ErrorCode::ArrayWrongDimension;
    if (!node->data) return ErrorCode::ArrayWrongDataType;
    layout.store = node->data.get();
    if (node->dimCount == 1) {
        layout.values = node->data->capacity;
    } else {
        layout.values = std::min(node->dims[1], node->data->capacity);
        layout.weights = node->dims[1];
    }
    return std::nullopt;
}

// The weight of value k: 1 when there is no weight row or its slot is unset
// (or past the store); false for a text.
bool WeightOf(const Layout& layout, int k, double& weight)
{
    weight = 1;
    if (layout.weights < 0) return true;
    const int position = layout.weights + k;
    const char type = layout.store->GetType(position);
    if (type == Tag::Unset) return true;
    return NumberAt(*layout.store, position, weight);
}

// W = sum of weights, S1 = sum w v, S2 = sum w v^2 over the set values.
struct Sums {
    double w = 0;
    double s1 = 0;
    double s2 = 0;
};

ArrayResult WeightedSums(const Arrays_Class& arrays, std::string_view name, Sums& sums)
{
    Layout layout;
    if (const ArrayResult error = FindLayout(arrays, name, true, layout)) return error;
    for (int k = 0; k < layout.values; ++k) {
        if (layout.store->GetType(k) == Tag::Unset) continue;
        double v = 0;
        double w = 0;
        if (!NumberAt(*layout.store, k, v) || !WeightOf(layout, k, w)) return ErrorCode::ArrayWrongDataType;
        sums.w += w;
        sums.s1 += w * v;
        sums.s2 += w * v * v;
    }
    return std::nullopt;
}

enum class Extreme { Largest, Smallest };

ArrayResult FindExtreme(const Arrays_Class& arrays, std::string_view name, Extreme extreme, double& result)
{
    Layout layout;
    if (const ArrayResult error = FindLayout(arrays, name, true, layout)) return error;
    bool any = false;
    for (int k = 0; k < layout.values; ++k) {
        if (layout.store->GetType(k) == Tag::Unset) continue;
        double v = 0;
        if (!NumberAt(*layout.store, k, v)) return ErrorCode::ArrayWrongDataType;
        if (!any || (extreme == Extreme::Largest ? v > result : v < result)) result = v;
        any = true;
    }
    if (!any) return ErrorCode::ArrayWrongDataType;
    return std::nullopt;
}

// The pairs of a two-row array: x at k, y at columns + k. Calls add(x, y) for
// each pair whose x is set; false for a text or a set x without its y.
template <typename Add> ArrayResult ForEachPair(const Arrays_Class& arrays, std::string_view name, Add add)
{
    const Arrays_Class::Node* node = arrays.Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 2) return ErrorCode::ArrayWrongDimension;
    if (!node->data) return ErrorCode::ArrayWrongDataType;
    const DArray_Class& store = *node->data;
    const int columns = node->dims[1];
    for (int k = 0; k < columns; ++k) {
        if (store.GetType(k) == Tag::Unset) continue;
        double x = 0;
        double y = 0;
        if (!NumberAt(store, k, x) || !NumberAt(store, columns + k, y)) return ErrorCode::ArrayWrongDataType;
        if (!add(x, y)) return ErrorCode::ArrayWrongDataType;
    }
    return std::nullopt;
}

// Shell sort, gap halving from half the count, ascending.
void ShellSort(std::vector<double>& values)
{
    const size_t n = values.size();
    for (size_t gap = n / 2; gap > 0; gap /= 2)
        for (size_t i = gap; i < n; ++i) {
            const double item = values[i];
            size_t j = i;
            for (; j >= gap && values[j - gap] > item; j -= gap)
                values[j] = values[j - gap];
            values[j] = item;
        }
}

} // namespace

ArrayResult Arrays_Class::WeightedSum(std::string_view name, double& result)
{
    Sums sums;
    const ArrayResult error = WeightedSums(*this, name, sums);
    if (!error) result = sums.s1;
    return error;
}

ArrayResult Arrays_Class::WeightedMean(std::string_view name, double& result)
{
    Sums sums;
    const ArrayResult error = WeightedSums(*this, name, sums);
    if (!error) result = sums.w == 0 ? 0 : sums.s1 / sums.w;
    return error;
}

ArrayResult Arrays_Class::Variance(std::string_view name, double& result)
{
    Sums sums;
    const ArrayResult error = WeightedSums(*this, name, sums);
    if (error) return error;
    if (sums.w == 0) return ErrorCode::ArrayWrongDataType;
    const double mean = sums.s1 / sums.w;
    result = sums.s2 / sums.w - mean * mean;
    return std::nullopt;
}

ArrayResult Arrays_Class::StdDev(std::string_view name, double& result)
{
    double variance = 0;
    const ArrayResult error = Variance(name, variance);
    if (error) return error;
    if (variance < 0) return ErrorCode::ArrayWrongDataType;
    result = std::sqrt(variance);
    return std::nullopt;
}

ArrayResult Arrays_Class::Count(std::string_view name, double& result)
{
    Layout layout;
    if (const ArrayResult error = FindLayout(*this, name, true, layout)) return error;
    double total = 0;
    for (int k = 0; k < layout.values; ++k) {
        if (layout.store->GetType(k) == Tag::Unset) continue;
        double w = 0;
        if (!WeightOf(layout, k, w)) return ErrorCode::ArrayWrongDataType;
        total += w;
    }
    result = total;
    return std::nullopt;
}

ArrayResult Arrays_Class::Maximum(std::string_view name, double& result)
{
    return FindExtreme(*this, name, Extreme::Largest, result);
}

ArrayResult Arrays_Class::Minimum(std::string_view name, double& result)
{
    return FindExtreme(*this, name, Extreme::Smallest, result);
}

ArrayResult Arrays_Class::Range(std::string_view name, double& result)
{
    double largest = 0;
    double smallest = 0;
    if (const ArrayResult error = Maximum(name, largest)) return error;
    if (const ArrayResult error = Minimum(name, smallest)) return error;
    result = largest - smallest;
    return std::nullopt;
}

ArrayResult Arrays_Class::Median(std::string_view name, double& result)
{
    Layout layout;
    if (const ArrayResult error = FindLayout(*this, name, false, layout)) return error;
    std::vector<double> values;
    for (int k = 0; k < layout.values; ++k) {
        if (layout.store->GetType(k) == Tag::Unset) continue;
        double v = 0;
        if (!NumberAt(*layout.store, k, v)) return ErrorCode::ArrayWrongDataType;
        values.push_back(v);
    }
    if (values.empty()) return ErrorCode::ArrayWrongDataType;
    ShellSort(values);
    const size_t middle = values.size() / 2;
    result = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return std::nullopt;
}

ArrayResult Arrays_Class::Correlation(std::string_view name, double& result)
{
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    const ArrayResult error = ForEachPair(*this, name, [&](double x, double y) {
        n += 1;
        sx += x;
        sy += y;
        sxx += x * x;
        syy += y * y;
        sxy += x * y;
        return true;
    });
    if (error) return error;
    if (n == 0) return ErrorCode::ArrayWrongDataType;
    const double q = (sxx - sx * sx / n) * (syy - sy * sy / n);
    if (!(q > 0)) return ErrorCode::ArrayWrongDataType;
    result = (sxy - sx * sy / n) / std::sqrt(q);
    return std::nullopt;
}

ArrayResult Arrays_Class::Regression(std::string_view name, int kind, double& slope, double& coefficient)
{
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    const ArrayResult error = ForEachPair(*this, name, [&](double x, double y) {
        // The exponential fit works on ln y, the logarithmic one on ln x:
        // values without a logarithm cannot be fitted.
        if (kind == 1) {
            if (!(y > 0)) return false;
            y = std::log(y);
        } else if (kind == 2) {
            if (!(x > 0)) return false;
            x = std::log(x);
        }
        n += 1;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
        return true;
    });
    if (error) return error;
    const double d = sx * sx - n * sxx;
    if (n == 0 || d == 0) return ErrorCode::ArrayWrongDataType;
    slope = (sx * sy - n * sxy) / d;
    coefficient = (sxy * sx - sxx * sy) / d;
    if (kind == 1) coefficient = std::exp(coefficient);
    return std::nullopt;
}

ArrayResult Arrays_Class::AllElementsStatistic(std::string_view name, int kind, double& result)
{
    const Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (!node->data || node->data->capacity < 1) return ErrorCode::ArrayWrongDataType;
    const DArray_Class& store = *node->data;
    double n = 0, sum = 0, squares = 0, smallest = 1.7e308, largest = -1.7e308;
    for (int k = 0; k < store.capacity; ++k) {
        double v = 0;
        if (!NumberAt(store, k, v)) continue;
        n += 1;
        sum += v;
        squares += v * v;
        if (v < smallest) smallest = v;
        if (v > largest) largest = v;
    }
    switch (kind) {
    case 0:
        result = sum;
        return std::nullopt;
    case 1:
        if (n == 0) return ErrorCode::ArrayWrongDataType;
        result = sum / n;
        return std::nullopt;
    case 2:
        result = smallest;
        return std::nullopt;
    case 3:
        result = largest;
        return std::nullopt;
    case 4:
        result = n;
        return std::nullopt;
    case 5:
        result = largest - smallest;
        return std::nullopt;
    case 6:
    case 7: {
        if (n == 0) return ErrorCode::ArrayWrongDataType;
        const double mean = sum / n;
        const double variance = squares / n - mean * mean;
        result = kind == 6 ? variance : std::sqrt(variance);
        return std::nullopt;
    }
    default:
        return ErrorCode::ArrayWrongDataType;
    }
}
