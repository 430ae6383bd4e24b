#pragma once

#include "platform/MessageBoxes.h"

#include <cstddef>
#include <cstdint>
#include <string>

// What the fuzz harnesses share: quiet message boxes and a bound on the input.

namespace fuzz {

// Answers every box with its default button and prints nothing: a harness
// runs millions of inputs, and many of them end in an error box.
class SilentMessageBoxes : public platform::MessageBoxes {
public:
    int show(const AnsiString&, const AnsiString&, int flags) override { return platform::defaultAnswer(flags); }
};

inline void InstallSilentMessageBoxes()
{
    static SilentMessageBoxes boxes;
    platform::setMessageBoxes(&boxes);
}

inline std::string Text(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace fuzz

namespace fuzz {

// FIXME: a character the tokenizer does not read (a control character, one of
// ":?`{}", DEL or any byte above 127) where a function argument is expected
// hangs the expression compiler, which looks for the closing parenthesis, on
// later lines too, without consuming the token. Inputs with such a character
// after an unclosed parenthesis, outside a text literal, are skipped until
// that is mended.
inline bool HasUnreadCharacterInParentheses(const std::string& text)
{
    bool inText = false;
    bool escaped = false;
    int depth = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\r') {
            inText = false;
        } else if (inText) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inText = false;
        } else if (c == '"') {
            inText = true;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            depth = depth > 0 ? depth - 1 : 0;
        } else if (depth > 0
            && ((byte < 32 && c != '\t') || byte >= 127 || c == ':' || c == '?' || c == '`' || c == '{' || c == '}')) {
            return true;
        }
    }
    return false;
}

// FIXME: expressions nested deeply enough overflow the native stack instead of
// raising a run-time error; inputs with many brackets are skipped until the
// nesting is bounded.
inline bool OpensMoreBracketsThan(const std::string& text, int limit)
{
    int opened = 0;
    for (char c : text)
        if ((c == '(' || c == '[') && ++opened > limit) return true;
    return false;
}

} // namespace fuzz
