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

// FIXME: a "?" where a function argument is expected hangs the expression
// compiler; inputs that contain one are skipped until that is mended.
inline bool HasQuestionMarkArgument(const std::string& text)
{
    char previous = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t') continue;
        if (c == '?' && (previous == '(' || previous == ',')) return true;
        previous = c;
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
