#include "interpreter/arrays/DArray_class.h"

#include <cmath>
#include <cstring>
#include <new>

bool DArray_Class::Init(int n)
{
    Free();
    int wanted = n > 10 ? n : 10;
    if (wanted > MaxCapacity) return false;
    // The cells stay uninitialised: only set slots are ever read, so a large
    // array costs no writes (nor touched pages) beyond its tags until filled.
    char* freshTypes = new (std::nothrow) char[static_cast<size_t>(wanted)];
    Cell* freshCells = freshTypes ? new (std::nothrow) Cell[static_cast<size_t>(wanted)] : nullptr;
    if (!freshCells) {
        delete[] freshTypes;
        return false;
    }
    std::memset(freshTypes, Tag::Unset, static_cast<size_t>(wanted));
    types = freshTypes;
    cells = freshCells;
    capacity = wanted;
    return true;
}

void DArray_Class::FreeSlot(int position)
{
    if (types[position] == Tag::String) delete cells[position].s;
    types[position] = Tag::Unset;
}

void DArray_Class::Free()
{
    for (int k = 0; k < capacity; ++k) {
        if (types[k] == Tag::String) delete cells[k].s;
    }
    delete[] types;
    delete[] cells;
    types = nullptr;
    cells = nullptr;
    capacity = 0;
    count = 0;
}

int DArray_Class::Resize(int n)
{
    if (n < 10) n = 10;
    if (n == capacity && types) return 1;
    if (!types) return Init(n) ? 1 : 0;
    if (n > MaxCapacity) return 0;
    char* freshTypes = new (std::nothrow) char[static_cast<size_t>(n)];
    Cell* freshCells = freshTypes ? new (std::nothrow) Cell[static_cast<size_t>(n)] : nullptr;
    if (!freshCells) {
        delete[] freshTypes;
        return 0;
    }
    // The values move: text cells change owner, they are not copied.
    int kept = n < capacity ? n : capacity;
    std::memcpy(freshTypes, types, static_cast<size_t>(kept));
    std::memcpy(static_cast<void*>(freshCells), cells, static_cast<size_t>(kept) * sizeof(Cell));
    if (n > kept) std::memset(freshTypes + kept, Tag::Unset, static_cast<size_t>(n - kept));
    for (int k = kept; k < capacity; ++k)
        FreeSlot(k);
    delete[] types;
    delete[] cells;
    types = freshTypes;
    cells = freshCells;
    capacity = n;
    if (count > n) count = n;
    return 1;
}

bool DArray_Class::MakeRoom(int position, bool grow)
{
    if (position < 0 || !types) return false;
    if (position < capacity) return true;
    if (!grow || capacity > MaxCapacity / 2) return false;
    if (!Resize(capacity * 2)) return false;
    return position < capacity;
}

bool DArray_Class::PrepareSlot(int position, char type)
{
    char& slot = types[position];
    if (slot == type) return true;
    AnsiString* text = nullptr;
    if (type == Tag::String) {
        text = new (std::nothrow) AnsiString;
        if (!text) return false;
    }
    if (slot == Tag::Unset)
        ++count;
    else
        FreeSlot(position);
    slot = type;
    if (text) cells[position].s = text;
    return true;
}

int DArray_Class::SetValue(int position, char type, const void* value, bool grow)
{
    if (!value) return 0;
    switch (type) {
    case Tag::Int:
        return SetInt(position, *static_cast<const int32_t*>(value), grow);
    case Tag::Float:
        return SetFloat(position, *static_cast<const double*>(value), grow);
    case Tag::String:
        return SetString(position, *static_cast<const AnsiString*>(value), grow);
    default:
        return 0;
    }
}

int DArray_Class::SetString(int position, const AnsiString& value, bool grow)
{
    if (!MakeRoom(position, grow) || !PrepareSlot(position, Tag::String)) return 0;
    try {
        *cells[position].s = value;
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

void* DArray_Class::GetValue(int position) const
{
    if (!Inside(position)) return nullptr;
    switch (types[position]) {
    case Tag::Int:
        return &cells[position].i;
    case Tag::Float:
        return &cells[position].f;
    case Tag::String:
        return cells[position].s;
    default:
        return nullptr;
    }
}

char DArray_Class::GetNumber(int position, int32_t* intValue, double* floatValue) const
{
    char type = GetType(position);
    int32_t i = 0;
    double f = 0;
    if (type == Tag::Int) {
        i = cells[position].i;
        f = i;
    } else if (type == Tag::Float) {
        f = cells[position].f;
        i = ToInt(f);
    }
    if (intValue) *intValue = i;
    if (floatValue) *floatValue = f;
    return type;
}

int32_t DArray_Class::ToInt(double x)
{
    if (std::isnan(x)) return 0;
    if (x > 2147483647.0) return 2147483647;
    if (x < -2147483648.0) return -2147483648;
    return static_cast<int32_t>(x);
}

DArray_Class* DArray_Class::Clone() const
{
    if (capacity <= 0) return nullptr;
    DArray_Class* copy = new (std::nothrow) DArray_Class(0);
    if (!copy) return nullptr;
    if (!copy->Init(capacity)) {
        delete copy;
        return nullptr;
    }
    for (int k = 0; k < capacity; ++k) {
        if (types[k] != Tag::Unset && !copy->SetValue(k, types[k], GetValue(k), false)) {
            delete copy;
            return nullptr;
        }
    }
    return copy;
}

// The fills free each slot before setting it, so that a slot whose new value
// cannot be allocated ends unset and uncounted.
bool DArray_Class::FillInt(int32_t value)
{
    bool ok = capacity >= 1;
    for (int k = 0; k < capacity; ++k) {
        if (types[k] != Tag::Unset) {
            FreeSlot(k);
            --count;
        }
        ok = SetInt(k, value, false) && ok;
    }
    return ok;
}

bool DArray_Class::FillFloat(double value)
{
    bool ok = capacity >= 1;
    for (int k = 0; k < capacity; ++k) {
        if (types[k] != Tag::Unset) {
            FreeSlot(k);
            --count;
        }
        ok = SetFloat(k, value, false) && ok;
    }
    return ok;
}

bool DArray_Class::FillString(const AnsiString& value)
{
    bool ok = capacity >= 1;
    for (int k = 0; k < capacity; ++k) {
        if (types[k] != Tag::Unset) {
            FreeSlot(k);
            --count;
        }
        ok = SetString(k, value, false) && ok;
    }
    return ok;
}
