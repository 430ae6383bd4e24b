#include "interpreter/Labels_class.h"

#include <new>

int Labels_Class::Add(std::string_view name, const char* position, int paramCount, std::string_view paramList)
{
    if (index.find(name) != index.end()) return -1;
    try {
        Node* node = new Node { AnsiString(name), position, paramCount, AnsiString(paramList), nullptr };
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
