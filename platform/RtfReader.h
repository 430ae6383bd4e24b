#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A reader of rich-text (RTF) documents: the parser walks the text once and
// tells a sink what it found. It knows groups, paragraphs and line breaks,
// tabs, bold, italic, underline, strike-out, fonts and their sizes, text and
// background colours from the font and colour tables, the escapes \'hh
// (Windows-1252), \uN (with \ucN), \\ \{ \} and \~, and skips \* groups and
// the destinations it does not show (pictures, document information, style
// sheets and the like).
//
// Any input is read in time linear in its size and never crashes: groups
// nested deeper than MaxDepth are read as if flat, a stray "}" is ignored,
// groups left open are closed at the end, numbers are clamped to 32 bits, a
// control word ends after MaxWordLength letters and \binN skips at most what
// is left.
namespace rtf {

constexpr int MaxDepth = 256;
constexpr int MaxWordLength = 32;

// A colour as 0xRRGGBB; NoColour leaves the document's default.
constexpr int32_t NoColour = -1;

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string fontName; // empty: the document's default font
    int halfPoints = 24; // \fsN
    int32_t foreground = NoColour;
    int32_t background = NoColour;
    bool operator==(const CharFormat&) const = default;
};

class Sink {
public:
    virtual ~Sink() = default;
    // A run of characters in one format (a tab is U+0009, a no-break space
    // U+00A0).
    virtual void Text(std::u32string_view text, const CharFormat& format) = 0;
    // \par: the paragraph ends.
    virtual void ParagraphEnd() = 0;
    // \line: a line break inside the paragraph.
    virtual void LineBreak() = 0;
};

// Reads an RTF text. A text that does not start with "{\rtf" is plain text:
// each byte is a Windows-1252 character, CR LF, CR or LF end a paragraph.
void Parse(std::string_view data, Sink& sink);

} // namespace rtf
