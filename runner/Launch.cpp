#include "runner/Launch.h"

#include "builtins/ProgramName.h"
#include "devices/CaptureBridge.h"
#include "devices/QelmBridge.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/RunHooks.h"
#include "platform/ModuleFiles.h"
#include "runner/ExecutableImage.h"
#include "runner/HeadlessRun.h"
#include "runner/IdePaths.h"
#include "runner/ProgramRunner.h"
#include "runner/WindowParts.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// A stand-alone executable started with --headless runs its own program with
// no display; other arguments are ignored.
int RunAppendedProgramHeadless(int argc, char** argv, const AnsiString& executable)
{
    AnsiString program;
    if (ExecutableImage::LoadAppendedProgram(executable, program) != ExecutableImage::AppendedResult::Found) {
        std::fprintf(stderr, "quorvatine: cannot read the program of %s\n", executable.c_str());
        return static_cast<int>(ProgramRunner::Status::CannotRun);
    }
    HeadlessRun headless(argc, argv, HeadlessRun::Naming::Executable);
    DeferredScreen& screen = headless.Screen();
    RunHooks::SetHiddenProgram(true);
    RunHooks::SetFromExecutable(true);
    ProgramName::Set(executable);
    screen.PrepareForRun();
    auto run = std::make_unique<Durnix_Class>(screen);
    const int ended = run->Run(program);
    screen.AfterRun();
    std::fflush(stdout);
    return static_cast<int>(ended ? ProgramRunner::Status::Ended : ProgramRunner::Status::RunTimeError);
}

} // namespace

int LaunchMain(int argc, char** argv)
{
    const AnsiString executable = IdePaths::RunningExecutable();
    const bool compiled = !ExecutableImage::IsIdeExecutable(executable);
    // The USB board and image-capture libraries come only from the program's
    // own folder, once, window or headless (the board's at its first use);
    // they are freed at exit.
    devices::Qelm().LoadOnFirstCall(platform::ExecutableFolder());
    devices::Capture().Load(platform::ExecutableFolder());
    bool headless = false;
    for (int k = 1; k < argc; ++k)
        headless = headless || std::strcmp(argv[k], "--headless") == 0;
    if (headless)
        return compiled ? RunAppendedProgramHeadless(argc, argv, executable) : ProgramRunner::Main(argc, argv);
    return Window().environmentMain(argc, argv);
}
