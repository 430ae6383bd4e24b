#include "platform/RichText.h"

#include "platform/AnsiText.h"
#include "platform/RtfReader.h"

namespace platform {

namespace {

// Collects the body text of a document as Windows-1252 bytes.
class PlainText final : public rtf::Sink {
public:
    AnsiString out;

    void Text(std::u32string_view text, const rtf::CharFormat&) override
    {
        for (char32_t character : text) {
            char byte = '?';
            if (!characterToByte(character, byte)) byte = '?';
            out += byte;
        }
    }
    void ParagraphEnd() override { out += "\r\n"; }
    void LineBreak() override { out += "\r\n"; }
};

} // namespace

AnsiString RichTextToPlain(std::string_view doc)
{
    if (doc.substr(0, 5) != "{\\rtf") return AnsiString(doc);
    PlainText plain;
    rtf::Parse(doc, plain);
    return plain.out;
}

} // namespace platform
