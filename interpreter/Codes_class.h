#pragma once

#include "base/Values.h"

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

// One keyword table: statements, built-in functions or named constants. Entries
// keep their registration order (the keyword lists and "first registered wins"
// depend on it); a hash index beside the list makes lookups constant time.
class Codes_Class {
public:
    struct Node {
        AnsiString name; // trimmed and lower-cased
        int code = 0;
        int minArgs = 0;
        int maxArgs = 0;
        int defaultArg = 0;
        AnsiString signature;
        int group = 0;
    };

    // Appends an entry (no duplicate check). Returns 1.
    int Add(std::string_view name, int code, int minArgs = 0, int maxArgs = 0, int defaultArg = 0,
        std::string_view signature = {}, int group = 0);
    // Finds the first entry of that name (case-insensitive, blanks trimmed).
    // Writes the outputs that are given and returns 1; returns 0 when absent and
    // leaves the outputs unchanged.
    int Find(std::string_view name, int* code = nullptr, int* minArgs = nullptr, int* maxArgs = nullptr,
        int* defaultArg = nullptr, AnsiString* signature = nullptr, int* group = nullptr) const;
    // The entry itself, or null. Lower-cases the key like Find.
    const Node* Lookup(std::string_view name) const;
    // Replaces text with the names in registration order, each followed by CR LF.
    void ListNames(AnsiString& text) const;
    void Clear();
    // Room for `count` entries, so that filling a table of known size moves
    // and rehashes nothing.
    void Reserve(size_t count);

    int count() const { return static_cast<int>(nodes.size()); }
    const std::vector<Node>& entries() const { return nodes; }

private:
    std::vector<Node> nodes;
    std::unordered_map<AnsiString, int> index; // name -> first position
};

// The three tables of the language, built once per process and shared read-only.
struct Vocabulary {
    Codes_Class statements;
    Codes_Class functions;
    Codes_Class constants;

    static const Vocabulary& instance();
    // The keyword texts of kinds 0 (commands), 1 (functions), 2 (statements),
    // 3 (constants) and 4 (operators). Any other kind leaves text unchanged.
    void KeywordList(int kind, AnsiString& text) const;
};
