#include "screen/controls/EditRules.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Edit masks and the key filters of the edit boxes programs make: the input
// is a mask and a text split at the first NUL byte. Whatever the float filter
// accepts must read as a number to its end.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string maskText = input.substr(0, split);
    const std::string text = split == std::string::npos ? std::string() : input.substr(split + 1);

    const edit_rules::EditMask mask = edit_rules::ParseEditMask(maskText);
    if (edit_rules::MaskedValue(mask, text).size() > text.size()) __builtin_trap();

    const char key = text.empty() ? '0' : text.back();
    edit_rules::IntegerTextAccepted(text, edit_rules::IntegerKey(key));
    if (edit_rules::FloatTextAccepted(text) && text != "+" && text != "-") {
        const std::string plain = text.c_str(); // strtod stops at a NUL byte
        if (plain.size() != text.size()) __builtin_trap();
        char* end = nullptr;
        std::strtod(plain.c_str(), &end);
        while (*end == ' ')
            ++end;
        if (*end != 0) __builtin_trap();
    }
    return 0;
}
