#include "devices/ComPortMap.h"
#include "devices/TunePlayer.h"
#include "fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The texts the ports service reads from outside: COM map entries of the
// environment (one KEY=VALUE a line) and music texts. The input is the
// entries, a NUL byte, then the music text.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = fuzz::Text(data, size);
    const size_t split = input.find('\0');
    const std::string entries = input.substr(0, split);
    const std::string music = split == std::string::npos ? std::string() : input.substr(split + 1);

    std::vector<std::string> environment;
    size_t from = 0;
    while (from <= entries.size()) {
        const size_t end = std::min(entries.find('\n', from), entries.size());
        environment.push_back(entries.substr(from, end - from));
        from = end + 1;
    }
    for (const ComPortEntry& entry : ComPortMapFromEnvironment(environment))
        if (entry.number < 1 || entry.path.empty()) __builtin_trap();

    for (const TuneStep& step : ParseTune(music))
        if (step.milliseconds < 0 || step.frequency < 0 || step.frequency > 4000) __builtin_trap();
    return 0;
}
