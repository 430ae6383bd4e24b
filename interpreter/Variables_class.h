#pragma once

#include "interpreter/Values.h"

#include <string_view>
#include <unordered_map>

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
    };

    Variables_Class() = default;
    ~Variables_Class() { Clear(); }
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

private:
    static uint64_t NewIdentity();
    uint64_t tableIdentity = NewIdentity();
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };
    Node* Append(std::string_view name);
    Node& FindOrAppend(std::string_view name);
    static void ChangeType(Node& node, char tag);

    std::unordered_map<AnsiString, Node*, NameHash, std::equal_to<>> index;
};
