#pragma once

#include "support/regex/RegexBuffer.h"

#include <cstdint>

// Thrown inside a match when it exceeds its step budget, its stack limit or its
// nesting limit; the search catches it and reports "no match". Matching state is
// rebuilt before every attempt, so nothing needs unwinding by hand.
struct MatchAbort { };

// The state of one matching run: the text, the current position, the
// backtracking stack on which elements keep what they need to resume or undo,
// and the captures.
//
// Captures live in a stack of four-integer records (group, first position,
// second position, previous record of the same group); the second position is
// -1 while the group is still open. The capture index gives, per group, its
// current record (the one last opened or closed). Every change to captures is also written to an
// undo journal, so that atomic groups, possessive repeats and assertions can
// throw away their elements' resume data and still restore the captures.
class CContext {
public:
    // Limits that keep a runaway pattern from exhausting memory, the machine
    // stack or the user's patience.
    static constexpr int kMaxStackItems = 16 * 1024 * 1024;
    static constexpr int kMaxNesting = 4000;
    static constexpr int64_t kBaseStepBudget = 10'000'000;
    static constexpr int64_t kStepsPerTextByte = 100;

    const char* text = nullptr;
    int length = 0;
    int position = 0;
    int searchStart = 0; // where the current search began (\G matches here)
    // Where the previous match through this context was found when it did not advance (it was empty, or ended
    // behind its start), else -1: a search that continues there must not find the same match again.
    int lastEmptyMatch = -1;
    // Where a following search continues: the last match's end, or its start when it did not advance.
    int nextStart = -1;

    CBufferT<int> stack;
    CBufferT<int> captureStack;
    CBufferT<int> captureIndex;
    CBufferT<int> journal;

    int64_t steps = 0;
    int64_t baseStepBudget = kBaseStepBudget; // a caller may set a tighter limit before searching
    int64_t stepBudget = kBaseStepBudget;
    int nesting = 0;
    bool aborted = false; // the last search gave up on a limit

    // Points the context at a text and arms the limits for one search.
    void BeginSearch(const char* searchText, int searchLength, int groupCount);
    // Clears the stacks and the captures for an attempt at `start`, with group 0 open there.
    void BeginAttempt(int start);

    void Push(int value)
    {
        if (stack.Size() >= kMaxStackItems) throw MatchAbort {};
        stack.Push(value);
    }
    int Pop() { return stack.Pop(); }

    // Counts work done by composite elements; a search that runs past its budget ends as "no match".
    void Step(int64_t count = 1)
    {
        steps += count;
        if (steps > stepBudget) throw MatchAbort {};
    }

    // Capture bookkeeping, one journal entry per call.
    void OpenCapture(int group);
    void CloseCapture(int group);
    void UndoCapture();
    void RollbackCaptures(int journalSize);
    // The record of the group's latest completed capture, or -1.
    int CapturedRecord(int group) const;
    // The group's latest capture as an ordered pair; false when it has none.
    bool CapturedSpan(int group, int& start, int& end) const;

    int JournalSize() const { return journal.Size(); }
};

// Counts one level of element nesting for as long as it lives.
class NestingGuard {
public:
    explicit NestingGuard(CContext& context)
        : m_context(context)
    {
        if (context.nesting >= CContext::kMaxNesting) throw MatchAbort {};
        ++context.nesting;
        context.Step();
    }
    ~NestingGuard() { --m_context.nesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    CContext& m_context;
};
