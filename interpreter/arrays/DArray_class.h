#pragma once

#include "base/Values.h"

// The element store of one named array: a flat, growable vector of typed
// slots. Every slot carries its own tag ('0' never set, 'i', 'f', 's'), so one
// array may mix types and an unset slot differs from a zero.
//
// The tags and the values lie in two parallel blocks. A number lives in its
// slot's cell itself, so setting and reading numbers never allocates; a text
// lives in a heap cell that the slot owns. A pointer to a number therefore
// stays valid only until the store is resized; a text cell keeps its address
// until the slot changes type or is freed.
class DArray_Class {
public:
    // One slot's value; the slot's tag tells which member is live. Unset
    // slots leave their cell unspecified.
    union Cell {
        int32_t i;
        double f;
        AnsiString* s;
    };

    // The largest number of slots a store may have. Larger requests fail like
    // an allocation failure, so that the caller reports it instead of the
    // process running out of memory.
    static constexpr int MaxCapacity = 1 << 26;

    explicit DArray_Class(int n = 10) { Init(n); }
    ~DArray_Class() { Free(); }
    DArray_Class(const DArray_Class&) = delete;
    DArray_Class& operator=(const DArray_Class&) = delete;

    // Capacity max(n, 10), every slot unset, count 0. False (and an empty store)
    // when the slots cannot be allocated.
    bool Init(int n);
    // 1 on success, 0 when the slots cannot be allocated (store unchanged).
    int Resize(int n);

    // Each stores one value at position: 1 stored, 0 refused (no value, a negative
    // position, a position past the capacity without grow, or past the once
    // doubled capacity with grow, an unknown type, or no memory).
    int SetValue(int position, char type, const void* value, bool grow);
    int SetInt(int position, int32_t value, bool grow)
    {
        if (!Inside(position) && !MakeRoom(position, grow)) return 0;
        if (types[position] != Tag::Int && !PrepareNumberSlot(position, Tag::Int)) return 0;
        cells[position].i = value;
        return 1;
    }
    int SetFloat(int position, double value, bool grow)
    {
        if (!Inside(position) && !MakeRoom(position, grow)) return 0;
        if (types[position] != Tag::Float && !PrepareNumberSlot(position, Tag::Float)) return 0;
        cells[position].f = value;
        return 1;
    }
    int SetString(int position, const AnsiString& value, bool grow);
    // An evaluation result ('i', 'f' or 's') stored as SetValue stores it.
    int Store(int position, const Value& value, bool grow)
    {
        if (value.tag == Tag::Int) return SetInt(position, value.i, grow);
        if (value.tag == Tag::Float) return SetFloat(position, value.f, grow);
        if (value.tag == Tag::String) return SetString(position, value.s, grow);
        return 0;
    }

    // The slot's value, null outside 0 .. capacity-1 or when unset.
    void* GetValue(int position) const;
    // The slot's type, '0' outside 0 .. capacity-1.
    char GetType(int position) const { return Inside(position) ? types[position] : Tag::Unset; }
    // The slot's type; a number goes to the outputs given ('f' gives ToInt of
    // the value as the integer), anything else gives 0 to both.
    char GetNumber(int position, int32_t* intValue = nullptr, double* floatValue = nullptr) const;
    // Copies the slot into result; false when outside or unset.
    bool Get(int position, Value& result) const
    {
        if (!Inside(position)) return false;
        switch (types[position]) {
        case Tag::Int:
            result.setInt(cells[position].i);
            return true;
        case Tag::Float:
            result.setFloat(cells[position].f);
            return true;
        case Tag::String:
            result.tag = Tag::String;
            result.s = *cells[position].s;
            return true;
        default:
            return false;
        }
    }

    // The text a slot holds, in place; null outside, unset or holding a number.
    AnsiString* TextAt(int position) const
    {
        return Inside(position) && types[position] == Tag::String ? cells[position].s : nullptr;
    }

    // Truncation toward zero, saturated at the 32-bit limits; 0 for NaN.
    static int32_t ToInt(double x);

    // A deep copy; null when the capacity is not positive or memory ran out.
    DArray_Class* Clone() const;

    // Every slot set to one value; false when the capacity is below 1 or an
    // allocation failed (the remaining slots are still processed).
    bool FillInt(int32_t value);
    bool FillFloat(double value);
    bool FillString(const AnsiString& value);

    // Both blocks hold `capacity` slots, or both are null with capacity 0.
    char* types = nullptr;
    Cell* cells = nullptr;
    int capacity = 0;
    int count = 0;

private:
    bool Inside(int position) const { return static_cast<unsigned>(position) < static_cast<unsigned>(capacity); }
    // Frees a text cell and leaves the slot unset (count unchanged).
    void FreeSlot(int position);
    // Makes the slot hold a value of type; false when memory ran out (slot
    // unchanged).
    bool PrepareSlot(int position, char type);
    // The same for a number type, with a never-set slot done in place.
    bool PrepareNumberSlot(int position, char type)
    {
        if (types[position] != Tag::Unset) return PrepareSlot(position, type);
        types[position] = type;
        ++count;
        return true;
    }
    bool MakeRoom(int position, bool grow);
    void Free();
};
