#include "screen/InputHistory.h"

void InputHistory::Store(const AnsiString& line)
{
    entries[static_cast<size_t>(historyInsert)] = line;
    historyInsert = (historyInsert + 1) % size;
    historyBrowse = historyInsert;
}

const AnsiString& InputHistory::Next()
{
    historyBrowse = (historyBrowse + 1) % size;
    return Entry(historyBrowse);
}

const AnsiString& InputHistory::Previous()
{
    historyBrowse = (historyBrowse + size - 1) % size;
    return Entry(historyBrowse);
}
