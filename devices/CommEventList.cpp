#include "devices/CommEventList.h"

#include <algorithm>

int TEventList::Add(const AnsiString& pattern)
{
    if (pattern.empty()) return -1;
    events.push_back({ 0, pattern, -1 });
    longest = std::max(longest, pattern.size());
    return Count() - 1;
}

void TEventList::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    events.erase(events.begin() + index);
    longest = 0;
    for (const TCommEvent& event : events)
        longest = std::max(longest, event.pattern.size());
}

void TEventList::Clear()
{
    events.clear();
    longest = 0;
}

void TEventList::Restart()
{
    for (TCommEvent& event : events) {
        event.matched = 0;
        event.position = -1;
    }
}

int TEventList::IsEvent(uint8_t byte)
{
    for (size_t k = 0; k < events.size(); ++k) {
        TCommEvent& event = events[k];
        const auto at = [&](size_t i) { return static_cast<uint8_t>(event.pattern[i]); };
        if (at(static_cast<size_t>(event.matched)) == byte)
            ++event.matched;
        else
            event.matched = at(0) == byte ? 1 : 0;
        if (event.matched == static_cast<int>(event.pattern.size())) {
            event.matched = 0;
            return static_cast<int>(k);
        }
    }
    return -1;
}

std::vector<TEventList::Match> TEventList::Scan(const char* data, size_t length)
{
    std::vector<Match> matches;
    for (size_t k = 0; k < length; ++k) {
        const int index = IsEvent(static_cast<uint8_t>(data[k]));
        if (index < 0) continue;
        events[static_cast<size_t>(index)].position = static_cast<int>(k);
        matches.push_back({ index, static_cast<int>(k) });
    }
    return matches;
}

AnsiString TEventList::MatchText(const Match& match, const char* data, size_t length) const
{
    AnsiString text = Item(match.index).pattern;
    const size_t after = static_cast<size_t>(match.position + 1);
    if (match.position >= 0 && after <= length) text.append(data + after, length - after);
    return text;
}
