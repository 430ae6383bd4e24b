#pragma once

#include "support/regex/Regexp.h"

#include <string>

// A match result as one short text: "no match", or each group's span as
// "start-end" (or "x" for a group that took no part), separated by blanks.
inline std::string Describe(const MatchResult& result)
{
    if (!result.IsMatched()) return "no match";
    std::string text;
    for (int group = 0; group <= result.MaxGroupNumber(); ++group) {
        if (group) text += ' ';
        int start = result.GroupStart(group);
        text += start < 0 ? "x" : std::to_string(start) + "-" + std::to_string(result.GroupEnd(group));
    }
    return text;
}

inline std::string Search(const std::string& pattern, int flags, const std::string& text, int start = -1)
{
    CRegexpA expression(pattern, flags);
    return Describe(expression.RegexMatch(text, start));
}
