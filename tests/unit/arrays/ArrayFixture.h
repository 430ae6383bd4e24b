#pragma once

#include "interpreter/arrays/Arrays_class.h"
#include "support/FloatText.h"

#include <ostream>
#include <string>
#include <vector>

// A failed expectation on an operation's answer shows the error's number.
inline void PrintTo(ErrorCode error, std::ostream* out)
{
    *out << "error " << ErrorNumber(error);
}

// Arrays written and read as short texts: an element is "i:5", "f:2.5",
// "s:ab" or "-" (never set); an array dumps as its sizes and the elements its
// sizes cover, "2x2: i:1 f:2.5 - s:ab".
namespace arraytest {

// The answer of an operation that did its work.
inline constexpr ArrayResult Done = std::nullopt;

inline void Make(
    Arrays_Class& arrays, const std::string& name, std::vector<int> sizes, const std::vector<std::string>& elements)
{
    arrays.Define(name, static_cast<int>(sizes.size()), sizes.data());
    DArray_Class& store = *arrays.Find(name)->data;
    for (size_t k = 0; k < elements.size(); ++k) {
        const std::string& e = elements[k];
        const int position = static_cast<int>(k);
        if (e.rfind("i:", 0) == 0)
            store.SetInt(position, std::stoi(e.substr(2)), true);
        else if (e.rfind("f:", 0) == 0)
            store.SetFloat(position, std::stod(e.substr(2)), true);
        else if (e.rfind("s:", 0) == 0)
            store.SetString(position, e.substr(2), true);
    }
}

inline std::string Element(const DArray_Class& store, int position)
{
    switch (store.GetType(position)) {
    case Tag::Int:
        return "i:" + std::to_string(store.cells[position].i);
    case Tag::Float:
        return "f:" + FloatToStr(store.cells[position].f);
    case Tag::String:
        return "s:" + *store.cells[position].s;
    default:
        return "-";
    }
}

inline std::string Dump(const Arrays_Class& arrays, const std::string& name)
{
    const Arrays_Class::Node* node = arrays.Find(name);
    if (!node) return "undefined";
    std::string text;
    for (size_t k = 0; k < node->dims.size(); ++k)
        text += (k ? "x" : "") + std::to_string(node->dims[k]);
    text += ":";
    const int64_t covered = Arrays_Class::Covered(*node);
    for (int64_t k = 0; node->data && k < covered; ++k)
        text += " " + Element(*node->data, static_cast<int>(k));
    return text;
}

} // namespace arraytest
