#include "platform/RtfReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reads the input as a rich-text document. The sink checks what the reader
// promises: no run is empty and no character is outside Unicode.

namespace {

class CheckingSink : public rtf::Sink {
public:
    void Text(std::u32string_view text, const rtf::CharFormat& format) override
    {
        if (text.empty() || format.halfPoints <= 0) __builtin_trap();
        for (char32_t c : text)
            if (c > 0x10FFFF) __builtin_trap();
    }
    void ParagraphEnd() override { }
    void LineBreak() override { }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckingSink sink;
    rtf::Parse(std::string_view(reinterpret_cast<const char*>(data), size), sink);
    return 0;
}
