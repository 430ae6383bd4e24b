#include "interpreter/Labels_class.h"
#include "base/NameIndex.h"

#include "interpreter/Variables_class.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

const Labels_Class::Node* Labels_Class::FindHashed(std::string_view name, uint64_t hash) const
{
    if (slots.empty()) return nullptr;
    const size_t mask = slots.size() - 1;
    for (size_t k = hash & mask;; k = (k + 1) & mask) {
        const Node* node = slots[k];
        if (!node) return nullptr;
        if (node->hash == hash && Variables_Class::SameName(node->name, name)) return node;
    }
}

void Labels_Class::GrowIndex()
{
    GrowNameIndex(slots, head);
}

int Labels_Class::Add(std::string_view name, const char* position, int paramCount, std::string_view paramList)
{
    const uint64_t hash = Variables_Class::HashName(name);
    if (FindHashed(name, hash)) return -1;
    try {
        if (static_cast<size_t>(count + 1) * 2 > slots.size()) GrowIndex();
        auto node = std::make_unique<Node>(Node { AnsiString(name), position, nullptr, SplitParameters(paramList),
            AnsiString(name) + "__Result", hash, 0, paramCount, false });
        node->resultHash = Variables_Class::HashName(node->resultName);
        for (const Parameter& parameter : node->parameters)
            node->hasByReference = node->hasByReference || parameter.byReference;
        const size_t mask = slots.size() - 1;
        size_t k = hash & mask;
        while (slots[k])
            k = (k + 1) & mask;
        slots[k] = node.get();
        if (tail)
            tail->next = node.get();
        else
            head = node.get();
        tail = node.release();
        return ++count;
    } catch (const std::bad_alloc&) {
        return -2;
    }
}

const Labels_Class::Node* Labels_Class::Lookup(std::string_view name) const
{
    Remembered& entry = remembered[(reinterpret_cast<uintptr_t>(name.data()) >> 4) % rememberedCount];
    if (entry.text == name.data() && entry.node && Variables_Class::SameName(entry.node->name, name)) return entry.node;
    const Node* node = FindHashed(name, Variables_Class::HashName(name));
    if (node) entry = Remembered { name.data(), node };
    return node;
}

const char* Labels_Class::Find(std::string_view name, int* paramCount, AnsiString* paramList) const
{
    const Node* node = Lookup(name);
    if (!node) return nullptr;
    if (paramCount) *paramCount = node->paramCount;
    if (paramList) {
        // Rebuilt from the split parameters: the list is always comma-terminated.
        paramList->clear();
        for (const Parameter& parameter : node->parameters) {
            if (parameter.byReference) *paramList += '&';
            *paramList += parameter.name;
            *paramList += ',';
        }
    }
    return node->position;
}

const Labels_Class::Node* Labels_Class::FindNode(std::string_view name) const
{
    return Lookup(name);
}

std::vector<Labels_Class::Parameter> Labels_Class::SplitParameters(std::string_view list)
{
    std::vector<Parameter> parameters;
    // Exactly the room needed: a program may have hundreds of thousands of subs.
    parameters.reserve(
        static_cast<size_t>(std::count(list.begin(), list.end(), ',')) + (list.empty() || list.back() == ',' ? 0 : 1));
    size_t start = 0;
    while (start < list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string_view::npos) comma = list.size();
        Parameter p;
        p.name = AnsiString(list.substr(start, comma - start));
        if (!p.name.empty() && p.name[0] == '&') {
            p.byReference = true;
            p.name.erase(0, 1);
        }
        parameters.push_back(std::move(p));
        start = comma + 1;
    }
    return parameters;
}

void Labels_Class::Clear()
{
    Node* node = head;
    while (node) {
        Node* next = node->next;
        delete node;
        node = next;
    }
    head = tail = nullptr;
    count = 0;
    slots.clear();
    for (Remembered& entry : remembered)
        entry = Remembered {};
}
