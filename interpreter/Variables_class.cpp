#include "interpreter/Variables_class.h"
#include "base/NameIndex.h"

#include "support/FloatText.h"

#include <algorithm>
#include <atomic>
#include <memory>

uint64_t Variables_Class::NewIdentity()
{
    static std::atomic<uint64_t> next { 1 };
    return next++;
}

Variables_Class::~Variables_Class()
{
    Clear();
    while (spareNodes) {
        Node* next = spareNodes->next;
        delete spareNodes;
        spareNodes = next;
    }
}

Variables_Class::Node* Variables_Class::FindHashed(std::string_view name, uint64_t hash) const
{
    if (slots.empty()) return nullptr;
    const size_t mask = slots.size() - 1;
    for (size_t k = hash & mask;; k = (k + 1) & mask) {
        Node* node = slots[k];
        if (!node) return nullptr;
        if (node->hash == hash && SameName(node->name, name)) return node;
    }
}

Variables_Class::Node* Variables_Class::Find(std::string_view name) const
{
    return FindHashed(name, HashName(name));
}

Variables_Class::Node& Variables_Class::FindOrAppendHashed(std::string_view name, uint64_t hash)
{
    Node* node = FindHashed(name, hash);
    return node ? *node : *Append(name, hash);
}

void Variables_Class::GrowIndex()
{
    GrowNameIndex(slots, head);
}

Variables_Class::Node* Variables_Class::Append(std::string_view name, uint64_t hash)
{
    // The index grows first, so that a failed allocation leaves the table
    // unchanged.
    if (static_cast<size_t>(count + 1) * 2 > slots.size()) GrowIndex();
    Node* node = spareNodes;
    if (node) {
        node->name.assign(name.data(), name.size());
        spareNodes = node->next;
        --spareCount;
        node->next = nullptr;
    } else {
        auto fresh = std::make_unique<Node>();
        fresh->name.assign(name.data(), name.size());
        node = fresh.release();
    }
    node->hash = hash;
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    ++count;
    const size_t mask = slots.size() - 1;
    size_t k = hash & mask;
    while (slots[k])
        k = (k + 1) & mask;
    slots[k] = node;
    return node;
}

// Gives the node the tag and points `value` at the matching member. A text
// left behind by an earlier type is released.
void Variables_Class::ChangeType(Node& node, char tag)
{
    if (node.type == tag) return;
    if (node.type == Tag::String) AnsiString().swap(node.textValue);
    node.intValue = 0;
    node.floatValue = 0;
    node.type = tag;
    switch (tag) {
    case Tag::Int:
        node.value = &node.intValue;
        break;
    case Tag::Float:
        node.value = &node.floatValue;
        break;
    case Tag::String:
        node.value = &node.textValue;
        break;
    default:
        node.value = nullptr;
        break;
    }
}

int Variables_Class::Set(std::string_view name, char tag, const void* value)
{
    Store(FindOrAppend(name), tag, value);
    return 1;
}

void Variables_Class::Store(Node& node, char tag, const void* value)
{
    ChangeType(node, tag);
    if (!value) return;
    switch (tag) {
    case Tag::Int:
        node.intValue = *static_cast<const int32_t*>(value);
        break;
    case Tag::Float:
        node.floatValue = *static_cast<const double*>(value);
        break;
    case Tag::String:
        node.textValue = *static_cast<const AnsiString*>(value);
        break;
    default:
        break;
    }
}

void Variables_Class::StoreValue(Node& node, const Value& value)
{
    switch (value.tag) {
    case Tag::Int:
        Store(node, Tag::Int, &value.i);
        break;
    case Tag::Float:
        Store(node, Tag::Float, &value.f);
        break;
    case Tag::String:
        Store(node, Tag::String, &value.s);
        break;
    default:
        Store(node, value.tag, nullptr);
        break;
    }
}

void Variables_Class::CopyValue(const Node& node, Value& result)
{
    result.tag = node.type;
    switch (node.type) {
    case Tag::Int:
        result.i = node.intValue;
        break;
    case Tag::Float:
        result.f = node.floatValue;
        break;
    case Tag::String:
        result.s = node.textValue;
        break;
    default:
        break;
    }
}

int Variables_Class::SetInt(std::string_view name, int32_t value)
{
    Node& node = FindOrAppend(name);
    ChangeType(node, Tag::Int);
    node.intValue = value;
    return 1;
}

int Variables_Class::SetFloat(std::string_view name, double value)
{
    Node& node = FindOrAppend(name);
    ChangeType(node, Tag::Float);
    node.floatValue = value;
    return 1;
}

int Variables_Class::SetString(std::string_view name, const AnsiString& value)
{
    Node& node = FindOrAppend(name);
    ChangeType(node, Tag::String);
    node.textValue = value;
    return 1;
}

int Variables_Class::SetValue(std::string_view name, const Value& value)
{
    StoreValue(FindOrAppend(name), value);
    return 1;
}

char Variables_Class::TypeOf(std::string_view name) const
{
    const Node* node = Find(name);
    return node ? node->type : 0;
}

void* Variables_Class::ValueOf(std::string_view name) const
{
    const Node* node = Find(name);
    return node ? node->value : nullptr;
}

bool Variables_Class::Get(std::string_view name, Value& result) const
{
    const Node* node = Find(name);
    if (!node) return false;
    CopyValue(*node, result);
    return true;
}

bool Variables_Class::NextAsText(AnsiString& name, char& tag, AnsiString& text)
{
    if (!head) return false;
    Node* node = cursor ? cursor : head;
    if (node->name.empty()) {
        name = "No_Name_Has_Been_Assigned";
        tag = Tag::Unset;
    } else {
        name = node->name;
        tag = node->type;
    }
    switch (node->type) {
    case Tag::Int:
        text = IntToStr(node->intValue);
        break;
    case Tag::Float:
        text = FloatToStr(node->floatValue);
        break;
    case Tag::String:
        text = node->textValue;
        break;
    default:
        text = "Not A Valid Value Type";
        break;
    }
    cursor = node->next;
    return cursor != nullptr;
}

void Variables_Class::Clear()
{
    // Kept for reuse, each back in the state of a new node; beyond a few
    // dozen they are freed, so that one large scope does not pin memory.
    constexpr int keptSpares = 64;
    Node* node = head;
    while (node) {
        Node* next = node->next;
        if (spareCount < keptSpares) {
            node->type = 0;
            node->value = nullptr;
            node->intValue = 0;
            node->floatValue = 0.0;
            if (node->textValue.capacity() > AnsiString().capacity())
                AnsiString().swap(node->textValue);
            else
                node->textValue.clear();
            node->next = spareNodes;
            spareNodes = node;
            ++spareCount;
        } else {
            delete node;
        }
        node = next;
    }
    head = tail = cursor = nullptr;
    count = 0;
    // A small index is emptied in place; a large one is released, so that a
    // table reused for small scopes does not wipe a large index each time.
    constexpr size_t keptSlots = 256;
    if (slots.size() > keptSlots)
        std::vector<Node*>().swap(slots);
    else
        std::fill(slots.begin(), slots.end(), nullptr);
    tableIdentity = NewIdentity();
}
