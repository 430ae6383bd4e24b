#include "fuzz/FuzzSandbox.h"
#include "fuzz/FuzzSupport.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/Expression_class.h"
#include "interpreter/ProgramFiles.h"
#include "interpreter/Variables_class.h"
#include "support/FloatText.h"
#include "support/RandomNumbers.h"
#include "tests/support/RecordingScreen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

// Evaluates the input as a line of expressions twice, from compiled trees and
// with the text evaluator: besides running clean under the sanitizers, both
// must agree on every value, error, error position and the token left current.

namespace {

// The evaluator of a run, so that the functions reach the run's screen (a
// recording one) and robot as in a program.
struct Engine {
    RecordingScreen screen;
    Durnix_Class run { screen };
    Variables_Class outerVariables;

    Engine()
    {
        run.currentVariables->SetInt("a", 6);
        run.currentVariables->SetFloat("b", -2.5);
        run.currentVariables->SetString("t", "abc");
        outerVariables.SetInt("o", 7);
        DArray<int> sizes;
        sizes.items[0] = 4;
        sizes.items[1] = 3;
        run.arrays.Define("m", 2, sizes);
    }
};

std::string Describe(char tag, const Value& value)
{
    switch (tag) {
    case Tag::Int:
        return "i:" + std::to_string(value.i);
    case Tag::Float:
        return "f:" + FloatToStr(value.f);
    case Tag::String:
        return "s:" + value.s;
    default:
        return std::string(1, tag);
    }
}

// Every expression of the text in turn, each described with where it left the
// scan; the first error ends the list.
std::filesystem::path scratch;

// Each pass starts in the same empty folder, so that the file functions find
// the same files in both.
void EmptyScratch()
{
    std::error_code error;
    std::filesystem::current_path("/", error);
    std::filesystem::remove_all(scratch, error);
    std::filesystem::create_directories(scratch, error);
    std::filesystem::current_path(scratch, error);
}

std::string Evaluations(const std::string& text, bool compiled)
{
    EmptyScratch();
    // Both evaluators draw the same random numbers; each works on a new run,
    // which starts with the empty pattern.
    Engine engine;
    engine.run.runState.random.Seed(1);
    RandomNumbers::ResetGaussianGenerator();
    Expression_Class& ex = engine.run.expression;
    ex.compileExpressions = compiled;
    ex.compileOnFirstUse = true;
    ex.Attach(text.c_str(), engine.run.currentVariables, &engine.run.arrays);
    ex.outerVariables = &engine.outerVariables;
    std::string result;
    for (int step = 0; step < 16; ++step) {
        try {
            Value value;
            result += Describe(ex.Evaluate(value), value);
            result += " @" + std::to_string(ex.tokenStart - ex.programStart) + " scan "
                + std::to_string(ex.scanPosition - ex.programStart) + " type " + std::to_string(ex.tokenType) + " code "
                + std::to_string(ex.tokenCode) + "\n";
            if (ex.tokenCode == TokenCode::EndOfText) break;
        } catch (const RunTimeError& error) {
            result += "error " + std::to_string(error.number) + " at " + std::to_string(error.line) + ":"
                + std::to_string(error.column) + "\n";
            break;
        }
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::InstallSilentMessageBoxes();
    std::error_code error;
    scratch = std::filesystem::temp_directory_path(error) / "quorvatine-fuzz-expression";
    std::filesystem::create_directories(scratch, error);
    fuzz::InstallSandbox(scratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Line ends as a program file or the editor hands them over.
    const std::string text = ProgramFiles::NormaliseLineEnds(fuzz::Text(data, size));
    // A program text ends at its first NUL byte, as the evaluator reads it.
    if (std::memchr(text.data(), 0, text.size())) return -1;
    // What reads the clock (a file's date is the moment each pass wrote it)
    // differs between the two passes: they cannot agree.
    for (const char* clock : { "filedate", "now", "time", "date", "timer", "datetime" })
        if (fuzz::MentionsWord(text, clock)) return -1;
    // The free space of a disk changes whenever any other process writes.
    if (fuzz::MentionsWord(text, "diskfree")) return -1;
    // So does what the TCP/UDP service keeps from one run to the next (its
    // channels outlive runs by design).
    for (const char* service : { "udp_", "tcp" })
        if (fuzz::MentionsWord(text, service)) return -1;
    const std::string compiled = Evaluations(text, true);
    const std::string interpreted = Evaluations(text, false);
    if (compiled != interpreted) {
        std::fprintf(stderr, "compiled and text evaluators differ on:\n%s\n--- compiled:\n%s--- text:\n%s",
            text.c_str(), compiled.c_str(), interpreted.c_str());
        std::abort();
    }
    return 0;
}
