#include "builtins/arrays/DArray_class.h"

#include <cmath>
#include <new>

bool DArray_Class::Init(int n)
{
    Free();
    int wanted = n > 10 ? n : 10;
    if (wanted > MaxCapacity) return false;
    items = new (std::nothrow) Element[static_cast<size_t>(wanted)];
    if (!items) return false;
    capacity = wanted;
    return true;
}

void DArray_Class::FreeValue(Element& element)
{
    switch (element.type) {
    case Tag::Int:
        delete static_cast<int32_t*>(element.value);
        break;
    case Tag::Float:
        delete static_cast<double*>(element.value);
        break;
    case Tag::String:
        delete static_cast<AnsiString*>(element.value);
        break;
    default:
        break;
    }
    element.type = Tag::Unset;
    element.value = nullptr;
}

void DArray_Class::Free()
{
    for (int k = 0; k < capacity && items; ++k)
        FreeValue(items[k]);
    delete[] items;
    items = nullptr;
    capacity = 0;
    count = 0;
}

int DArray_Class::Resize(int n)
{
    if (n < 10) n = 10;
    if (n == capacity && items) return 1;
    if (!items) return Init(n) ? 1 : 0;
    if (n > MaxCapacity) return 0;
    Element* fresh = new (std::nothrow) Element[static_cast<size_t>(n)];
    if (!fresh) return 0;
    int kept = n < capacity ? n : capacity;
    for (int k = 0; k < kept; ++k)
        fresh[k] = items[k];
    for (int k = kept; k < capacity; ++k)
        FreeValue(items[k]);
    delete[] items;
    items = fresh;
    capacity = n;
    if (count > n) count = n;
    return 1;
}

bool DArray_Class::MakeRoom(int position, bool grow)
{
    if (position < 0 || !items) return false;
    if (position < capacity) return true;
    if (!grow || capacity > MaxCapacity / 2) return false;
    if (!Resize(capacity * 2)) return false;
    return position < capacity;
}

bool DArray_Class::PrepareSlot(int position, char type)
{
    Element& slot = items[position];
    if (slot.type == type) return true;
    void* cell = nullptr;
    switch (type) {
    case Tag::Int:
        cell = new (std::nothrow) int32_t(0);
        break;
    case Tag::Float:
        cell = new (std::nothrow) double(0);
        break;
    default:
        cell = new (std::nothrow) AnsiString;
        break;
    }
    if (!cell) return false;
    if (slot.type == Tag::Unset)
        ++count;
    else
        FreeValue(slot);
    slot.type = type;
    slot.value = cell;
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

int DArray_Class::SetInt(int position, int32_t value, bool grow)
{
    if (!MakeRoom(position, grow) || !PrepareSlot(position, Tag::Int)) return 0;
    *static_cast<int32_t*>(items[position].value) = value;
    return 1;
}

int DArray_Class::SetFloat(int position, double value, bool grow)
{
    if (!MakeRoom(position, grow) || !PrepareSlot(position, Tag::Float)) return 0;
    *static_cast<double*>(items[position].value) = value;
    return 1;
}

int DArray_Class::SetString(int position, const AnsiString& value, bool grow)
{
    if (!MakeRoom(position, grow) || !PrepareSlot(position, Tag::String)) return 0;
    try {
        *static_cast<AnsiString*>(items[position].value) = value;
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

void* DArray_Class::GetValue(int position) const
{
    if (position < 0 || position >= capacity || !items) return nullptr;
    return items[position].value;
}

char DArray_Class::GetType(int position) const
{
    if (position < 0 || position >= capacity || !items) return Tag::Unset;
    return items[position].type;
}

char DArray_Class::GetNumber(int position, int32_t* intValue, double* floatValue) const
{
    char type = GetType(position);
    int32_t i = 0;
    double f = 0;
    if (type == Tag::Int) {
        i = *static_cast<const int32_t*>(items[position].value);
        f = i;
    } else if (type == Tag::Float) {
        f = *static_cast<const double*>(items[position].value);
        i = ToInt(f);
    }
    if (intValue) *intValue = i;
    if (floatValue) *floatValue = f;
    return type;
}

bool DArray_Class::Get(int position, Value& result) const
{
    switch (GetType(position)) {
    case Tag::Int:
        result.setInt(*static_cast<const int32_t*>(items[position].value));
        return true;
    case Tag::Float:
        result.setFloat(*static_cast<const double*>(items[position].value));
        return true;
    case Tag::String:
        result.tag = Tag::String;
        result.s = *static_cast<const AnsiString*>(items[position].value);
        return true;
    default:
        return false;
    }
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
        const Element& slot = items[k];
        if (slot.type != Tag::Unset && !copy->SetValue(k, slot.type, slot.value, false)) {
            delete copy;
            return nullptr;
        }
    }
    return copy;
}

bool DArray_Class::FillInt(int32_t value)
{
    bool ok = capacity >= 1;
    for (int k = 0; k < capacity; ++k) {
        if (items[k].type != Tag::Unset) {
            FreeValue(items[k]);
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
        if (items[k].type != Tag::Unset) {
            FreeValue(items[k]);
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
        if (items[k].type != Tag::Unset) {
            FreeValue(items[k]);
            --count;
        }
        ok = SetString(k, value, false) && ok;
    }
    return ok;
}
