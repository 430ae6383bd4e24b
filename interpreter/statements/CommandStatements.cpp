#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"
#include "platform/Dialogs.h"
#include "platform/KeyMap.h"
#include "platform/SystemQueries.h"
#include "platform/Waits.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <iterator>

// The simple command families: statements that take no argument, one text or
// one integer and map straight onto one operation of the run, the screen or
// the clipboard; and the rectangle buffer statements savescr, savescrwh and
// restorescr. Each family is a table; other families add rows to it.

namespace {

// --- Pauses -----------------------------------------------------------------------

constexpr int BeepMilliseconds = 220;
constexpr int DefaultDelayMilliseconds = 1000;
constexpr std::chrono::milliseconds KeyPoll { 10 };
constexpr int HighestKey = 254;

// Waits on the event loop for the time asked: the windows stay live, no
// program handler runs (handlers run only between statements), and the stop
// flag ends the wait.
void Pause(const RunScreen& screen, int milliseconds)
{
    platform::WaitMs(milliseconds, &screen.stopped);
}

bool AnyKeyDown()
{
    for (int key = 1; key <= HighestKey; ++key)
        if (platform::KeyIsDown(key)) return true;
    return false;
}

// --- No-argument family -------------------------------------------------------

struct NoArgumentStatement {
    StatementCode code;
    void (*operation)(Durnix_Class&);
};

constexpr NoArgumentStatement noArgumentStatements[] = {
    { StatementCode::Textbufftocb,
        [](Durnix_Class& d) { platform::setClipboardText(d.screen.Console().TextBuffer()); } },
    { StatementCode::Clrcb, [](Durnix_Class&) { platform::clearClipboard(); } },
    { StatementCode::Printersetup, [](Durnix_Class&) { platform::dialogs().PrinterSetup(); } },
    { StatementCode::Undeclare, [](Durnix_Class& d) { d.declareMode = 0; } },
    { StatementCode::Printscr, [](Durnix_Class& d) { d.screen.Drawing().PrintScreenImage(); } },
};

void NoArgument(Durnix_Class& d)
{
    const int code = d.expression.tokenCode;
    d.SetParamDefaults(1, 0, '0');
    int given = 0;
    d.ParseParams(0, 0, given);
    for (const NoArgumentStatement& statement : noArgumentStatements)
        if (Code(statement.code) == code) return statement.operation(d);
}

// --- One-text family ------------------------------------------------------------

struct OneTextStatement {
    StatementCode code;
    void (*operation)(Durnix_Class&, const AnsiString&);
};

constexpr OneTextStatement oneTextStatements[] = {
    { StatementCode::Setpromptarea,
        [](Durnix_Class& d, const AnsiString& text) { d.screen.Console().SetPromptText(text); } },
    { StatementCode::Setinputarea,
        [](Durnix_Class& d, const AnsiString& text) { d.screen.Console().SetInputText(text); } },
    { StatementCode::Settextbuff,
        [](Durnix_Class& d, const AnsiString& text) { d.screen.Console().SetTextBuffer(text); } },
    { StatementCode::Setcbtext, [](Durnix_Class&, const AnsiString& text) { platform::setClipboardText(text); } },
};

void OneText(Durnix_Class& d)
{
    const int code = d.expression.tokenCode;
    d.SetParamDefaults(1, 0, 's');
    int given = 0;
    d.ParseParams(0, 1, given);
    for (const OneTextStatement& statement : oneTextStatements)
        if (Code(statement.code) == code) return statement.operation(d, d.paramText[0]);
}

// --- One-integer family ---------------------------------------------------------

struct OneIntegerStatement {
    StatementCode code;
    int defaultValue;
    void (*operation)(Durnix_Class&, int);
};

void AbortMethod(Durnix_Class& d, int n)
{
    d.screen.SetCloseMode(0);
    if (n >= 0 && n <= 2) {
        // What the run reports should the user stop it.
        d.outcome = -1 - n;
    } else if (n == 3 || n == 4) {
        d.screen.SetCloseMode(n - 2);
        d.screen.TakeCloseRequest();
    }
}

void Beep(Durnix_Class& d, int n)
{
    if (n < 1) n = 1;
    for (int k = 0; k < n && !d.screen.stopped; ++k) {
        platform::beep();
        Pause(d.screen, BeepMilliseconds);
    }
}

void Delay(Durnix_Class& d, int n)
{
    Pause(d.screen, n < 1 ? DefaultDelayMilliseconds : n);
}

// Waits while any key is held, at most abs(n) ms (0: no limit).
void WaitNoKey(Durnix_Class& d, int n)
{
    const int64_t limit = std::llabs(static_cast<int64_t>(n));
    const auto deadline = limit > 0 ? platform::DeadlineAfterMs(limit) : platform::WaitClock::time_point::max();
    platform::WaitUntil(deadline, [&d] { return d.screen.stopped || !AnyKeyDown(); }, { .slice = KeyPoll });
}

void CommaTab(Durnix_Class& d, int n)
{
    d.tabSeparator = n != 0 ? ',' : ';';
    d.plainSeparator = n != 0 ? ';' : ',';
}

void InlineInputMode(Durnix_Class& d, int n)
{
    // Without the strip that holds the input box there is only inline input.
    d.inlineInputMode = d.screen.Console().ControlBarVisible() ? n : 1;
}

constexpr OneIntegerStatement oneIntegerStatements[] = {
    { StatementCode::Abortmethod, 0, AbortMethod },
    { StatementCode::Beep, 1, Beep },
    { StatementCode::Delay, -1, Delay },
    { StatementCode::Waitnokey, 0, WaitNoKey },
    { StatementCode::Clearscr, -1, [](Durnix_Class& d, int n) { d.screen.Console().ClearScreen(n); } },
    { StatementCode::Linewidth, -1, [](Durnix_Class& d, int n) { d.screen.Drawing().SetPenWidth(n); } },
    { StatementCode::Flip, -1, [](Durnix_Class& d, int n) { d.screen.Drawing().SetDrawTarget(n); } },
    { StatementCode::Oldstyle, -1, [](Durnix_Class& d, int n) { d.gotoMode = n; } },
    { StatementCode::Commatab, -1, CommaTab },
    { StatementCode::Allowevents, -1, [](Durnix_Class& d, int n) { d.eventsAllowed = n != 0; } },
    { StatementCode::Honorcrlf, 1, [](Durnix_Class& d, int n) { d.honourCrLf = n; } },
    { StatementCode::Inlineinputmode, 1, InlineInputMode },
    { StatementCode::Seedrandom, 0, [](Durnix_Class& d, int n) { d.runState.random.Seed(n); } },
};

void OneInteger(Durnix_Class& d)
{
    const int code = d.expression.tokenCode;
    for (const OneIntegerStatement& statement : oneIntegerStatements) {
        if (Code(statement.code) != code) continue;
        d.SetParamDefaults(1, statement.defaultValue, 'i');
        int given = 0;
        d.ParseParams(0, 1, given);
        return statement.operation(d, d.paramInt[0]);
    }
}

// --- The rectangle buffer -------------------------------------------------------

// Reads up to four integers, the last two defaulting to the image size.
void ReadRectangle(Durnix_Class& d, int maximum)
{
    d.SetParamDefaults(4, 0, 'i');
    d.paramInt[2] = 800;
    d.paramInt[3] = 600;
    int given = 0;
    d.ParseParams(0, maximum, given);
}

void SaveScrWH(Durnix_Class& d)
{
    ReadRectangle(d, 4);
    d.screen.Drawing().CopyRectToBufferWH(d.paramInt[0], d.paramInt[1], d.paramInt[2], d.paramInt[3]);
}

void SaveScr(Durnix_Class& d)
{
    ReadRectangle(d, 4);
    d.screen.Drawing().CopyRectToBuffer(d.paramInt[0], d.paramInt[1], d.paramInt[2], d.paramInt[3]);
}

void RestoreScr(Durnix_Class& d)
{
    ReadRectangle(d, 2);
    d.screen.Drawing().PasteBuffer(d.paramInt[0], d.paramInt[1]);
}

constexpr auto entries = [] {
    constexpr size_t count
        = std::size(noArgumentStatements) + std::size(oneTextStatements) + std::size(oneIntegerStatements) + 3;
    std::array<StatementEntry, count> list {};
    size_t k = 0;
    for (const auto& statement : noArgumentStatements)
        list[k++] = { statement.code, NoArgument };
    for (const auto& statement : oneTextStatements)
        list[k++] = { statement.code, OneText };
    for (const auto& statement : oneIntegerStatements)
        list[k++] = { statement.code, OneInteger };
    list[k++] = { StatementCode::Savescrwh, SaveScrWH };
    list[k++] = { StatementCode::Savescr, SaveScr };
    list[k++] = { StatementCode::Restorescr, RestoreScr };
    return list;
}();

} // namespace

const StatementFamily commandStatements = { entries.data(), static_cast<int>(entries.size()) };
