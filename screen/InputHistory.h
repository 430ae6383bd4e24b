#pragma once

#include "base/Values.h"

#include <array>

// The 30 most recent input lines, shared by both input boxes. Entries are
// written round the ring; browsing moves round the same ring from the entry
// that the next input will take, so Ctrl+P first shows the latest input.
class InputHistory {
public:
    static constexpr int size = 30;

    // Stores a finished input line and starts browsing from the next slot.
    void Store(const AnsiString& line);
    // Moves the browse position one on (Ctrl+N) or back (Ctrl+P), wrapping,
    // and returns the entry there.
    const AnsiString& Next();
    const AnsiString& Previous();

    const AnsiString& Entry(int index) const { return entries[static_cast<size_t>(index)]; }
    int browse() const { return historyBrowse; }
    int insert() const { return historyInsert; }

private:
    std::array<AnsiString, size> entries;
    int historyBrowse = 0;
    int historyInsert = 0;
};
