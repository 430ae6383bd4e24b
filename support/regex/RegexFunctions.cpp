#include "support/regex/RegexFunctions.h"

void RegexState::Reset()
{
    GlobalRegexp.RegexCompile("", 0, 0);
    GlobalMatchResult = MatchResult();
}

int re_Setup(RegexState& state, const AnsiString& pattern, int flags)
{
    state.GlobalRegexp.RegexCompile(pattern.data(), static_cast<int>(pattern.size()), flags < 0 ? 0 : flags);
    return 1;
}

AnsiString re_replace(
    const RegexState& state, const AnsiString& text, const AnsiString& replacement, int start, int count)
{
    return state.GlobalRegexp.RegexReplace(text, replacement, start < 1 ? -1 : start - 1, count < 1 ? -1 : count);
}
