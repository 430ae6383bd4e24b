#pragma once

#include <string>
#include <vector>

// The rules of the run-time edit boxes that need no widget: which typed keys
// the integer and float filters let through, and the edit masks.

namespace edit_rules {

// The key the integer filter inserts for a typed one: 'X' becomes 'x' and the
// hexadecimal letters a to f become capitals.
char IntegerKey(char typed);

// Whether the text a key would leave (the text before the selection, the key,
// the text after the selection) may stand in an integer box: a lone sign,
// "0x", "0X", "0%", a "0%" binary prefix followed by 0s and 1s, or an integer
// (leading blanks, a sign, decimal digits or hexadecimal digits after "$",
// "x" or "0x").
bool IntegerTextAccepted(const std::string& text, char key);
// A lone sign, or a floating-point number in the locale-free notation.
bool FloatTextAccepted(const std::string& text);

// An edit mask "mask;keep-literals;blank". In the mask: 0 digit, 9 optional
// digit, # optional digit or sign, L/l letter, A/a letter or digit, C/c any
// character (capitals are required, small letters optional), > upper case,
// < lower case, <> no case change, \ makes the next character a literal, _
// stands for a blank; every other character (":" and "/" too) is a literal.
struct EditMask {
    enum class Slot { Literal, Input };
    std::vector<Slot> positions; // one per character of the shown text
    std::string qtMask; // the same mask in Qt's notation, blank included
    bool keepLiterals = true;
    char blank = '_';
};
// An empty mask text gives an empty mask (no positions, empty Qt mask).
EditMask ParseEditMask(const std::string& text);

// The value of a masked text as shown: the typed characters, literals only
// when the mask keeps them; positions still blank are left out.
std::string MaskedValue(const EditMask& mask, const std::string& shown);

} // namespace edit_rules
