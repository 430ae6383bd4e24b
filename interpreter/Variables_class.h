#pragma once

#include "base/Values.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The variables of one scope (the main program, or one CALL of a sub). Names are
// case-sensitive. The list keeps registration order, which the variables window
// shows; a hash index beside it makes every lookup constant time.
class Variables_Class {
public:
    // One variable. The value lives inside the node; `value` points at the
    // member that matches `type` ('i' intValue, 'f' floatValue, 's' textValue)
    // and is null for any other tag. A node never moves, so `value` stays valid
    // until the variable changes its type or the table is cleared.
    struct Node {
        AnsiString name;
        char type = 0;
        void* value = nullptr;
        int32_t intValue = 0;
        double floatValue = 0.0;
        AnsiString textValue;
        Node* next = nullptr;
        uint64_t hash = 0; // of name, kept for the index
    };

    Variables_Class() = default;
    ~Variables_Class();
    Variables_Class(const Variables_Class&) = delete;
    Variables_Class& operator=(const Variables_Class&) = delete;

    // Each stores a value, creating the variable at the tail when it is new and
    // changing its type when it holds another. `value` points to an int32_t,
    // a double or an AnsiString according to tag; any other tag stores no
    // value. All return 1.
    int Set(std::string_view name, char tag, const void* value);
    int SetInt(std::string_view name, int32_t value);
    int SetFloat(std::string_view name, double value);
    int SetString(std::string_view name, const AnsiString& value);
    // Stores an evaluation result ('i', 'f' or 's').
    int SetValue(std::string_view name, const Value& value);
    // The same stores on a node already found, for callers that keep the node
    // of a table whose identity has not changed.
    static void Store(Node& node, char tag, const void* value);
    static void StoreValue(Node& node, const Value& value);
    static void CopyValue(const Node& node, Value& result);

    // The tag of the variable, 0 when absent.
    char TypeOf(std::string_view name) const;
    // Pointer to the value (int32_t, double or AnsiString by tag); null when
    // absent.
    void* ValueOf(std::string_view name) const;
    // The node itself, or null.
    Node* Find(std::string_view name) const;
    // Copies the variable into result; false when absent.
    bool Get(std::string_view name, Value& result) const;

    // Iterates the variables in registration order, giving each value as text.
    // Returns true while more variables follow the one returned; after the last
    // one the iteration restarts. False at once for an empty table.
    bool NextAsText(AnsiString& name, char& tag, AnsiString& text);

    void Clear();

    int count = 0;
    Node* head = nullptr;
    Node* tail = nullptr;
    Node* cursor = nullptr;

    // Unique over the process for every table and renewed by Clear: a node
    // found once in a table with this identity stays valid while the identity
    // is unchanged, so readers may keep the node instead of looking it up again.
    uint64_t identity() const { return tableIdentity; }

    // FNV-1a, folded: names are short, and a few multiplies cost less than a
    // call into a general-purpose string hash. Labels use it too.
    static uint64_t HashName(std::string_view name)
    {
        uint64_t hash = 14695981039346656037ull;
        for (unsigned char c : name) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
        return hash ^ (hash >> 29);
    }
    // Byte by byte: names are short, and a library call costs more than the
    // loop.
    static bool SameName(const AnsiString& stored, std::string_view name)
    {
        if (stored.size() != name.size()) return false;
        const char* a = stored.data();
        for (size_t k = 0; k < name.size(); ++k)
            if (a[k] != name[k]) return false;
        return true;
    }

    // Find, and finding or adding a variable, with the name's hash (HashName)
    // already known: for a name used over and over, such as a sub's result.
    Node* FindHashed(std::string_view name, uint64_t hash) const;
    Node& FindOrAppendHashed(std::string_view name, uint64_t hash);

private:
    static uint64_t NewIdentity();
    uint64_t tableIdentity = NewIdentity();
    Node* Append(std::string_view name, uint64_t hash);
    Node& FindOrAppend(std::string_view name) { return FindOrAppendHashed(name, HashName(name)); }
    void GrowIndex();
    static void ChangeType(Node& node, char tag);

    // Open addressing with linear probing over a power-of-two number of slots,
    // at most half full; there is no removal of single variables, so a null
    // slot ends every probe.
    std::vector<Node*> slots;
    // Nodes of cleared variables, chained through `next` and reused by later
    // appends: a sub's local table is cleared on every return, and reusing
    // its nodes spares an allocation per variable per call.
    Node* spareNodes = nullptr;
    int spareCount = 0;
};
