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
