#pragma once

#include "interpreter/arrays/Arrays_class.h"
#include "support/FloatText.h"

#include <cmath>
#include <memory>
#include <new>
#include <vector>

// What the whole-array operations share: the conversions of elements, and
// making stores within the store's limit. Their answers are named errors
// (ArrayResult.h).
namespace arraywork {

// A double brought to an integer as the element conversions do it: truncated
// toward zero, keeping the low 32 bits of the 64-bit truncation (saturated
// beyond the 64-bit range and for NaN).
inline int32_t LowBits(double x)
{
    constexpr double TwoTo63 = 9223372036854775808.0;
    if (std::isnan(x) || !(x < TwoTo63 && x > -TwoTo63)) return x > 0 ? 2147483647 : -2147483648;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(x))));
}

// The element as an integer: 'i' itself, 'f' by LowBits, anything else 0.
inline int32_t IntegerOf(const DArray_Class& store, int position)
{
    switch (store.GetType(position)) {
    case Tag::Int:
        return store.cells[position].i;
    case Tag::Float:
        return LowBits(store.cells[position].f);
    default:
        return 0;
    }
}

// True when the element is a number; its value (widened) goes to value.
inline bool NumberAt(const DArray_Class& store, int position, double& value)
{
    switch (store.GetType(position)) {
    case Tag::Int:
        value = store.cells[position].i;
        return true;
    case Tag::Float:
        value = store.cells[position].f;
        return true;
    default:
        return false;
    }
}

// The element's text as one-value-per-line files and joined texts show it;
// empty for an unset slot.
inline AnsiString ElementText(const DArray_Class& store, int position)
{
    switch (store.GetType(position)) {
    case Tag::Int:
        return IntToStr(store.cells[position].i);
    case Tag::Float:
        return FloatToStr(store.cells[position].f);
    case Tag::String:
        return *store.cells[position].s;
    default:
        return AnsiString();
    }
}

// A fresh store able to hold `positions` elements, or null when the store's
// limit or the memory refuses it.
inline std::unique_ptr<DArray_Class> NewStore(int64_t positions)
{
    if (positions < 0 || positions > DArray_Class::MaxCapacity) return nullptr;
    auto store = std::unique_ptr<DArray_Class>(new (std::nothrow) DArray_Class(0));
    if (!store || !store->Init(static_cast<int>(positions))) return nullptr;
    return store;
}

// The product of sizes, or -1 beyond the store's limit.
inline int64_t SizeProduct(const std::vector<int>& sizes)
{
    int64_t product = 1;
    for (int size : sizes) {
        product *= size > 0 ? size : 0;
        if (product > DArray_Class::MaxCapacity) return -1;
    }
    return product;
}

inline bool IsMatrix(const Arrays_Class::Node& node)
{
    return node.dimCount == 2;
}

} // namespace arraywork
