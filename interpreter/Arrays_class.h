#pragma once

#include "base/DArray.h"
#include "base/Values.h"
#include "interpreter/DArray_class.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

// The named multi-dimensional arrays of one run. Names are case-sensitive; the
// list keeps definition order, a hash index finds names in constant time. Each
// array lays its elements out row-major (the last index varies fastest) in one
// element store. Element access of an undefined array or outside its sizes
// answers 0 or null; the caller raises the run-time error.
//
// Keeping a node instead of a name: a caller that found a node may keep it
// with identity() and use it again, without a lookup, while identity() still
// returns the same number. The identity is unique over the process (a table
// made later never repeats one, even at the same address) and is renewed by
// every change to which nodes exist or to a node's shape or store: Define,
// DefineLike, Remove and Append (and the table's end). Element writes keep it.
// Read a kept node's dimCount, dims and data afresh at each use; never keep a
// pointer into the store's slots, since a grow moves them.
//
// The evaluator's name tokens keep their array this way:
// Expression_Class::FindArray (a token) and CurrentTokenArray (the current
// token) give the node of the name in the evaluator's table, null when the
// name is no array.
class Arrays_Class {
public:
    struct Node {
        AnsiString name;
        int dimCount = 0;
        std::vector<int> dims;
        std::unique_ptr<DArray_Class> data;
        Node* next = nullptr;
    };

    Arrays_Class() = default;
    ~Arrays_Class();
    Arrays_Class(const Arrays_Class&) = delete;
    Arrays_Class& operator=(const Arrays_Class&) = delete;

    // Creates the array, or redefines it in place with new sizes and an empty
    // store. A negative size is kept as 0. Returns 1, or -2 when the store
    // cannot be made (sizes too large or no memory); the table is then
    // unchanged.
    int Define(std::string_view name, int n, const DArray<int>& sizes);
    int Define(std::string_view name, int n, const int* sizes);
    // For operations that install a store of their own: a new array gets the
    // sizes and no store; an existing one loses its store and takes the sizes
    // only when it is one-dimensional with size 1. Returns 1 and the node.
    int DefineLike(std::string_view name, int n, const DArray<int>& sizes, Node*& node);
    void Remove(std::string_view name);

    // The flat position of an index list, or -1 when an index is negative or at
    // or past its size.
    static int FlatIndex(const DArray<int>& indexes, int n, const int* sizes);
    static int FlatIndex(const int* indexes, int n, const int* sizes)
    {
        // A negative index would land on another element; refuse it like one
        // past the end.
        for (int k = 0; k < n; ++k) {
            if (indexes[k] < 0 || indexes[k] >= sizes[k]) return -1;
        }
        if (n <= 0) return 0;
        int64_t position = indexes[n - 1];
        int64_t stride = 1;
        for (int k = n - 2; k >= 0; --k) {
            stride *= sizes[k + 1];
            position += indexes[k] * stride;
            if (position > 2147483647) return -1;
        }
        return static_cast<int>(position);
    }
    // The flat position of an element of array (the list holds at least its
    // dimension count of indexes), or -1.
    static int Position(const Node& array, const DArray<int>& indexes)
    {
        if (array.dimCount > indexes.capacity || !indexes.items) return -1;
        return FlatIndex(indexes.items, array.dimCount, array.dims.data());
    }

    int DimCount(std::string_view name) const;
    // Size of dimension k counted from 1; k past the last means the last, k
    // below 1 the first. 0 when undefined.
    int DimSize(std::string_view name, int k) const;

    // 1 stored; 0 when undefined, out of range or refused by the store.
    int SetElement(std::string_view name, const DArray<int>& indexes, char type, const void* value);
    int SetElementInt(std::string_view name, const DArray<int>& indexes, int32_t value);
    int SetElementFloat(std::string_view name, const DArray<int>& indexes, double value);
    // The element's tag ('0' never set); the character code 0 when undefined or
    // out of range.
    char GetElementType(std::string_view name, const DArray<int>& indexes) const;
    // The element's value; null when undefined, out of range or never set.
    void* GetElement(std::string_view name, const DArray<int>& indexes) const;

    // Grows a one-dimensional array by one element holding the value. 0 when
    // the array is undefined, not one-dimensional, or the value cannot be stored.
    int Append(std::string_view name, char type, const void* value);
    int AppendInt(std::string_view name, int32_t value) { return Append(name, Tag::Int, &value); }
    int AppendFloat(std::string_view name, double value) { return Append(name, Tag::Float, &value); }
    int AppendString(std::string_view name, const AnsiString& value) { return Append(name, Tag::String, &value); }

    Node* Find(std::string_view name) const;
    // See the class comment: kept nodes stay valid while this is unchanged.
    uint64_t identity() const { return tableIdentity; }

    // Copies the element at the index list (count given; missing indexes count
    // as 0) into result. False when out of range or never set.
    static bool ReadElement(const Node& array, const int* indexes, int indexCount, Value& result)
    {
        if (!array.data) return false;
        if (indexCount < array.dimCount) return ReadPaddedElement(array, indexes, indexCount, result);
        return array.data->Get(FlatIndex(indexes, array.dimCount, array.dims.data()), result);
    }
    // The element access of a node already found, as GetElement and
    // SetElement do it by name. Reading gives false when out of range, without
    // a store or never set; writing stores the result ('i', 'f' or 's') with
    // the grow flag and gives 0 when out of range, without a store or refused.
    static bool ReadElement(const Node& array, const DArray<int>& indexes, Value& result)
    {
        int position = Position(array, indexes);
        return position >= 0 && array.data && array.data->Get(position, result);
    }
    // The text an element holds, in place, so that an assignment appends to
    // it without copying; null when out of range, never set or a number. An
    // index list shorter than the dimensions gives null too.
    static AnsiString* ElementText(const Node& array, const DArray<int>& indexes)
    {
        return array.data ? array.data->TextAt(Position(array, indexes)) : nullptr;
    }
    static AnsiString* ElementText(const Node& array, const int* indexes, int indexCount)
    {
        if (!array.data || indexCount < array.dimCount) return nullptr;
        return array.data->TextAt(FlatIndex(indexes, array.dimCount, array.dims.data()));
    }
    static int WriteElement(Node& array, const DArray<int>& indexes, const Value& value)
    {
        if (!array.data) return 0;
        int position = Position(array, indexes);
        return position < 0 ? 0 : array.data->Store(position, value, true);
    }

    int count = 0;
    Node* head = nullptr;
    Node* tail = nullptr;

private:
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };
    // ReadElement with fewer indexes than dimensions.
    static bool ReadPaddedElement(const Node& array, const int* indexes, int indexCount, Value& result);
    static uint64_t NewIdentity();
    uint64_t tableIdentity = NewIdentity();
    std::unordered_map<AnsiString, Node*, NameHash, std::equal_to<>> index;
};
