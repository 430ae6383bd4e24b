#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <vector>

// A view on a run of items that someone else owns. Texts inside the engine are
// (pointer, length) pairs and carry no terminating NUL.
template <class T> class CBufferRefT {
public:
    CBufferRefT() = default;
    CBufferRefT(const T* items, int length)
        : m_items(items)
        , m_length(items ? std::max(length, 0) : 0)
    { }

    const T* Data() const { return m_items; }
    int Size() const { return m_length; }
    const T& operator[](int index) const { return m_items[index]; }

private:
    const T* m_items = nullptr;
    int m_length = 0;
};

// The owning, growable buffer: texts, integer stacks and element lists. Growth
// follows a fixed rule so that memory use is predictable: a text takes at least
// 8 items and doubles (or, when doubling is not enough, takes the needed length
// plus 11 rounded down to a multiple of 8); any other list doubles from 8.
template <class T> class CBufferT {
public:
    int Size() const { return static_cast<int>(m_items.size()); }
    bool Empty() const { return m_items.empty(); }
    const T* Data() const { return m_items.data(); }
    T* Data() { return m_items.data(); }
    T& operator[](int index) { return m_items[static_cast<std::size_t>(index)]; }
    const T& operator[](int index) const { return m_items[static_cast<std::size_t>(index)]; }

    void Push(const T& item)
    {
        Reserve(Size() + 1);
        m_items.push_back(item);
    }
    // Removes and returns the last item; the caller guarantees there is one.
    T Pop()
    {
        T item = m_items.back();
        m_items.pop_back();
        return item;
    }
    T& Top() { return m_items.back(); }
    void Truncate(int size)
    {
        if (size < Size()) m_items.resize(static_cast<std::size_t>(std::max(size, 0)));
    }
    void Clear() { m_items.clear(); }
    void Assign(int count, const T& value)
    {
        Reserve(count);
        m_items.assign(static_cast<std::size_t>(count), value);
    }
    void Append(const T* items, int count)
    {
        Reserve(Size() + count);
        m_items.insert(m_items.end(), items, items + count);
    }

private:
    void Reserve(int needed)
    {
        std::size_t capacity = m_items.capacity();
        if (static_cast<std::size_t>(needed) <= capacity) return;
        std::size_t grown;
        if constexpr (std::is_same_v<T, char>) {
            grown = std::max<std::size_t>(8, capacity * 2);
            if (grown < static_cast<std::size_t>(needed)) grown = (static_cast<std::size_t>(needed) + 11) / 8 * 8;
        } else {
            grown = capacity == 0 ? 8 : capacity * 2;
            if (grown < static_cast<std::size_t>(needed)) grown = static_cast<std::size_t>(needed);
        }
        m_items.reserve(grown);
    }

    std::vector<T> m_items;
};
