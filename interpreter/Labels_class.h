#pragma once

#include "base/Values.h"

#include <cstdint>
#include <string_view>
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
        Node* next = nullptr;
        // A sub's parameters, split once when the name is added so that a call
        // need not split them again. The comma-terminated list they came from
        // is not kept: a program of many subs would hold each list twice.
        std::vector<Parameter> parameters;
        AnsiString resultName; // name + "__Result", where a sub's result goes
        uint64_t hash = 0; // of name, kept for the index
        uint64_t resultHash = 0; // of resultName (Variables_Class::HashName)
        int paramCount = 0;
        bool hasByReference = false; // some parameter is passed by reference
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
    const Node* FindHashed(std::string_view name, uint64_t hash) const;
    void GrowIndex();
    // Open addressing with linear probing over a power-of-two number of
    // slots, at most half full; names are never removed one by one, so a null
    // slot ends every probe.
    std::vector<Node*> slots;
    // The last entries found, by the address of the name's text: a GOSUB or
    // CALL names its target with a scanned token, whose text stays at one
    // address, so a repeated jump skips hashing. The name is still compared,
    // so an address reused for another text only misses. Emptied by Clear,
    // the one place entries are freed.
    struct Remembered {
        const char* text = nullptr;
        const Node* node = nullptr;
    };
    static constexpr size_t rememberedCount = 32;
    mutable Remembered remembered[rememberedCount];
    const Node* Lookup(std::string_view name) const;
};
