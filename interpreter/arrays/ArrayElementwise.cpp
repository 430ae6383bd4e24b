#include "interpreter/arrays/ArraySupport.h"

#include <algorithm>

// Whole-array work element by element: scaling, bit operations, fills,
// copies, sums and differences of two arrays, diagonals and colour combining.
// Unless said otherwise every slot of the store is visited, and unset slots
// and texts pass through unchanged.

using namespace arraywork;

namespace {

// The store of a defined array, or null (the caller answers error 72 or 71).
DArray_Class* StoreOf(Arrays_Class::Node* node)
{
    return node && node->data && node->data->capacity > 0 ? node->data.get() : nullptr;
}

int32_t Wrapped(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

int32_t Combine(int32_t t, int32_t s, int kind)
{
    const uint32_t shift = static_cast<uint32_t>(s) & 31u;
    switch (kind) {
    case 0:
        return t & s;
    case 1:
        return t | s;
    case 2:
        return t ^ s;
    case 3:
        return static_cast<int32_t>(static_cast<uint32_t>(t) << shift);
    case 4:
        return t >> shift;
    default:
        return ~t;
    }
}

// The positions of a store that the array's sizes cover.
int CoveredPositions(const Arrays_Class::Node& node)
{
    const int64_t covered = Arrays_Class::Covered(node);
    const int capacity = node.data ? node.data->capacity : 0;
    return covered < 0 ? capacity : static_cast<int>(std::min<int64_t>(covered, capacity));
}

template <typename Store> ArrayResult Fill(Arrays_Class& arrays, std::string_view name, Store store)
{
    Arrays_Class::Node* node = arrays.Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    DArray_Class* data = StoreOf(node);
    if (!data) return ErrorCode::ArrayWrongDataType;
    const int positions = CoveredPositions(*node);
    bool stored = true;
    for (int k = 0; k < positions; ++k)
        stored = store(*data, k) && stored;
    if (!stored) return ErrorCode::ArrayWrongDataType;
    return std::nullopt;
}

// Finds both arrays of an element-wise operation and checks that they match.
ArrayResult Pair(
    Arrays_Class& arrays, std::string_view source, std::string_view target, DArray_Class*& s, DArray_Class*& t)
{
    Arrays_Class::Node* sourceNode = arrays.Find(source);
    Arrays_Class::Node* targetNode = arrays.Find(target);
    if (!sourceNode || !targetNode) return ErrorCode::ArrayNotDefined;
    if (sourceNode->dimCount != targetNode->dimCount || sourceNode->dims != targetNode->dims)
        return ErrorCode::ArraysDifferInDimension;
    s = StoreOf(sourceNode);
    t = StoreOf(targetNode);
    if (!s || !t) return ErrorCode::ArrayWrongDataType;
    if (s->capacity != t->capacity) return ErrorCode::ArraysDifferInDimension;
    return std::nullopt;
}

enum class Arithmetic { Add, Subtract };

ArrayResult ElementWise(Arrays_Class& arrays, std::string_view source, std::string_view target, Arithmetic op)
{
    DArray_Class* s = nullptr;
    DArray_Class* t = nullptr;
    if (const ArrayResult error = Pair(arrays, source, target, s, t)) return error;
    const bool add = op == Arithmetic::Add;
    bool stored = true;
    for (int k = 0; k < t->capacity; ++k) {
        const char tt = t->GetType(k);
        const char st = s->GetType(k);
        if (tt == Tag::Unset || st == Tag::Unset) continue;
        if (st == Tag::String) {
            if (!add) continue;
            // A text source joins the target's text form.
            const AnsiString suffix = *s->cells[k].s;
            stored = t->SetString(k, ElementText(*t, k) + suffix, false) && stored;
            continue;
        }
        if (tt == Tag::String) {
            if (add) t->cells[k].s->append(ElementText(*s, k));
            continue;
        }
        if (tt == Tag::Int && st == Tag::Int) {
            const int64_t a = t->cells[k].i;
            const int64_t b = s->cells[k].i;
            t->cells[k].i = Wrapped(add ? a + b : a - b);
            continue;
        }
        double a = 0;
        double b = 0;
        NumberAt(*t, k, a);
        NumberAt(*s, k, b);
        t->SetFloat(k, add ? a + b : a - b, false);
    }
    if (!stored) return ErrorCode::ArrayWrongDataType;
    return std::nullopt;
}

template <typename Store> ArrayResult Diagonal(Arrays_Class& arrays, std::string_view name, Store store)
{
    Arrays_Class::Node* node = arrays.Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (!IsMatrix(*node)) return ErrorCode::ArrayWrongDimension;
    DArray_Class* data = StoreOf(node);
    if (!data) return ErrorCode::ArrayWrongDataType;
    const int rows = node->dims[0];
    const int columns = node->dims[1];
    bool stored = true;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            stored = store(*data, r * columns + c, r == c) && stored;
    if (!stored) return ErrorCode::ArrayWrongDataType;
    return std::nullopt;
}

} // namespace

ArrayResult Arrays_Class::ScaleByInt(std::string_view name, int32_t k)
{
    Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    DArray_Class* data = StoreOf(node);
    if (!data) return ErrorCode::ArrayWrongDataType;
    for (int p = 0; p < data->capacity; ++p) {
        if (data->types[p] == Tag::Int)
            data->cells[p].i = Wrapped(static_cast<int64_t>(data->cells[p].i) * k);
        else if (data->types[p] == Tag::Float)
            data->cells[p].f *= k;
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::ScaleByFloat(std::string_view name, double x)
{
    Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    DArray_Class* data = StoreOf(node);
    if (!data) return ErrorCode::ArrayWrongDataType;
    for (int p = 0; p < data->capacity; ++p) {
        if (data->types[p] == Tag::Float)
            data->cells[p].f *= x;
        else if (data->types[p] == Tag::Int)
            data->SetFloat(p, data->cells[p].i * x, false);
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::BitOperation(std::string_view name, int32_t v, int kind)
{
    Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    DArray_Class* data = StoreOf(node);
    if (!data) return ErrorCode::ArrayWrongDataType;
    for (int p = 0; p < data->capacity; ++p) {
        const char type = data->types[p];
        if (type == Tag::Int || type == Tag::Float) data->SetInt(p, Combine(IntegerOf(*data, p), v, kind), false);
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::FillInt(std::string_view name, int32_t value)
{
    return Fill(*this, name, [value](DArray_Class& data, int k) { return data.SetInt(k, value, false) == 1; });
}

ArrayResult Arrays_Class::FillFloat(std::string_view name, double value)
{
    return Fill(*this, name, [value](DArray_Class& data, int k) { return data.SetFloat(k, value, false) == 1; });
}

ArrayResult Arrays_Class::FillString(std::string_view name, const AnsiString& value)
{
    return Fill(*this, name, [&value](DArray_Class& data, int k) { return data.SetString(k, value, false) == 1; });
}

ArrayResult Arrays_Class::Copy(std::string_view source, std::string_view target)
{
    const Node* node = Find(source);
    if (!node) return ErrorCode::ArrayNotDefined;
    std::unique_ptr<DArray_Class> copy(node->data ? node->data->Clone() : nullptr);
    if (!copy) return ErrorCode::OutOfMemory;
    Install(target, node->dims, std::move(copy));
    return std::nullopt;
}

ArrayResult Arrays_Class::AddArrays(std::string_view source, std::string_view target)
{
    return ElementWise(*this, source, target, Arithmetic::Add);
}

ArrayResult Arrays_Class::SubtractArrays(std::string_view source, std::string_view target)
{
    return ElementWise(*this, source, target, Arithmetic::Subtract);
}

ArrayResult Arrays_Class::BitOperationArrays(std::string_view source, std::string_view target, int kind)
{
    DArray_Class* s = nullptr;
    DArray_Class* t = nullptr;
    if (const ArrayResult error = Pair(*this, source, target, s, t)) return error;
    for (int k = 0; k < t->capacity; ++k) {
        const char type = t->types[k];
        if (type == Tag::Int || type == Tag::Float)
            t->SetInt(k, Combine(IntegerOf(*t, k), IntegerOf(*s, k), kind), false);
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::DiagonalInt(std::string_view name, int32_t value)
{
    return Diagonal(*this, name,
        [value](DArray_Class& data, int k, bool onDiagonal) { return data.SetInt(k, onDiagonal ? value : 0, false); });
}

ArrayResult Arrays_Class::DiagonalFloat(std::string_view name, double value)
{
    return Diagonal(*this, name, [value](DArray_Class& data, int k, bool onDiagonal) {
        return data.SetFloat(k, onDiagonal ? value : 0.0, false);
    });
}

ArrayResult Arrays_Class::DiagonalString(std::string_view name, const AnsiString& value)
{
    return Diagonal(*this, name, [&value](DArray_Class& data, int k, bool onDiagonal) {
        return data.SetString(k, onDiagonal ? value : AnsiString(), false);
    });
}

ArrayResult Arrays_Class::CombineColors(
    std::string_view red, std::string_view green, std::string_view blue, std::string_view target)
{
    const Node* sources[3] = { Find(red), Find(green), Find(blue) };
    for (const Node* source : sources)
        if (!source) return ErrorCode::ArrayNotDefined;
    for (const Node* source : sources)
        if (!IsMatrix(*source) || source->dims != sources[0]->dims || !source->data)
            return ErrorCode::ArrayWrongDimension;
    const std::vector<int> sizes = sources[0]->dims;
    auto store = NewStore(SizeProduct(sizes));
    // Past the checks the target counts as made: without room for the result
    // it is removed, whether it stood before or names a source.
    if (!store) {
        Remove(target);
        return ErrorCode::OutOfMemory;
    }
    const int positions = sizes[0] * sizes[1];
    for (int k = 0; k < positions; ++k) {
        const int64_t colour = static_cast<int64_t>(IntegerOf(*sources[0]->data, k))
            + static_cast<int64_t>(IntegerOf(*sources[1]->data, k)) * 256
            + static_cast<int64_t>(IntegerOf(*sources[2]->data, k)) * 65536;
        store->SetInt(k, Wrapped(colour), false);
    }
    Install(target, sizes, std::move(store));
    return std::nullopt;
}
