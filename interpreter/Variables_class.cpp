#include "interpreter/Variables_class.h"

#include "interpreter/FloatText.h"

#include <atomic>

uint64_t Variables_Class::NewIdentity()
{
    static std::atomic<uint64_t> next { 1 };
    return next++;
}

Variables_Class::Node* Variables_Class::Find(std::string_view name) const
{
    auto found = index.find(name);
    return found == index.end() ? nullptr : found->second;
}

Variables_Class::Node& Variables_Class::FindOrAppend(std::string_view name)
{
    Node* node = Find(name);
    return node ? *node : *Append(name);
}

Variables_Class::Node* Variables_Class::Append(std::string_view name)
{
    Node* node = new Node;
    node->name = AnsiString(name);
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    ++count;
    index.emplace(node->name, node);
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
    return Set(name, Tag::Int, &value);
}

int Variables_Class::SetFloat(std::string_view name, double value)
{
    return Set(name, Tag::Float, &value);
}

int Variables_Class::SetString(std::string_view name, const AnsiString& value)
{
    return Set(name, Tag::String, &value);
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
    Node* node = head;
    while (node) {
        Node* next = node->next;
        delete node;
        node = next;
    }
    head = tail = cursor = nullptr;
    count = 0;
    index.clear();
    tableIdentity = NewIdentity();
}
