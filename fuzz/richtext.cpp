#include "platform/RichText.h"
#include "fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>

// The plain text of a rich-text file that textbox shows. Inputs that do not
// start as rich text are passed through, so most runs get the prefix added.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = fuzz::Text(data, size);
    const AnsiString plain = platform::RichTextToPlain("{\\rtf1 " + input);
    // Nothing is invented: every text byte comes from the input (a par adds two).
    if (plain.size() > 2 * input.size() + 2) __builtin_trap();
    platform::RichTextToPlain(input);
    return 0;
}
