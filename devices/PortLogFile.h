#pragma once

#include "devices/PortBase.h"

#include <cstdio>
#include <functional>
#include <mutex>
#include <set>

// The log of the port components. A component passes its lines here with
// its log prefix; what the log does with them is the log's own business.
// Components on their threads log too, so a log must take lines from any
// thread.
class TqzCustomLogFile {
public:
    using FatalErrorHandler = std::function<void(
        TqzCustomLogFile& sender, int code, int systemError, const AnsiString& message, bool& raise)>;

    virtual ~TqzCustomLogFile();

    virtual void Save() = 0;
    virtual void Clear() = 0;
    virtual void Add(const AnsiString& text) = 0;
    virtual void AddLog(TDetailLevel level, const AnsiString& text) = 0;
    void AddFmt(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AddLogFmt(TDetailLevel level, const char* format, ...) __attribute__((format(printf, 3, 4)));

    void DoFatalErrors(int code, int systemError, const AnsiString& message, FatalReport report = FatalReport::Keep);
    FatalErrorHandler OnFatalError;
    AnsiString unhandledError;

private:
    // The components logging here: they forget the log when it goes first.
    std::set<TqzBaseIO*> users;
    friend class TqzBaseIO;
    void Remember(TqzBaseIO* user) { users.insert(user); }
    void Forget(TqzBaseIO* user) { users.erase(user); }
};

// A log kept in a text file: every entry is appended at once as one line,
// "YYYY-MM-DD hh:mm:ss.zzz " and the text, so that a crash loses nothing.
// Entries above the detail level are left out. A file that cannot be opened
// or written is a fatal error of the log, reported once; the lines are lost
// until Clear or a new file name.
class TqzFileLog : public TqzCustomLogFile {
public:
    explicit TqzFileLog(const AnsiString& path = {});
    ~TqzFileLog() override;

    TDetailLevel DetailLevel = TDetailLevel::dlSimple;
    const AnsiString& FileName() const { return fileName; }
    void SetFileName(const AnsiString& path);

    void Save() override;
    // Empties the file.
    void Clear() override;
    void Add(const AnsiString& text) override;
    void AddLog(TDetailLevel level, const AnsiString& text) override;

    // The time stamp of a line; tests fix it.
    std::function<AnsiString()> Clock;

private:
    std::recursive_mutex lock;
    AnsiString fileName;
    std::FILE* file = nullptr;
    bool failed = false;
    void Reopen(const char* mode);
    void Fail(int error);
};
