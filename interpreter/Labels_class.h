#pragma once

#include "interpreter/Values.h"

#include <string_view>
#include <unordered_map>

// The labels of a program, or its subs: names (case-sensitive) mapped to program
// positions, in registration order, with a hash index for lookups.
class Labels_Class {
public:
    struct Node {
        AnsiString name;
        const char* position = nullptr; // just after the label, or after the sub's head line
        int paramCount = 0;
        AnsiString paramList; // a sub's parameters, each followed by a comma; "&" marks by reference
        Node* next = nullptr;
    };

    Labels_Class() = default;
    ~Labels_Class() { Clear(); }
    Labels_Class(const Labels_Class&) = delete;
    Labels_Class& operator=(const Labels_Class&) = delete;

    // Appends a name. Returns the new count (1-based), -1 when the name exists
    // (nothing changes), -2 when memory ran out.
    int Add(std::string_view name, const char* position, int paramCount = 0, std::string_view paramList = {});
    // The position of the name, null when absent; the parameter count and list
    // go to the outputs that are given.
    const char* Find(std::string_view name, int* paramCount = nullptr, AnsiString* paramList = nullptr) const;
    void Clear();

    int count = 0;
    Node* head = nullptr;
    Node* tail = nullptr;

private:
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };
    std::unordered_map<AnsiString, Node*, NameHash, std::equal_to<>> index;
};
