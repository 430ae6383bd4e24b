// The elements that combine others: sequences, alternatives, repeats,
// assertions, atomic groups and conditionals.
#include "support/regex/RegexElements.h"

// ---- sequences

ElxInterface* CListElx::At(int step) const
{
    int count = static_cast<int>(m_elements.size());
    return m_elements[static_cast<std::size_t>(m_direction == Direction::LeftToRight ? step : count - 1 - step)];
}

int CListElx::RunFrom(CContext& context, int step)
{
    int count = static_cast<int>(m_elements.size());
    while (step < count) {
        if (At(step)->MatchAt(context)) {
            ++step;
            continue;
        }
        // Ask the earlier elements, last first, for another match and go on from there.
        do {
            if (--step < 0) return 0;
        } while (!At(step)->Backtrack(context));
        ++step;
    }
    return 1;
}

int CListElx::MatchAt(CContext& context)
{
    NestingGuard guard(context);
    return RunFrom(context, 0);
}

int CListElx::Backtrack(CContext& context)
{
    NestingGuard guard(context);
    int step = static_cast<int>(m_elements.size());
    do {
        if (--step < 0) return 0;
    } while (!At(step)->Backtrack(context));
    return RunFrom(context, step + 1);
}

StartCharacters CListElx::FirstCharacters() const
{
    StartCharacters combined = StartCharacters::Transparent();
    for (int step = 0; step < static_cast<int>(m_elements.size()); ++step) {
        StartCharacters next = At(step)->FirstCharacters();
        // What the sequence starts with so far may be followed by `next` only where it can be empty.
        combined.bytes |= next.bytes;
        combined.known = combined.known && next.known;
        if (combined.zeroWidth) {
            combined.requiresTextStart = combined.requiresTextStart || next.requiresTextStart;
            combined.requiresTextEnd = combined.requiresTextEnd || next.requiresTextEnd;
        }
        combined.zeroWidth = combined.zeroWidth && next.zeroWidth;
        combined.canBeEmpty = next.canBeEmpty;
        if (!next.canBeEmpty) break;
    }
    return combined;
}

// ---- alternatives

int CAlternativeElx::TryFrom(CContext& context, int index)
{
    for (; index < static_cast<int>(m_alternatives.size()); ++index) {
        if (m_alternatives[static_cast<std::size_t>(index)]->MatchAt(context)) {
            context.Push(index);
            return 1;
        }
    }
    return 0;
}

int CAlternativeElx::MatchAt(CContext& context)
{
    NestingGuard guard(context);
    return TryFrom(context, 0);
}

int CAlternativeElx::Backtrack(CContext& context)
{
    NestingGuard guard(context);
    int index = context.Pop();
    if (m_alternatives[static_cast<std::size_t>(index)]->Backtrack(context)) {
        context.Push(index);
        return 1;
    }
    return TryFrom(context, index + 1);
}

StartCharacters CAlternativeElx::FirstCharacters() const
{
    StartCharacters combined;
    combined.zeroWidth = true;
    combined.requiresTextStart = true;
    combined.requiresTextEnd = true;
    for (const ElxInterface* alternative : m_alternatives) {
        StartCharacters next = alternative->FirstCharacters();
        combined.bytes |= next.bytes;
        combined.known = combined.known && next.known;
        combined.canBeEmpty = combined.canBeEmpty || next.canBeEmpty;
        combined.zeroWidth = combined.zeroWidth && next.zeroWidth;
        combined.requiresTextStart = combined.requiresTextStart && next.requiresTextStart;
        combined.requiresTextEnd = combined.requiresTextEnd && next.requiresTextEnd;
    }
    return combined;
}

// ---- repeats

StartCharacters RepeatElxBase::FirstCharacters() const
{
    StartCharacters start = m_element->FirstCharacters();
    if (m_minimum == 0) {
        start.canBeEmpty = true;
        start.requiresTextStart = false;
        start.requiresTextEnd = false;
    }
    return start;
}

int RepeatElxBase::Extend(CContext& context, int count, int least, int limit)
{
    // Each iteration leaves its element's resume data and then its start position on the stack.
    for (;;) {
        while (count < limit) {
            int before = context.position;
            if (!m_element->MatchAt(context)) break;
            context.Push(before);
            ++count;
            // An iteration that consumed nothing would only repeat itself: it stands for all that remain.
            if (context.position == before) return count;
        }
        if (count >= least) return count;
        for (;;) {
            if (count == 0) return -1;
            int before = context.Pop();
            if (m_element->Backtrack(context)) {
                context.Push(before);
                if (context.position == before) return count;
                break;
            }
            --count;
        }
    }
}

void RepeatElxBase::StepBack(CContext& context, int count) const
{
    // A single-byte element's Backtrack moves the position back over the byte it matched.
    for (int index = 0; index < count; ++index)
        m_element->Backtrack(context);
}

int CGreedyElx::MatchAt(CContext& context)
{
    NestingGuard guard(context);
    int count = 0;
    if (m_element->IsSingleByte()) {
        while (count < m_maximum && m_element->MatchAt(context))
            ++count;
        context.Step(count);
        if (count < m_minimum) {
            StepBack(context, count);
            return 0;
        }
    } else {
        count = Extend(context, 0, m_minimum, m_maximum);
        if (count < 0) return 0;
    }
    context.Push(count);
    return 1;
}

int CGreedyElx::Backtrack(CContext& context)
{
    NestingGuard guard(context);
    int count = context.Pop();
    if (m_element->IsSingleByte()) {
        if (count > m_minimum) {
            StepBack(context, 1);
            context.Push(count - 1);
            return 1;
        }
        StepBack(context, count);
        return 0;
    }
    // Give back one iteration at a time, letting the last one find a shorter match first.
    while (count > 0) {
        int before = context.Pop();
        if (m_element->Backtrack(context)) {
            context.Push(before);
            if (context.position != before) count = Extend(context, count, m_minimum, m_maximum);
            if (count < 0) return 0;
            context.Push(count);
            return 1;
        }
        if (--count >= m_minimum) {
            context.Push(count);
            return 1;
        }
    }
    return 0;
}

int CReluctantElx::MatchAt(CContext& context)
{
    NestingGuard guard(context);
    int count = 0;
    if (m_element->IsSingleByte()) {
        while (count < m_minimum && m_element->MatchAt(context))
            ++count;
        if (count < m_minimum) {
            StepBack(context, count);
            return 0;
        }
    } else {
        count = Extend(context, 0, m_minimum, m_minimum);
        if (count < 0) return 0;
    }
    context.Push(count);
    return 1;
}

int CReluctantElx::Backtrack(CContext& context)
{
    NestingGuard guard(context);
    int count = context.Pop();
    if (m_element->IsSingleByte()) {
        if (count < m_maximum && m_element->MatchAt(context)) {
            context.Push(count + 1);
            return 1;
        }
        StepBack(context, count);
        return 0;
    }
    // First one more iteration (skipping matches that consume nothing, which would change nothing) ...
    // unless the last iteration consumed nothing: it already stands for all further ones.
    bool lastWasEmpty = count > 0 && context.stack.Top() == context.position;
    if (count < m_maximum && !lastWasEmpty) {
        int before = context.position;
        if (m_element->MatchAt(context)) {
            do {
                if (context.position != before) {
                    context.Push(before);
                    context.Push(count + 1);
                    return 1;
                }
            } while (m_element->Backtrack(context));
        }
    }
    // ... then other matches of the iterations already made, the last first.
    while (count > 0) {
        int before = context.Pop();
        if (m_element->Backtrack(context)) {
            context.Push(before);
            if (count < m_minimum && context.position != before) count = Extend(context, count, m_minimum, m_minimum);
            if (count < 0) return 0;
            context.Push(count);
            return 1;
        }
        --count;
    }
    return 0;
}

namespace {
// Atomic matching: the body's resume data is discarded, only the way back is kept.
void KeepOnlyWayBack(CContext& context, int stackSize, int start, int journalSize)
{
    context.stack.Truncate(stackSize);
    context.Push(start);
    context.Push(journalSize);
}

int GoBack(CContext& context)
{
    int journalSize = context.Pop();
    context.RollbackCaptures(journalSize);
    context.position = context.Pop();
    return 0;
}
} // namespace

int CPossessiveElx::MatchAt(CContext& context)
{
    int stackSize = context.stack.Size();
    int start = context.position;
    int journalSize = context.JournalSize();
    if (!CGreedyElx::MatchAt(context)) return 0;
    KeepOnlyWayBack(context, stackSize, start, journalSize);
    return 1;
}

int CPossessiveElx::Backtrack(CContext& context)
{
    return GoBack(context);
}

int CIndependentElx::MatchAt(CContext& context)
{
    NestingGuard guard(context);
    int stackSize = context.stack.Size();
    int start = context.position;
    int journalSize = context.JournalSize();
    if (!m_element->MatchAt(context)) return 0;
    KeepOnlyWayBack(context, stackSize, start, journalSize);
    return 1;
}

int CIndependentElx::Backtrack(CContext& context)
{
    return GoBack(context);
}

// ---- assertions

int CAssertElx::MatchAt(CContext& context)
{
    NestingGuard guard(context);
    int stackSize = context.stack.Size();
    int start = context.position;
    int journalSize = context.JournalSize();
    bool matched = m_element->MatchAt(context) != 0;
    context.stack.Truncate(stackSize);
    context.position = start;
    if (matched != m_positive) {
        context.RollbackCaptures(journalSize);
        return 0;
    }
    // A positive assertion keeps the captures its body made.
    KeepOnlyWayBack(context, stackSize, start, journalSize);
    return 1;
}

int CAssertElx::Backtrack(CContext& context)
{
    return GoBack(context);
}

// ---- conditionals

template <class CHART> int CConditionElxT<CHART>::MatchAt(CContext& context)
{
    NestingGuard guard(context);
    bool holds = m_assertion ? m_assertion->MatchAt(context) != 0 : context.CapturedRecord(m_group) >= 0;
    if ((holds ? m_yes : m_no)->MatchAt(context)) {
        context.Push(holds ? 1 : 0);
        return 1;
    }
    if (m_assertion && holds) m_assertion->Backtrack(context);
    return 0;
}

template <class CHART> int CConditionElxT<CHART>::Backtrack(CContext& context)
{
    NestingGuard guard(context);
    bool holds = context.Pop() != 0;
    if ((holds ? m_yes : m_no)->Backtrack(context)) {
        context.Push(holds ? 1 : 0);
        return 1;
    }
    if (m_assertion && holds) m_assertion->Backtrack(context);
    return 0;
}

template class CConditionElxT<char>;
