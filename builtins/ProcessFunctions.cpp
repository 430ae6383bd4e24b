#include "builtins/FunctionFamilies.h"
#include "builtins/ProgramName.h"
#include "interpreter/OpenFiles.h"
#include "interpreter/RunScreen.h"
#include "platform/ProcessStart.h"
#include "support/FileNames.h"

#include <QStandardPaths>
#include <QString>
#include <cfenv>
#include <sys/stat.h>
#include <unistd.h>

// Starting other programs, and the name of the program being run.

namespace ProgramName {

namespace {
AnsiString programPath;
} // namespace

void Set(const AnsiString& path)
{
    programPath = path;
}

const AnsiString& Get()
{
    return programPath;
}

} // namespace ProgramName

namespace {

bool IsExecutableFile(const AnsiString& path)
{
    struct stat status { };
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// A name with a separator is a path; a bare name is looked for in the current
// folder, then on PATH. Empty when there is no such program.
AnsiString FindProgram(const AnsiString& name)
{
    if (name.empty() || FileNames::StartsWithDrive(name)) return {};
    const bool isPath = name.find('/') != AnsiString::npos || name.find('\\') != AnsiString::npos;
    const std::optional<AnsiString> resolved = FileNames::Resolve(name);
    if (resolved && IsExecutableFile(*resolved)) return FileNames::Absolute(*resolved);
    if (isPath) return {};
    const QString found = QStandardPaths::findExecutable(QString::fromLocal8Bit(name.c_str()));
    return found.isEmpty() ? AnsiString() : AnsiString(found.toLocal8Bit().constData());
}

void Spawn(FunctionCall& call)
{
    const AnsiString program = FindProgram(call.FirstText());
    const AnsiString parameters = call.NextText();
    const bool noWait = call.NextInt() != 0;
    if (program.empty()) {
        call.ReturnInt(-1);
        return;
    }
    OpenFiles::WritePending(call.ex);
    static const bool neverStopped = false;
    const bool& stopped = call.ex.screen ? call.Screen().stopped : neverStopped;
    const int64_t result = platform::startProgram(
        program, parameters, noWait ? platform::StartMode::NoWait : platform::StartMode::Wait, stopped);
    // The window events processed while waiting may leave floating-point
    // conditions raised; they are not this function's failure.
    std::feclearexcept(FE_ALL_EXCEPT);
    call.ReturnInt(static_cast<double>(result));
}

void ProgName(FunctionCall& call)
{
    call.ReturnText(ProgramName::Get());
}

const FunctionEntry entries[] = {
    { FunctionCode::Spawn, FirstArgument::Text, Spawn },
    { FunctionCode::Progname, FirstArgument::None, ProgName },
};

} // namespace

std::span<const FunctionEntry> ProcessFunctionEntries()
{
    return entries;
}
