#pragma once

#include "interpreter/Values.h"

// The element store of one named array: a flat, growable vector of typed
// slots. Every slot carries its own tag ('0' never set, 'i', 'f', 's'), so one
// array may mix types and an unset slot differs from a zero. Each value lives
// in its own heap cell, so pointers to values stay valid when the store grows.
class DArray_Class {
public:
    struct Element {
        char type = Tag::Unset;
        void* value = nullptr; // int32_t*, double* or AnsiString* by type; null while unset
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
    int SetInt(int position, int32_t value, bool grow);
    int SetFloat(int position, double value, bool grow);
    int SetString(int position, const AnsiString& value, bool grow);

    // The slot's value, null outside 0 .. capacity-1 or when unset.
    void* GetValue(int position) const;
    // The slot's type, '0' outside 0 .. capacity-1.
    char GetType(int position) const;
    // The slot's type; a number goes to the outputs given ('f' gives ToInt of
    // the value as the integer), anything else gives 0 to both.
    char GetNumber(int position, int32_t* intValue = nullptr, double* floatValue = nullptr) const;
    // Copies the slot into result; false when outside or unset.
    bool Get(int position, Value& result) const;

    // Truncation toward zero, saturated at the 32-bit limits; 0 for NaN.
    static int32_t ToInt(double x);

    // A deep copy; null when the capacity is not positive or memory ran out.
    DArray_Class* Clone() const;

    // Every slot set to one value; false when the capacity is below 1 or an
    // allocation failed (the remaining slots are still processed).
    bool FillInt(int32_t value);
    bool FillFloat(double value);
    bool FillString(const AnsiString& value);

    Element* items = nullptr;
    int capacity = 0;
    int count = 0;

private:
    static void FreeValue(Element& element);
    // Makes the slot hold a cell of type; false when memory ran out.
    bool PrepareSlot(int position, char type);
    bool MakeRoom(int position, bool grow);
    void Free();
};
