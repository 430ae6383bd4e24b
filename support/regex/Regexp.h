#pragma once

#include "support/regex/RegexBuilder.h"

#include <string>

// The result of a match, as a list of integers: [0] 1 when matched, [1] the
// group count G (highest group number), then for each group g = 0 .. G its
// start at [2 + 2g] and its end at [3 + 2g] (start <= end; -1 and -1 for a
// group that took no part). A result that did not match is empty.
class MatchResult : public CBufferT<int> {
public:
    bool IsMatched() const { return Size() > 0 && (*this)[0] == 1; }
    int MaxGroupNumber() const { return IsMatched() ? (*this)[1] : 0; }
    // The list entry at `index`, or -1 outside the list.
    int At(long long index) const { return index >= 0 && index < Size() ? (*this)[static_cast<int>(index)] : -1; }
    int GroupStart(int group) const { return At(2 + 2LL * group); }
    int GroupEnd(int group) const { return At(3 + 2LL * group); }
};

// A compiled regular expression over 8-bit texts.
class CRegexpA {
public:
    CRegexpA(const char* pattern = nullptr, int flags = 0);
    CRegexpA(const std::string& pattern, int flags);

    // Clears the expression and compiles a new pattern into it; a null pattern leaves it empty (it never matches).
    void RegexCompile(const char* pattern, int length, int flags);

    // The first match from `start` (below 0: the beginning, or the end when the expression runs right to left).
    MatchResult RegexMatch(const char* text, int length, int start = -1, CContext* context = nullptr) const;
    MatchResult RegexMatch(const std::string& text, int start = -1, CContext* context = nullptr) const
    {
        return RegexMatch(text.data(), static_cast<int>(text.size()), start, context);
    }
    // A match that covers the whole text, or a result that did not match.
    MatchResult MatchExact(const char* text, int length, CContext* context = nullptr) const;
    MatchResult MatchExact(const std::string& text, CContext* context = nullptr) const
    {
        return MatchExact(text.data(), static_cast<int>(text.size()), context);
    }
    // The number of the named group, or -3 when no group has that name.
    int RegexGroupNumber(const std::string& name) const { return m_builder.GroupNumber(name); }

    // Replaces up to `count` matches (below 0: all) from `start` by `replacement` with its "$" substitutions.
    // `result`, when given, receives the last match that was replaced.
    std::string RegexReplace(const std::string& text, const std::string& replacement, int start = -1, int count = -1,
        MatchResult* result = nullptr, CContext* context = nullptr) const;

    int Flags() const { return m_builder.Flags(); }
    int GroupCount() const { return m_builder.GroupCount(); }
    bool RunsRightToLeft() const { return (m_builder.Flags() & RegexFlag::RightToLeft) != 0; }

private:
    // One attempt at `start`; true with the context holding the match.
    bool AttemptAt(CContext& context, int start) const;
    // After a failed attempt at `position`: the last position of the leading run that need not be tried.
    int SkipRun(const CContext& context, int position) const;
    MatchResult ResultOf(const CContext& context) const;
    // The next position at or after (right to left: at or before) `position` where a match may start, or -1.
    int NextCandidate(const CContext& context, int position) const;

    CBuilderT<char> m_builder;
};
