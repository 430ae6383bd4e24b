#include "fuzz/FuzzSandbox.h"
#include "fuzz/FuzzSupport.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/ProgramFiles.h"
#include "tests/support/RecordingScreen.h"

#include <cstdio>
#include <filesystem>

// Reads the input as a file that a program opened: fields up to a delimiter
// taken from the input itself, numbers and bytes through the handle, and the
// same bytes again as a byte buffer at every offset.

namespace {

constexpr long long StatementBudget = 200000;

const char* const reader = R"(h = fileopen("input.bin", 0)
d = fileread(h, 2)
while fileend(h) = 0
    f = filereadfield(h, d)
    n = filereadi(h)
    x = filereadf(h)
    b = filereadb(h)
    t = fileread(h, 5)
wend
print fileseek(h, 0, 0), fileseek(h, 2, -3), filesize(h)
print fileseek(h, 0, 0)
while fileend(h) = 0
    f = filereadfield(h)
wend
print fileseek(h, 0, 0)
s = fileread(h, 100000)
for k = 0 to length(s) - 1
    b = buffreadb(s, k)
    if k + 3 < length(s)
        n = buffreadi(s, k)
        y = buffreadf32(s, k)
    endif
    if k + 7 < length(s)
        x = buffreadf(s, k)
    endif
    r = buffread(s, k, b)
next k
print fileclose(h)
)";

std::filesystem::path scratch;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::InstallSilentMessageBoxes();
    std::error_code error;
    scratch = std::filesystem::temp_directory_path(error) / "quorvatine-fuzz-files";
    std::filesystem::create_directories(scratch, error);
    std::filesystem::current_path(scratch, error);
    fuzz::InstallSandbox(scratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::FILE* file = std::fopen("input.bin", "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    RecordingScreen screen;
    Durnix_Class run(screen);
    run.statementBudget = StatementBudget;
    run.Run(ProgramFiles::NormaliseLineEnds(reader));
    return 0;
}
