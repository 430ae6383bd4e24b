#include "devices/PortLogFile.h"

#include "devices/PortSysUtils.h"

#include <cerrno>
#include <chrono>
#include <ctime>

namespace {

AnsiString TimeStamp()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const int millis = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm local {};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return FormatText("%s.%03d", text, millis);
}

} // namespace

TqzCustomLogFile::~TqzCustomLogFile()
{
    const std::set<TqzBaseIO*> current = users;
    for (TqzBaseIO* user : current)
        user->SetLogFile(nullptr);
}

void TqzCustomLogFile::AddFmt(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const AnsiString text = FormatText(format, arguments);
    va_end(arguments);
    Add(text);
}

void TqzCustomLogFile::AddLogFmt(TDetailLevel level, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const AnsiString text = FormatText(format, arguments);
    va_end(arguments);
    AddLog(level, text);
}

void TqzCustomLogFile::DoFatalErrors(int code, int systemError, const AnsiString& message, FatalReport report)
{
    bool raise = true;
    if (OnFatalError) OnFatalError(*this, code, systemError, message, raise);
    if (raise) KeepFatalError(message, report, unhandledError);
}

TqzFileLog::TqzFileLog(const AnsiString& path)
    : Clock(TimeStamp)
    , fileName(path)
{ }

TqzFileLog::~TqzFileLog()
{
    if (file) std::fclose(file);
}

void TqzFileLog::SetFileName(const AnsiString& path)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (file) std::fclose(file);
    file = nullptr;
    failed = false;
    fileName = path;
}

void TqzFileLog::Reopen(const char* mode)
{
    if (file) std::fclose(file);
    file = nullptr;
    if (fileName.empty() || failed) return;
    file = std::fopen(fileName.c_str(), mode);
    if (!file) Fail(errno);
}

void TqzFileLog::Fail(int error)
{
    if (file) std::fclose(file);
    file = nullptr;
    failed = true;
    DoFatalErrors(0, error, "Log file \"" + fileName + "\" cannot be written: " + SysErrorString(error));
}

void TqzFileLog::Save()
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (file) std::fflush(file);
}

void TqzFileLog::Clear()
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    failed = false;
    Reopen("w");
}

void TqzFileLog::Add(const AnsiString& text)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (!file) Reopen("a");
    if (!file) return;
    const AnsiString line = Clock() + " " + text + "\n";
    if (std::fwrite(line.data(), 1, line.size(), file) != line.size() || std::fflush(file) != 0) Fail(errno);
}

void TqzFileLog::AddLog(TDetailLevel level, const AnsiString& text)
{
    if (static_cast<int>(level) > static_cast<int>(DetailLevel)) return;
    Add(text);
}
