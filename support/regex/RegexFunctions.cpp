#include "support/regex/RegexFunctions.h"

// The program starts with the empty pattern and a result that has not matched,
// so the group functions read 0 until a match succeeds.
CRegexpA GlobalRegexp("", 0);
MatchResult GlobalMatchResult;

void re_Reset()
{
    GlobalRegexp.RegexCompile("", 0, 0);
    GlobalMatchResult = MatchResult();
}

int re_Setup(const AnsiString& pattern, int flags)
{
    GlobalRegexp.RegexCompile(pattern.data(), static_cast<int>(pattern.size()), flags < 0 ? 0 : flags);
    return 1;
}

int re_match(const AnsiString& text)
{
    GlobalMatchResult = GlobalRegexp.MatchExact(text);
    return GlobalMatchResult.IsMatched() ? 1 : 0;
}

int re_search(const AnsiString& text, int start)
{
    GlobalMatchResult = GlobalRegexp.RegexMatch(text, start < 1 ? -1 : start - 1);
    return GlobalMatchResult.IsMatched() ? 1 : 0;
}

namespace {
// Group -1 is the whole match; other groups outside the result read -1 and give 0.
int GroupIndex(int group)
{
    return group == -1 ? 0 : group;
}
} // namespace

int re_start(int group)
{
    return GlobalMatchResult.GroupStart(GroupIndex(group)) + 1;
}

int re_end(int group)
{
    return GlobalMatchResult.GroupEnd(GroupIndex(group)) + 1;
}

int re_grpnumber(const AnsiString& name)
{
    return GlobalRegexp.RegexGroupNumber(name);
}

int re_numofgrps()
{
    return GlobalMatchResult.MaxGroupNumber();
}

AnsiString re_replace(const AnsiString& text, const AnsiString& replacement, int start, int count)
{
    return GlobalRegexp.RegexReplace(text, replacement, start < 1 ? -1 : start - 1, count < 1 ? -1 : count);
}
