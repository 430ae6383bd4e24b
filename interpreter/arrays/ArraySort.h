#pragma once

#include "base/Values.h"

#include <vector>

// The sort's decisions, apart from the arrays so that tests and benchmarks can
// hold them against a reference.
namespace sortkernel {

enum class Direction { Ascending, Descending };

// One item's key: its tag, and its number or text.
struct Key {
    char type = Tag::Unset;
    double number = 0;
    const AnsiString* text = nullptr;
};

// The Shell sort's order of the items: order[d] is the item that ends at d.
void ShellSort(const std::vector<Key>& keys, Direction direction, std::vector<int>& order);

// True when any correct sort gives the Shell sort's result: the set keys form
// a prefix of numbers of one type, without NaN and without a negative zero.
// `prefix` receives the length of that prefix.
bool SortsAsPrefix(const std::vector<Key>& keys, size_t& prefix);

} // namespace sortkernel
