#include "support/regex/Regexp.h"

#include <cstring>

CRegexpA::CRegexpA(const char* pattern, int flags)
{
    RegexCompile(pattern, pattern ? static_cast<int>(std::strlen(pattern)) : 0, flags);
}

CRegexpA::CRegexpA(const std::string& pattern, int flags)
{
    RegexCompile(pattern.data(), static_cast<int>(pattern.size()), flags);
}

void CRegexpA::RegexCompile(const char* pattern, int length, int flags)
{
    m_builder.Clear();
    if (!pattern) return;
    m_builder.Compile(CBufferRefT<char>(pattern, length), flags);
}

MatchResult CRegexpA::ResultOf(const CContext& context) const
{
    MatchResult result;
    int groups = m_builder.GroupCount();
    result.Push(1);
    result.Push(groups);
    for (int group = 0; group <= groups; ++group) {
        int start = -1;
        int end = -1;
        if (!context.CapturedSpan(group, start, end)) start = end = -1;
        result.Push(start);
        result.Push(end);
    }
    return result;
}

bool CRegexpA::AttemptAt(CContext& context, int start) const
{
    context.BeginAttempt(start);
    return m_builder.Root()->MatchAt(context) != 0;
}

int CRegexpA::NextCandidate(const CContext& context, int position) const
{
    const StartCharacters& start = m_builder.Start();
    bool backwards = RunsRightToLeft();
    if (backwards) {
        if (start.requiresTextEnd) return position == context.length ? position : -1;
    } else if (start.requiresTextStart) {
        return position == 0 ? position : -1;
    }
    if (!start.known || start.canBeEmpty) return position;
    const auto* text = reinterpret_cast<const unsigned char*>(context.text);
    if (backwards) {
        for (; position > 0; --position)
            if (start.bytes.test(text[position - 1])) return position;
        return -1;
    }
    if (start.bytes.count() == 1) {
        // One possible first byte: let the library scan for it.
        int byte = 0;
        while (!start.bytes.test(static_cast<std::size_t>(byte)))
            ++byte;
        const void* found = std::memchr(text + position, byte, static_cast<std::size_t>(context.length - position));
        return found ? static_cast<int>(static_cast<const unsigned char*>(found) - text) : -1;
    }
    for (; position < context.length; ++position)
        if (start.bytes.test(text[position])) return position;
    return -1;
}

int CRegexpA::SkipRun(const CContext& context, int position) const
{
    const ElxInterface* run = m_builder.LeadingRun();
    if (!run) return position;
    const auto* text = reinterpret_cast<const unsigned char*>(context.text);
    // Returns the last position to skip; the search loop then steps once more.
    if (RunsRightToLeft()) {
        while (position > 0 && run->MatchesByte(text[position - 1]))
            --position;
        return position;
    }
    while (position < context.length && run->MatchesByte(text[position]))
        ++position;
    return position;
}

MatchResult CRegexpA::RegexMatch(const char* text, int length, int start, CContext* context) const
{
    CContext ownContext;
    CContext& run = context ? *context : ownContext;
    if (!m_builder.Root() || !text || length < 0) return MatchResult();
    bool backwards = RunsRightToLeft();
    if (start < 0) start = backwards ? length : 0;
    if (start > length) {
        if (!backwards) return MatchResult();
        start = length;
    }
    run.BeginSearch(text, length, m_builder.GroupCount());
    run.searchStart = start;
    try {
        for (int position = start; backwards ? position >= 0 : position <= length; position += backwards ? -1 : 1) {
            position = NextCandidate(run, position);
            if (position < 0) break;
            if (!AttemptAt(run, position)) {
                position = SkipRun(run, position);
                continue;
            }
            // A match that is empty, or that a recursion into a group of the other direction ended behind its
            // start, does not advance: the next search continues at its start, where the same match is then
            // refused, so a loop over the matches of a text always moves on.
            bool advanced = backwards ? run.position < position : run.position > position;
            if (!advanced && position == start && run.lastEmptyMatch == start) continue;
            run.CloseCapture(0);
            run.lastEmptyMatch = advanced ? -1 : position;
            run.nextStart = advanced ? run.position : position;
            return ResultOf(run);
        }
    } catch (const MatchAbort&) {
        run.aborted = true;
    }
    return MatchResult();
}

MatchResult CRegexpA::MatchExact(const char* text, int length, CContext* context) const
{
    CContext ownContext;
    CContext& run = context ? *context : ownContext;
    if (!m_builder.Root() || !text || length < 0) return MatchResult();
    bool backwards = RunsRightToLeft();
    int start = backwards ? length : 0;
    int goal = backwards ? 0 : length;
    run.BeginSearch(text, length, m_builder.GroupCount());
    run.searchStart = start;
    try {
        if (!AttemptAt(run, start)) return MatchResult();
        while (run.position != goal)
            if (!m_builder.Root()->Backtrack(run)) return MatchResult();
        run.CloseCapture(0);
        run.nextStart = run.position;
        return ResultOf(run);
    } catch (const MatchAbort&) {
        run.aborted = true;
    }
    return MatchResult();
}
