#include "fuzz/FuzzSupport.h"
#include "interpreter/arrays/Arrays_class.h"

#include <cstdio>
#include <string>
#include <unistd.h>

// Reads the input as an array file, an older array file and a lines file, and
// writes back what was read: every reader must end with a result number and a
// valid array, whatever the bytes.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 16) return -1;
    static const std::string path = "/tmp/qv_fuzz_array_" + std::to_string(getpid()) + ".qva";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return -1;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    Arrays_Class arrays;
    arrays.ReadFile("a", path);
    arrays.ReadFileOld("b", path);
    arrays.ReadTextLines("c", path);
    for (const char* name : { "a", "b", "c" }) {
        AnsiString text;
        arrays.ToText(name, text, ",");
        arrays.WriteFile(name, path);
    }
    std::remove(path.c_str());
    return 0;
}
