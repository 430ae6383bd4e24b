#include "interpreter/arrays/Arrays_class.h"

#include <atomic>
#include <new>

namespace {
// The store's requested capacity: the product of the sizes above 0, or -1
// when that product passes what a store may hold.
int64_t StoreCapacity(int n, const int* sizes)
{
    int64_t product = 1;
    for (int k = 0; k < n; ++k) {
        if (sizes[k] > 0) {
            product *= sizes[k];
            if (product > DArray_Class::MaxCapacity) return -1;
        }
    }
    return product;
}
} // namespace

uint64_t Arrays_Class::NewIdentity()
{
    static std::atomic<uint64_t> next { 1 };
    return next++;
}

Arrays_Class::~Arrays_Class()
{
    Node* node = head;
    while (node) {
        Node* next = node->next;
        delete node;
        node = next;
    }
}

Arrays_Class::Node* Arrays_Class::Find(std::string_view name) const
{
    auto found = index.find(name);
    return found == index.end() ? nullptr : found->second;
}

Arrays_Class::Definition Arrays_Class::Define(std::string_view name, int n, const DArray<int>& sizes)
{
    if (n > sizes.capacity || !sizes.items) return Definition::Refused;
    return Define(name, n, sizes.items);
}

Arrays_Class::Definition Arrays_Class::Define(std::string_view name, int n, const int* sizes)
{
    if (n < 0) n = 0;
    int64_t capacity = StoreCapacity(n, sizes);
    if (capacity < 0) return Definition::Refused;
    auto store = std::make_unique<DArray_Class>(0);
    if (!store->Init(static_cast<int>(capacity))) return Definition::Refused;
    Install(name, std::vector<int>(sizes, sizes + n), std::move(store));
    return Definition::Made;
}

Arrays_Class::Node* Arrays_Class::Append(std::string_view name)
{
    Node* node = new Node;
    node->name = AnsiString(name);
    index.emplace(node->name, node);
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    ++count;
    return node;
}

Arrays_Class::Node& Arrays_Class::DefineLike(std::string_view name, int n, const DArray<int>& sizes)
{
    tableIdentity = NewIdentity();
    if (Node* node = Find(name)) {
        node->data.reset();
        if (node->dimCount == 1 && node->dims[0] == 1) {
            node->dimCount = n;
            node->dims.assign(sizes.items, sizes.items + n);
        }
        return *node;
    }
    Node* node = Append(name);
    node->dimCount = n;
    node->dims.assign(sizes.items, sizes.items + n);
    for (int& size : node->dims) {
        if (size < 0) size = 0;
    }
    return *node;
}

void Arrays_Class::Remove(std::string_view name)
{
    Node* previous = nullptr;
    for (Node* node = head; node; previous = node, node = node->next) {
        if (node->name != name) continue;
        if (previous)
            previous->next = node->next;
        else
            head = node->next;
        if (tail == node) tail = previous;
        index.erase(node->name);
        --count;
        delete node;
        tableIdentity = NewIdentity();
        return;
    }
}

int Arrays_Class::FlatIndex(const DArray<int>& indexes, int n, const int* sizes)
{
    if (n > indexes.capacity || !indexes.items) return -1;
    return FlatIndex(indexes.items, n, sizes);
}

bool Arrays_Class::ReadPaddedElement(const Node& array, const int* indexes, int indexCount, Value& result)
{
    // The missing indexes count as 0.
    std::vector<int> padded(static_cast<size_t>(array.dimCount), 0);
    for (int k = 0; k < indexCount; ++k)
        padded[static_cast<size_t>(k)] = indexes[k];
    return array.data->Get(FlatIndex(padded.data(), array.dimCount, array.dims.data()), result);
}

int Arrays_Class::DimCount(std::string_view name) const
{
    const Node* node = Find(name);
    return node ? node->dimCount : 0;
}

int Arrays_Class::DimSize(std::string_view name, int k) const
{
    const Node* node = Find(name);
    if (!node || node->dimCount <= 0) return 0;
    if (k > node->dimCount) k = node->dimCount;
    if (k < 1) k = 1;
    return node->dims[static_cast<size_t>(k - 1)];
}

int Arrays_Class::SetElement(std::string_view name, const DArray<int>& indexes, char type, const void* value)
{
    Node* node = Find(name);
    if (!node || !node->data) return 0;
    int position = Position(*node, indexes);
    return position < 0 ? 0 : node->data->SetValue(position, type, value, true);
}

int Arrays_Class::SetElementInt(std::string_view name, const DArray<int>& indexes, int32_t value)
{
    Node* node = Find(name);
    if (!node || !node->data) return 0;
    int position = Position(*node, indexes);
    return position < 0 ? 0 : node->data->SetInt(position, value, false);
}

int Arrays_Class::SetElementFloat(std::string_view name, const DArray<int>& indexes, double value)
{
    Node* node = Find(name);
    if (!node || !node->data) return 0;
    int position = Position(*node, indexes);
    return position < 0 ? 0 : node->data->SetFloat(position, value, false);
}

char Arrays_Class::GetElementType(std::string_view name, const DArray<int>& indexes) const
{
    const Node* node = Find(name);
    if (!node || !node->data) return 0;
    int position = Position(*node, indexes);
    if (position < 0 || position >= node->data->capacity) return 0;
    return node->data->GetType(position);
}

void* Arrays_Class::GetElement(std::string_view name, const DArray<int>& indexes) const
{
    const Node* node = Find(name);
    if (!node || !node->data) return nullptr;
    int position = Position(*node, indexes);
    return position < 0 ? nullptr : node->data->GetValue(position);
}

int Arrays_Class::Append(std::string_view name, char type, const void* value)
{
    Node* node = Find(name);
    if (!node || !node->data || node->dimCount != 1 || node->dims[0] >= DArray_Class::MaxCapacity) return 0;
    int position = node->dims[0];
    tableIdentity = NewIdentity();
    // The size rises before the value is stored: appending the never-set type
    // leaves a gap, which data writes for an omitted value.
    if (type == Tag::Unset) {
        if (position >= node->data->capacity && !node->data->Resize(position * 2 + 1)) return 0;
        node->dims[0] = position + 1;
        return 1;
    }
    if (!node->data->SetValue(position, type, value, true)) return 0;
    node->dims[0] = position + 1;
    return 1;
}

Arrays_Class::Node* Arrays_Class::Install(
    std::string_view name, std::vector<int> sizes, std::unique_ptr<DArray_Class> store)
{
    for (int& size : sizes) {
        if (size < 0) size = 0;
    }
    Node* node = Find(name);
    if (!node) node = Append(name);
    node->dimCount = static_cast<int>(sizes.size());
    node->dims = std::move(sizes);
    node->data = std::move(store);
    tableIdentity = NewIdentity();
    return node;
}

int64_t Arrays_Class::Covered(const Node& node)
{
    int64_t product = 1;
    for (int size : node.dims) {
        product *= size > 0 ? size : 0;
        if (product > DArray_Class::MaxCapacity) return -1;
    }
    return product;
}
