#pragma once

#include <new>
#include <utility>

// The growable array of the run-time lists. Capacity is never below 10; the
// template does no bounds checking of its own: before touching items[i] a caller
// grows the array (doubling) when i is at or past the capacity. `count` is not
// maintained here; users that need a fill count keep their own.
template <typename T> class DArray {
public:
    T* items = nullptr;
    int capacity = 0;
    int count = 0;

    explicit DArray(int n = 10)
    {
        capacity = n > 10 ? n : 10;
        items = new (std::nothrow) T[capacity]();
        if (!items) capacity = 10;
    }
    ~DArray() { delete[] items; }
    DArray(const DArray&) = delete;
    DArray& operator=(const DArray&) = delete;

    // Grows to n elements, keeping the first `capacity` ones. Does nothing when
    // the array holds no block or n is not larger than the capacity.
    void Grow(int n)
    {
        if (!items || n <= capacity) return;
        T* bigger = new (std::nothrow) T[n]();
        if (!bigger) return;
        for (int k = 0; k < capacity; ++k)
            bigger[k] = std::move(items[k]);
        delete[] items;
        items = bigger;
        capacity = n;
    }

    // Grows by doubling until index fits; false when it cannot (a negative
    // index, or memory ran out).
    bool EnsureIndex(int index)
    {
        if (index < 0 || !items) return false;
        while (index >= capacity) {
            int before = capacity;
            if (capacity > (1 << 29)) return false;
            Grow(capacity * 2);
            if (capacity == before) return false;
        }
        return true;
    }
};
