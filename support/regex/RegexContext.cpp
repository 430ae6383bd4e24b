#include "support/regex/RegexContext.h"

#include <algorithm>

namespace {
// Layout of a capture record and of a journal entry (four integers each).
constexpr int kRecordFirst = 1;
constexpr int kRecordSecond = 2;
constexpr int kRecordPrevious = 3;
constexpr int kRecordSize = 4;
// A journal entry's last field: kOpened for an opened record, else the second position it overwrote.
constexpr int kOpened = -2;
} // namespace

void CContext::BeginSearch(const char* searchText, int searchLength, int groupCount)
{
    text = searchText;
    length = searchLength;
    captureIndex.Assign(groupCount + 1, -1);
    steps = 0;
    stepBudget = baseStepBudget + kStepsPerTextByte * static_cast<int64_t>(searchLength);
    nesting = 0;
    aborted = false;
}

void CContext::BeginAttempt(int start)
{
    stack.Clear();
    captureStack.Clear();
    journal.Clear();
    for (int group = 0; group < captureIndex.Size(); ++group)
        captureIndex[group] = -1;
    position = start;
    nesting = 0;
    OpenCapture(0);
}

void CContext::OpenCapture(int group)
{
    if (captureStack.Size() >= kMaxStackItems || journal.Size() >= kMaxStackItems) throw MatchAbort {};
    if (group < 0 || group >= captureIndex.Size()) {
        // Every mark leaves one journal entry, so that its undo pops its own.
        const int entry[4] = { -1, -1, -1, 0 };
        journal.Append(entry, 4);
        return;
    }
    int record = captureStack.Size();
    int previous = captureIndex[group];
    const int fields[kRecordSize] = { group, position, -1, previous };
    captureStack.Append(fields, kRecordSize);
    const int entry[4] = { record, group, previous, kOpened };
    journal.Append(entry, 4);
    captureIndex[group] = record;
}

void CContext::CloseCapture(int group)
{
    if (journal.Size() >= kMaxStackItems) throw MatchAbort {};
    if (group < 0 || group >= captureIndex.Size()) {
        const int entry[4] = { -1, -1, -1, 0 };
        journal.Append(entry, 4);
        return;
    }
    // The record to close is the group's innermost one still open: a recursion
    // may have opened and closed newer records of the same group meanwhile.
    int record = captureIndex[group];
    while (record >= 0 && captureStack[record + kRecordSecond] != -1)
        record = captureStack[record + kRecordPrevious];
    if (record < 0) {
        const int entry[4] = { -1, group, captureIndex[group], 0 };
        journal.Append(entry, 4);
        return;
    }
    const int entry[4] = { record, group, captureIndex[group], captureStack[record + kRecordSecond] };
    journal.Append(entry, 4);
    captureStack[record + kRecordSecond] = position;
    captureIndex[group] = record;
}

void CContext::UndoCapture()
{
    if (journal.Size() < 4) return;
    int last = journal.Pop();
    int previous = journal.Pop();
    int group = journal.Pop();
    int record = journal.Pop();
    if (group < 0) return;
    captureIndex[group] = previous;
    if (record < 0) return;
    if (last == kOpened)
        captureStack.Truncate(record);
    else
        captureStack[record + kRecordSecond] = last;
}

void CContext::RollbackCaptures(int journalSize)
{
    while (journal.Size() > journalSize)
        UndoCapture();
}

int CContext::CapturedRecord(int group) const
{
    if (group < 0 || group >= captureIndex.Size()) return -1;
    int record = captureIndex[group];
    while (record >= 0 && captureStack[record + kRecordSecond] == -1)
        record = captureStack[record + kRecordPrevious];
    return record;
}

bool CContext::CapturedSpan(int group, int& start, int& end) const
{
    int record = CapturedRecord(group);
    if (record < 0) return false;
    start = std::min(captureStack[record + kRecordFirst], captureStack[record + kRecordSecond]);
    end = std::max(captureStack[record + kRecordFirst], captureStack[record + kRecordSecond]);
    return true;
}
