#pragma once

#include <cstdint>
#include <string>

// Texts are 8-bit byte strings everywhere inside the system; they are converted
// (Windows-1252) only where they meet a widget.
using AnsiString = std::string;

// The one-character tag that types every value the interpreter handles. The
// BASIC constants integer, float and string are these character codes.
namespace Tag {
constexpr char Int = 'i';
constexpr char Float = 'f';
constexpr char String = 's';
constexpr char Unset = '0'; // an array element that was never set
constexpr char Omitted = ','; // an argument position left empty
} // namespace Tag

// An evaluation result. The evaluator fills one of these instead of handing out
// pointers into per-level slots, so a result can never dangle.
struct Value {
    char tag = 0;
    int32_t i = 0;
    double f = 0.0;
    AnsiString s;

    void setInt(int32_t v)
    {
        tag = Tag::Int;
        i = v;
    }
    void setFloat(double v)
    {
        tag = Tag::Float;
        f = v;
    }
    void setString(AnsiString v)
    {
        tag = Tag::String;
        s = std::move(v);
    }
    // The stored value as the typed-pointer form the variable and array stores
    // take: an int32_t, a double or an AnsiString according to the tag.
    const void* cell() const
    {
        return tag == Tag::Int  ? static_cast<const void*>(&i)
            : tag == Tag::Float ? static_cast<const void*>(&f)
                                : static_cast<const void*>(&s);
    }
    // Takes a value from that form.
    void load(char valueTag, const void* valueCell)
    {
        tag = valueTag;
        if (valueTag == Tag::Int)
            i = *static_cast<const int32_t*>(valueCell);
        else if (valueTag == Tag::Float)
            f = *static_cast<const double*>(valueCell);
        else
            s = *static_cast<const AnsiString*>(valueCell);
    }
    bool isNumber() const { return tag == Tag::Int || tag == Tag::Float; }
    double asDouble() const { return tag == Tag::Int ? static_cast<double>(i) : f; }
};
