#pragma once

#include "interpreter/Values.h"

#include <string_view>
#include <unordered_map>
#include <vector>

// The labels of a program, or its subs: names (case-sensitive) mapped to program
// positions, in registration order, with a hash index for lookups.
class Labels_Class {
public:
    struct Parameter {
        AnsiString name;
        bool byReference = false;
    };
    struct Node {
        AnsiString name;
        const char* position = nullptr; // just after the label, or after the sub's head line
        int paramCount = 0;
        AnsiString paramList; // a sub's parameters, each followed by a comma; "&" marks by reference
        Node* next = nullptr;
        // paramList split once when the name is added, so that a call need
        // not split it again.
        std::vector<Parameter> parameters;
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
    // The entry itself, or null; it stays valid until Clear.
    const Node* FindNode(std::string_view name) const;
    // The comma-terminated parameter list of a sub, "&" marking by reference.
    static std::vector<Parameter> SplitParameters(std::string_view list);
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
