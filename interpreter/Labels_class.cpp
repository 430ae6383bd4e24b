#include "interpreter/Labels_class.h"

#include <new>

int Labels_Class::Add(std::string_view name, const char* position, int paramCount, std::string_view paramList)
{
    if (index.find(name) != index.end()) return -1;
    try {
        Node* node = new Node { AnsiString(name), position, paramCount, AnsiString(paramList), nullptr,
            SplitParameters(paramList) };
        try {
            index.emplace(node->name, node);
        } catch (const std::bad_alloc&) {
            delete node;
            throw;
        }
        if (tail)
            tail->next = node;
        else
            head = node;
        tail = node;
        return ++count;
    } catch (const std::bad_alloc&) {
        return -2;
    }
}

const char* Labels_Class::Find(std::string_view name, int* paramCount, AnsiString* paramList) const
{
    auto found = index.find(name);
    if (found == index.end()) return nullptr;
    if (paramCount) *paramCount = found->second->paramCount;
    if (paramList) *paramList = found->second->paramList;
    return found->second->position;
}

const Labels_Class::Node* Labels_Class::FindNode(std::string_view name) const
{
    auto found = index.find(name);
    return found == index.end() ? nullptr : found->second;
}

std::vector<Labels_Class::Parameter> Labels_Class::SplitParameters(std::string_view list)
{
    std::vector<Parameter> parameters;
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
    index.clear();
}
