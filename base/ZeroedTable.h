#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

// A fixed-length table of items that start as all-zero bytes, for tables with
// one slot per byte of a text. A large table is mapped straight from the
// system, which hands out a page of it only when the page is first written:
// the slots of text that is never read cost no memory. A small one lives on
// the heap, since mapping costs a system call or two.
template <class T> class ZeroedTable {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    ZeroedTable() = default;
    ~ZeroedTable() { Release(); }
    ZeroedTable(const ZeroedTable&) = delete;
    ZeroedTable& operator=(const ZeroedTable&) = delete;

    // Makes the table count items long, every item zero. Throws std::bad_alloc
    // when the memory cannot be had; the table is then empty.
    void Assign(size_t count)
    {
        if (count == length && count * sizeof(T) < MapFrom) {
            if (items) std::memset(static_cast<void*>(items), 0, count * sizeof(T));
            return;
        }
        Release();
        if (count == 0) return;
        if (count > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        const size_t bytes = count * sizeof(T);
        void* memory = nullptr;
        if (bytes >= MapFrom) {
            memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
            if (memory == MAP_FAILED) throw std::bad_alloc();
            mapped = true;
        } else {
            memory = ::operator new(bytes);
            std::memset(memory, 0, bytes);
        }
        items = static_cast<T*>(memory);
        length = count;
    }

    size_t size() const { return length; }
    T& operator[](size_t k) { return items[k]; }
    const T& operator[](size_t k) const { return items[k]; }

private:
    // Below this many bytes the table is allocated and cleared as usual.
    static constexpr size_t MapFrom = 256 * 1024;

    void Release()
    {
        if (!items) return;
        if (mapped)
            ::munmap(static_cast<void*>(items), length * sizeof(T));
        else
            ::operator delete(static_cast<void*>(items));
        items = nullptr;
        length = 0;
        mapped = false;
    }

    T* items = nullptr;
    size_t length = 0;
    bool mapped = false;
};
