#pragma once

#include "base/Values.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One pattern of the event list and how far the bytes seen so far match it.
struct TCommEvent {
    int matched = 0;
    AnsiString pattern;
    // Where in the last received chunk the pattern's last byte was.
    int position = -1;
};

// Byte patterns watched for in the received stream. Matching is per byte and
// deliberately simple: a pattern that fails restarts only when the failing
// byte is its first one, so "OK" is found in "xOOKy" at the second O, while a
// pattern like "aab" is missed in "aaab". Stored programs depend on exactly
// which chunks match, so it stays that way.
class TEventList {
public:
    // Patterns of no bytes are never added; the index is the list position.
    int Add(const AnsiString& pattern);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(events.size()); }
    const TCommEvent& Item(int index) const { return events[static_cast<size_t>(index)]; }
    size_t LongestPattern() const { return longest; }
    // Forgets partial matches, as a newly opened line starts afresh.
    void Restart();

    // Advances every pattern by one received byte, in list order, and returns
    // the index of the first pattern that completes (its count starts again)
    // or -1. Patterns after a completed one do not see this byte.
    int IsEvent(uint8_t byte);

    // Every match in a chunk: the pattern's index and the chunk position of
    // its last byte, with the positions recorded in the patterns.
    struct Match {
        int index;
        int position;
    };
    std::vector<Match> Scan(const char* data, size_t length);

    // The pattern followed by the chunk's bytes after the match that ended
    // at `position`, as the event-list handler gets it.
    AnsiString MatchText(const Match& match, const char* data, size_t length) const;

private:
    std::vector<TCommEvent> events;
    size_t longest = 0;
};
