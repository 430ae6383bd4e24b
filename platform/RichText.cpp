#include "platform/RichText.h"

#include "platform/AnsiText.h"

#include <cctype>
#include <vector>

namespace platform {

namespace {

// Destinations whose text is no part of the body.
bool IsSkippedDestination(std::string_view word)
{
    static const std::string_view skipped[] = { "fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer",
        "headerl", "headerr", "footerl", "footerr", "object", "listtable", "listoverridetable", "rsidtbl", "generator",
        "xmlnstbl", "themedata", "datastore", "latentstyles", "filetbl", "revtbl" };
    for (std::string_view name : skipped)
        if (word == name) return true;
    return false;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

AnsiString RichTextToPlain(std::string_view doc)
{
    if (doc.substr(0, 5) != "{\\rtf") return AnsiString(doc);
    AnsiString out;
    // Per open group: whether its text is skipped. Nesting is bounded by the
    // document's length, and kept on the heap.
    std::vector<bool> skipping { false };
    // Characters to drop after a \u (the fallback bytes that follow it).
    int unicodeSkip = 1;
    int pendingSkip = 0;
    size_t k = 0;
    auto put = [&](char c) {
        if (pendingSkip > 0) {
            --pendingSkip;
            return;
        }
        if (!skipping.back()) out += c;
    };
    while (k < doc.size()) {
        const char c = doc[k];
        if (c == '{') {
            skipping.push_back(skipping.back());
            ++k;
            continue;
        }
        if (c == '}') {
            if (skipping.size() > 1) skipping.pop_back();
            ++k;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++k;
            continue;
        }
        if (c != '\\') {
            put(c);
            ++k;
            continue;
        }
        // A control word or symbol.
        ++k;
        if (k >= doc.size()) break;
        const char next = doc[k];
        if (!std::isalpha(static_cast<unsigned char>(next))) {
            ++k;
            if (next == '\'') {
                const int high = k < doc.size() ? HexDigit(doc[k]) : -1;
                const int low = k + 1 < doc.size() ? HexDigit(doc[k + 1]) : -1;
                if (high >= 0 && low >= 0) {
                    put(static_cast<char>(high * 16 + low));
                    k += 2;
                }
            } else if (next == '*') {
                skipping.back() = true;
            } else if (next == '~') {
                put(' ');
            } else if (next == '\\' || next == '{' || next == '}') {
                put(next);
            } else if (next == '\r' || next == '\n') {
                put('\r');
                put('\n');
            }
            continue;
        }
        const size_t wordStart = k;
        while (k < doc.size() && std::isalpha(static_cast<unsigned char>(doc[k])))
            ++k;
        const std::string_view word = doc.substr(wordStart, k - wordStart);
        bool hasNumber = false;
        long number = 0;
        bool negative = false;
        if (k < doc.size() && doc[k] == '-') {
            negative = true;
            ++k;
        }
        while (k < doc.size() && std::isdigit(static_cast<unsigned char>(doc[k]))) {
            hasNumber = true;
            if (number < 100000000) number = number * 10 + (doc[k] - '0');
            ++k;
        }
        if (negative) number = -number;
        // One blank ends a control word and belongs to it.
        if (k < doc.size() && doc[k] == ' ') ++k;
        pendingSkip = 0;
        if (word == "par" || word == "line") {
            put('\r');
            put('\n');
        } else if (word == "tab") {
            put('\t');
        } else if (word == "uc" && hasNumber) {
            unicodeSkip = number < 0 ? 0 : static_cast<int>(number);
        } else if (word == "u" && hasNumber) {
            char byte = '?';
            const char32_t character = static_cast<char32_t>(number < 0 ? number + 65536 : number);
            if (!characterToByte(character, byte)) byte = '?';
            put(byte);
            pendingSkip = unicodeSkip;
        } else if (IsSkippedDestination(word)) {
            skipping.back() = true;
        }
    }
    return out;
}

} // namespace platform
