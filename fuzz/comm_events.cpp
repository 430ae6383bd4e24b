#include "devices/CommEventList.h"
#include "devices/PnpString.h"
#include "fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <string>

// What the serial component reads from a line: received chunks matched
// against an event list, and a plug-and-play identification string. The
// input is the patterns (separated by 0x01), a NUL byte, then the line's
// bytes; in the line 0xFF and a byte d stand for a silence of 2 x d ms.

namespace {

class ScriptedLine : public PnpByteSource {
public:
    explicit ScriptedLine(const std::string& bytes)
        : script(bytes)
    { }
    int Next(int ms) override
    {
        int silence = 0;
        while (next + 1 < script.size() && static_cast<uint8_t>(script[next]) == 0xFF) {
            silence += 2 * static_cast<uint8_t>(script[next + 1]);
            next += 2;
        }
        if (next >= script.size() || silence > ms) return -1;
        return static_cast<uint8_t>(script[next++]);
    }

private:
    std::string script;
    size_t next = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = fuzz::Text(data, size);
    const size_t split = input.find('\0');
    const std::string patterns = input.substr(0, split);
    const std::string line = split == std::string::npos ? std::string() : input.substr(split + 1);

    TEventList list;
    size_t from = 0;
    while (from <= patterns.size() && list.Count() < 8) {
        const size_t end = std::min(patterns.find('\x01', from), patterns.size());
        list.Add(patterns.substr(from, end - from));
        from = end + 1;
    }
    int last = -1;
    for (const TEventList::Match& match : list.Scan(line.data(), line.size())) {
        if (match.index < 0 || match.index >= list.Count() || match.position <= last
            || match.position >= static_cast<int>(line.size()))
            __builtin_trap();
        last = match.position;
        const std::string& pattern = list.Item(match.index).pattern;
        // With one pattern its bytes end right at the match.
        if (list.Count() == 1
            && (static_cast<size_t>(match.position) + 1 < pattern.size()
                || line.compare(match.position + 1 - pattern.size(), pattern.size(), pattern) != 0))
            __builtin_trap();
        const std::string text = list.MatchText(match, line.data(), line.size());
        if (text.compare(0, pattern.size(), pattern) != 0
            || text.size() != pattern.size() + line.size() - match.position - 1)
            __builtin_trap();
    }

    ScriptedLine source(line);
    const PnpReadResult result = ReadPnpString(source);
    const std::string& text = result.text;
    if (text.size() > PnpMaxLength || (!result.answered && !text.empty())) __builtin_trap();
    if (!text.empty()) {
        const char start = text[0];
        if (start != 0x08 && start != 0x28) __builtin_trap();
        const char end = start == 0x08 ? 0x09 : 0x29;
        const size_t found = text.find(end);
        if (found != std::string::npos && found + 1 != text.size()) __builtin_trap();
    }
    return 0;
}
