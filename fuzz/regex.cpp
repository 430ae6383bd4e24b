#include "support/regex/Regexp.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

// Compiles a pattern, then searches and replaces in a text with it. The input
// is a flags byte followed by the pattern, the text and the replacement,
// separated by NUL bytes; what is missing is empty.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return -1;
    const int flags = data[0];
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string parts[3];
    size_t from = 0;
    for (int k = 0; k < 3 && from <= rest.size(); ++k) {
        const size_t end = k == 2 ? rest.size() : std::min(rest.find('\0', from), rest.size());
        parts[k] = rest.substr(from, end - from);
        from = end + 1;
    }
    const std::string& pattern = parts[0];
    const std::string& text = parts[1];
    const std::string& replacement = parts[2];

    CRegexpA expression(pattern, flags);
    // A tenth of the usual step budget: runaway patterns are common among
    // the inputs, and each would otherwise take seconds under the
    // sanitizers before it gives up. The limit works the same at any size.
    CContext context;
    context.baseStepBudget = CContext::kBaseStepBudget / 10;
    MatchResult match = expression.RegexMatch(text, -1, &context);
    const int groups = match.MaxGroupNumber();
    for (int group = 0; group <= groups; ++group)
        if (match.GroupStart(group) > match.GroupEnd(group) || match.GroupEnd(group) > static_cast<int>(text.size()))
            __builtin_trap();
    expression.MatchExact(text, &context);
    expression.RegexMatch(text, static_cast<int>(text.size() / 2), &context);
    expression.RegexReplace(text, replacement, -1, -1, nullptr, &context);
    return 0;
}
