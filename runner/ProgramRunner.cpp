#include "runner/ProgramRunner.h"
#include "interpreter/RunHooks.h"

#include "builtins/ProgramName.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/ProgramFiles.h"
#include "runner/HeadlessRun.h"
#include "support/MemoryBound.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace ProgramRunner {

namespace {

constexpr const char* usage
    = "usage: quorvatine [--headless [--screenshot OUT.png] [--max-statements N] [--max-memory MB]] PROGRAM.bas\n"
      "  --max-statements N  end the run after N statements (0: no limit), exit status 3\n"
      "  --max-memory MB     the run's memory bound in MiB (0: half the machine's memory, at most 4 GiB)\n";

struct Arguments {
    bool headless = false;
    AnsiString screenshot;
    AnsiString program;
    long long maxStatements = 0;
    long long maxMemoryMb = 0;
};

// A statement count: decimal digits only, so that a typo never silently means
// "no limit".
bool ParseCount(const char* text, long long& count)
{
    if (*text == 0) return false;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (*end != 0 || errno == ERANGE || value < 0 || !std::isdigit(static_cast<unsigned char>(*text))) return false;
    count = value;
    return true;
}

bool ParseArguments(int argc, char** argv, Arguments& arguments)
{
    for (int k = 1; k < argc; ++k) {
        const char* argument = argv[k];
        if (std::strcmp(argument, "--headless") == 0) {
            arguments.headless = true;
        } else if (std::strcmp(argument, "--screenshot") == 0) {
            if (k + 1 >= argc) return false;
            arguments.screenshot = argv[++k];
        } else if (std::strcmp(argument, "--max-statements") == 0) {
            if (k + 1 >= argc || !ParseCount(argv[++k], arguments.maxStatements)) return false;
        } else if (std::strcmp(argument, "--max-memory") == 0) {
            constexpr long long largestMb = 1LL << 30;
            if (k + 1 >= argc || !ParseCount(argv[++k], arguments.maxMemoryMb) || arguments.maxMemoryMb > largestMb)
                return false;
        } else if (argument[0] == '-' && argument[1] == '-') {
            return false;
        } else if (arguments.program.empty()) {
            arguments.program = argument;
        } else {
            return false;
        }
    }
    if ((!arguments.screenshot.empty() || arguments.maxStatements != 0 || arguments.maxMemoryMb != 0)
        && !arguments.headless)
        return false;
    return !arguments.program.empty();
}

// The file name as given, with surrounding quotes stripped.
AnsiString StripQuotes(AnsiString name)
{
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    return name;
}

// The run itself, on the headless run's deferred screen.
Status RunFileOn(DeferredScreen& screen, const AnsiString& path, long long maxStatements)
{
    namespace fs = std::filesystem;
    AnsiString text;
    if (const ProgramFiles::ReadResult result = ProgramFiles::ReadText(path, text);
        result != ProgramFiles::ReadResult::Ok) {
        std::fprintf(stderr, "quorvatine: %s\n", ProgramFiles::DescribeFailure(result, path).c_str());
        return Status::CannotRun;
    }
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(path), error);
    const fs::path folder = absolute.parent_path();
    if (!folder.empty()) fs::current_path(folder, error);
    ProgramName::Set(absolute.lexically_normal().string());

    // No TCP connection carries from one run into the next.
    RunHooks::Services().ResetTcp();
    screen.PrepareForRun();
    auto interpreter = std::make_unique<Durnix_Class>(screen);
    interpreter->statementBudget = maxStatements;
    // The runner keeps no copy of the text: a large program lives once.
    const int ended = interpreter->Run(std::move(text));
    screen.AfterRun();
    RunHooks::Services().ResetTcp();
    if (interpreter->budgetExhausted) {
        std::fprintf(stderr, "quorvatine: run stopped after %lld statements (--max-statements)\n", maxStatements);
        return Status::BudgetExhausted;
    }
    return ended ? Status::Ended : Status::RunTimeError;
}

// The headless runner: no window and no application object until the run
// needs them.
int RunHeadless(int argc, char** argv, const Arguments& arguments)
{
    HeadlessRun run(argc, argv, HeadlessRun::Naming::Environment);
    MemoryBound::SetLimit(static_cast<std::size_t>(arguments.maxMemoryMb) << 20);
    const Status status = RunFileOn(run.Screen(), arguments.program, arguments.maxStatements);
    if (status == Status::CannotRun) return static_cast<int>(status);
    if (!arguments.screenshot.empty() && !run.Screen().SaveImagePng(arguments.screenshot)) {
        std::fprintf(stderr, "quorvatine: cannot write %s\n", arguments.screenshot.c_str());
        return static_cast<int>(Status::CannotRun);
    }
    std::fflush(stdout);
    return static_cast<int>(status);
}

} // namespace

int Main(int argc, char** argv)
{
    Arguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        std::fputs(usage, stderr);
        return static_cast<int>(Status::CannotRun);
    }
    arguments.program = StripQuotes(arguments.program);
    // The screenshot is named relative to where the runner was started, not
    // to the program's folder, which becomes the current directory.
    std::error_code error;
    if (!arguments.screenshot.empty())
        arguments.screenshot = std::filesystem::absolute(arguments.screenshot, error).string();
    // Only the headless runner comes here: the environment runs the rest.
    return RunHeadless(argc, argv, arguments);
}

} // namespace ProgramRunner
