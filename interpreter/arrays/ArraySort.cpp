#include "interpreter/arrays/ArraySort.h"
#include "interpreter/arrays/ArraySupport.h"

#include <algorithm>
#include <cmath>
#include <functional>

// Sorting in place. The order a program sees is the Shell sort's (gap half
// the item count, halved, insertion by one gap): it is not stable, and a
// number beside a text or an unset slot is never exchanged with it. The sort
// orders a permutation of item numbers and then moves each item once.

using namespace arraywork;

namespace sortkernel {

namespace {

bool OutOfOrder(const Key& a, const Key& b, Direction direction)
{
    if (a.type == Tag::Unset || b.type == Tag::Unset) return false;
    const bool aText = a.type == Tag::String;
    const bool bText = b.type == Tag::String;
    if (aText != bText) return false;
    if (aText) {
        const int order = a.text->compare(*b.text);
        return direction == Direction::Ascending ? order > 0 : order < 0;
    }
    return direction == Direction::Ascending ? a.number > b.number : a.number < b.number;
}

} // namespace

void ShellSort(const std::vector<Key>& keys, Direction direction, std::vector<int>& order)
{
    const int n = static_cast<int>(keys.size());
    order.resize(keys.size());
    for (int k = 0; k < n; ++k)
        order[static_cast<size_t>(k)] = k;
    for (int gap = n / 2; gap > 0; gap /= 2)
        for (int i = gap; i < n; ++i) {
            const int item = order[static_cast<size_t>(i)];
            const Key& key = keys[static_cast<size_t>(item)];
            int j = i;
            for (;
                 j >= gap && OutOfOrder(keys[static_cast<size_t>(order[static_cast<size_t>(j - gap)])], key, direction);
                 j -= gap)
                order[static_cast<size_t>(j)] = order[static_cast<size_t>(j - gap)];
            order[static_cast<size_t>(j)] = item;
        }
}

bool SortsAsPrefix(const std::vector<Key>& keys, size_t& prefix)
{
    prefix = 0;
    while (prefix < keys.size() && keys[prefix].type != Tag::Unset)
        ++prefix;
    for (size_t k = prefix; k < keys.size(); ++k)
        if (keys[k].type != Tag::Unset) return false;
    if (prefix == 0) return true;
    const char type = keys[0].type;
    if (type == Tag::String) return false;
    for (size_t k = 0; k < prefix; ++k) {
        const Key& key = keys[k];
        // Equal keys must be indistinguishable: one type, and no zero of
        // either sign beside the other.
        if (key.type != type || std::isnan(key.number) || (key.number == 0 && std::signbit(key.number))) return false;
    }
    return true;
}

} // namespace sortkernel

namespace {

using sortkernel::Direction;
using sortkernel::Key;

Key KeyAt(const DArray_Class& store, int position)
{
    Key key;
    key.type = store.GetType(position);
    if (key.type == Tag::Int)
        key.number = store.cells[position].i;
    else if (key.type == Tag::Float)
        key.number = store.cells[position].f;
    else if (key.type == Tag::String)
        key.text = store.cells[position].s;
    return key;
}

// Moves the items of a store by a permutation: item d of the result is item
// order[d] of the source. An item is `width` slots at first + item * stride,
// its slots `step` apart.
void Permute(DArray_Class& store, const std::vector<int>& order, int first, int stride, int width, int step)
{
    const size_t items = order.size();
    std::vector<char> types(items * static_cast<size_t>(width));
    std::vector<DArray_Class::Cell> cells(items * static_cast<size_t>(width));
    for (size_t d = 0; d < items; ++d)
        for (int w = 0; w < width; ++w) {
            const int from = first + order[d] * stride + w * step;
            types[d * static_cast<size_t>(width) + static_cast<size_t>(w)] = store.types[from];
            cells[d * static_cast<size_t>(width) + static_cast<size_t>(w)] = store.cells[from];
        }
    // Text cells change slots, not owners: each moves exactly once.
    for (size_t d = 0; d < items; ++d)
        for (int w = 0; w < width; ++w) {
            const int to = first + static_cast<int>(d) * stride + w * step;
            store.types[to] = types[d * static_cast<size_t>(width) + static_cast<size_t>(w)];
            store.cells[to] = cells[d * static_cast<size_t>(width) + static_cast<size_t>(w)];
        }
}

// SortsAsPrefix read from the store itself, without keys.
bool NumbersAsPrefix(const DArray_Class& store, size_t& prefix)
{
    const size_t n = static_cast<size_t>(store.capacity);
    prefix = 0;
    while (prefix < n && store.types[prefix] != Tag::Unset)
        ++prefix;
    for (size_t k = prefix; k < n; ++k)
        if (store.types[k] != Tag::Unset) return false;
    if (prefix == 0) return true;
    const char type = store.types[0];
    if (type == Tag::String) return false;
    for (size_t k = 0; k < prefix; ++k) {
        if (store.types[k] != type) return false;
        if (type == Tag::Float) {
            const double value = store.cells[k].f;
            if (std::isnan(value) || (value == 0 && std::signbit(value))) return false;
        }
    }
    return true;
}

// The quick way for a prefix of numbers of one type followed by unset slots:
// any correct sort gives the Shell sort's result there.
void SortNumbers(DArray_Class& store, size_t count, Direction direction)
{
    if (store.types[0] == Tag::Int) {
        std::vector<int32_t> values(count);
        for (size_t k = 0; k < count; ++k)
            values[k] = store.cells[k].i;
        if (direction == Direction::Ascending)
            std::sort(values.begin(), values.end());
        else
            std::sort(values.begin(), values.end(), std::greater<>());
        for (size_t k = 0; k < count; ++k)
            store.cells[k].i = values[k];
    } else {
        std::vector<double> values(count);
        for (size_t k = 0; k < count; ++k)
            values[k] = store.cells[k].f;
        if (direction == Direction::Ascending)
            std::sort(values.begin(), values.end());
        else
            std::sort(values.begin(), values.end(), std::greater<>());
        for (size_t k = 0; k < count; ++k)
            store.cells[k].f = values[k];
    }
}

} // namespace

ArrayResult Arrays_Class::Sort(std::string_view name, int key, int type)
{
    Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 1 && node->dimCount != 2) return ErrorCode::ArrayWrongDimension;
    if (type < 0 || type > 3) return ErrorCode::ArrayWrongDataType;
    if (!node->data) return ErrorCode::ArrayWrongDataType;
    DArray_Class& store = *node->data;
    const Direction direction = type < 2 ? Direction::Ascending : Direction::Descending;
    std::vector<Key> keys;
    std::vector<int> order;
    if (node->dimCount == 1) {
        size_t prefix = 0;
        if (NumbersAsPrefix(store, prefix)) {
            if (prefix > 1) SortNumbers(store, prefix, direction);
            return std::nullopt;
        }
        keys.resize(static_cast<size_t>(store.capacity));
        for (int k = 0; k < store.capacity; ++k)
            keys[static_cast<size_t>(k)] = KeyAt(store, k);
        sortkernel::ShellSort(keys, direction, order);
        Permute(store, order, 0, 1, 1, 1);
        return std::nullopt;
    }
    const int rows = node->dims[0];
    const int columns = node->dims[1];
    const bool sortColumns = type == 0 || type == 2;
    // A key outside the array has nothing to sort by.
    if (key < 0 || key >= (sortColumns ? rows : columns)) return ErrorCode::ArrayWrongDimension;
    const int items = sortColumns ? columns : rows;
    keys.resize(static_cast<size_t>(items));
    for (int k = 0; k < items; ++k)
        keys[static_cast<size_t>(k)] = KeyAt(store, sortColumns ? key * columns + k : k * columns + key);
    sortkernel::ShellSort(keys, direction, order);
    if (sortColumns)
        Permute(store, order, 0, 1, rows, columns);
    else
        Permute(store, order, 0, columns, columns, 1);
    return std::nullopt;
}
