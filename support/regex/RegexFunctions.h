#pragma once

#include "base/Values.h"
#include "support/regex/Regexp.h"

// The compiled expression and the match result that every regular-expression
// function of a program shares. Each run owns one pair, which starts with the
// empty pattern and a result that has not matched, so the group functions read
// 0 until a match succeeds.
struct RegexState {
    CRegexpA GlobalRegexp { "", 0 };
    MatchResult GlobalMatchResult;

    // Puts the pair back as a run starts with it, whatever an earlier run set up.
    void Reset();
};

// The regular-expression functions over a run's pair. Positions are 1-based
// as the program sees them. The thin ones are inline: a loop of searches and
// group reads pays no call for them.
int re_Setup(RegexState& state, const AnsiString& pattern, int flags); // caller maps omitted/negative flags to 0
AnsiString re_replace(
    const RegexState& state, const AnsiString& text, const AnsiString& replacement, int start, int count);

inline int re_match(RegexState& state, const AnsiString& text)
{
    state.GlobalMatchResult = state.GlobalRegexp.MatchExact(text);
    return state.GlobalMatchResult.IsMatched() ? 1 : 0;
}

// start is 1-based as given (<1: from the beginning).
inline int re_search(RegexState& state, const AnsiString& text, int start)
{
    state.GlobalMatchResult = state.GlobalRegexp.RegexMatch(text, start < 1 ? -1 : start - 1);
    return state.GlobalMatchResult.IsMatched() ? 1 : 0;
}

// Group -1 is the whole match; other groups outside the result read -1 and give 0.
inline int re_start(const RegexState& state, int group)
{
    return state.GlobalMatchResult.GroupStart(group == -1 ? 0 : group) + 1;
}

inline int re_end(const RegexState& state, int group)
{
    return state.GlobalMatchResult.GroupEnd(group == -1 ? 0 : group) + 1;
}

inline int re_grpnumber(const RegexState& state, const AnsiString& name)
{
    return state.GlobalRegexp.RegexGroupNumber(name);
}

inline int re_numofgrps(const RegexState& state)
{
    return state.GlobalMatchResult.MaxGroupNumber();
}
