#include "interpreter/Durnix_class.h"

#include "devices/Ports_comms_io.h"

#include "interpreter/EventThrottle.h"
#include "interpreter/RunHooks.h"
#include "interpreter/statements/Assignment.h"
#include "interpreter/statements/StatementTable.h"
#include "platform/Events.h"
#include "platform/KeyMap.h"
#include "support/MemoryBound.h"

#include <ctime>
#include <new>
#include <stdexcept>

namespace {

// Runs step, turning an allocation that fails anywhere in it into error 73
// ("Could Not Create Memory for Operation") at the current token: the run
// ends or traps like on any run-time error, and the environment lives on.
template <typename Step> void WithMemoryErrors(Expression_Class& e, Step&& step)
{
    try {
        step();
    } catch (const std::bad_alloc&) {
        e.RaiseError(ErrorCode::OutOfMemory);
    } catch (const std::length_error&) {
        e.RaiseError(ErrorCode::OutOfMemory);
    }
}

// A statement word with no handler. The block words and word operators sit
// below the first statement of a family and are merely misplaced here; any
// other word belongs to a family this build does not serve yet, which the
// user is told by name rather than with a bare syntax error.
[[noreturn]] void RaiseUnservedStatement(Expression_Class& e)
{
    constexpr int firstFamilyCode = 1200;
    if (e.tokenCode < firstFamilyCode) e.RaiseError(ErrorCode::SyntaxError);
    AnsiString name(e.tokenText);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    e.customErrorText = "Statement not available: " + name;
    e.RaiseError(ErrorCode::EvaluateError);
}

// Statement codes the run loop itself handles.
constexpr int CodeEnd = Code(StatementCode::End);
constexpr int CodeTerminate = Code(StatementCode::Terminate);
constexpr int CodeExit = Code(StatementCode::Exit);

} // namespace

Durnix_Class::Durnix_Class(RunScreen& runScreen)
    : screen(runScreen)
    , mainVariables(std::make_unique<Variables_Class>())
{
    for (auto& kind : eventHandlerKind)
        kind = 1;
    currentVariables = mainVariables.get();
    expression.screen = &screen;
    expression.robot = &robot;
    expression.runState = &runState;
    Ports_Comms_IO_Form().SetStopFlag(&screen.stopped);
}

Durnix_Class::~Durnix_Class()
{
    // A run's sounds and media end with it: the wave sound stops and every
    // media slot closes.
    screen.Media().PlayWave({}, true, false);
    screen.Media().MediaControl(0, MediaOp::CloseAll);
    Ports_Comms_IO_Form().ResetPorts();
    Ports_Comms_IO_Form().SetStopFlag(nullptr);
    gosubStack.Clear(mainVariables.get());
    if (currentVariables != mainVariables.get()) delete currentVariables;
}

Variables_Class* Durnix_Class::NewLocalTable()
{
    if (sparedTables.empty()) return new Variables_Class;
    Variables_Class* table = sparedTables.back().release();
    sparedTables.pop_back();
    return table;
}

void Durnix_Class::ReleaseLocalTable(Variables_Class* table)
{
    constexpr size_t keptTables = 64;
    if (sparedTables.size() >= keptTables) {
        delete table;
        return;
    }
    table->Clear();
    sparedTables.emplace_back(table);
}

bool Durnix_Class::NextVariableAsText(AnsiString& name, char& tag, AnsiString& text)
{
    return currentVariables->NextAsText(name, tag, text);
}

bool Durnix_Class::AtIncludeEnd() const
{
    const ptrdiff_t offset = expression.tokenStart - expression.programStart;
    for (ptrdiff_t end : includeEndOffsets)
        if (end == offset) return true;
    return false;
}

void Durnix_Class::SetCurrentVariables(Variables_Class* table)
{
    currentVariables = table;
    expression.currentVariables = table;
}

void Durnix_Class::Attach()
{
    expression.Attach(programText.c_str(), currentVariables, &arrays);
    expression.outerVariables = mainVariables.get();
    // A new text may lie where the old one was.
    lineBreaks = {};
    statementCache.Clear();
}

int Durnix_Class::PrepareCompile(const AnsiString& text)
{
    programText = text;
    try {
        Attach();
        ExpandIncludes();
    } catch (const RunTimeError& error) {
        errorLine = error.line;
        errorColumn = error.column;
        return 0;
    }
    return 1;
}

int Durnix_Class::Run(AnsiString text)
{
    programText = std::move(text);
    const EventThrottle::Running ticking;
    runState.BeginRun(static_cast<int32_t>(std::time(nullptr)));
    // Keys pressed before the run are forgotten.
    platform::ReleaseAllKeys();

    bool firstEntry = true;
    bool trapPending = false;
    bool abortErrorRaised = false;
    for (;;) {
        try {
            if (firstEntry) {
                firstEntry = false;
                Attach();
                if (prescanNeeded) WithMemoryErrors(expression, [this] { PrepareProgram(); });
                screen.BeginRun();
                RunHooks::Debugger().PrepareForRun();
            }
            WithMemoryErrors(expression, [&] {
                if (trapPending) {
                    trapPending = false;
                    TrapError();
                }
                while (expression.tokenCode != TokenCode::EndOfText && !screen.stopped) {
                    if (statementBudget != 0 && statementsRun++ >= statementBudget) {
                        budgetExhausted = true;
                        break;
                    }
                    ExecuteStatement();
                }
            });
            RunHooks::Debugger().CloseAfterRun();
            if (screen.stopped && outcome == Outcome::AbortRaisesError && !abortErrorRaised) {
                abortErrorRaised = true;
                expression.RaiseError(ErrorCode::ProgramAborted);
            }
            return 1;
        } catch (const RunTimeError& error) {
            errorLine = error.line;
            errorColumn = error.column;
            if (!onErrorPosition) {
                // Only an untrapped error becomes the outcome of the run.
                outcome = errorLine;
                RunHooks::Debugger().CloseAfterRun();
                return 0;
            }
            trapPending = true;
        }
    }
}

void Durnix_Class::CatchUpNow()
{
    platform::ProcessMessages();
    if (MemoryBound::Raised()) RaiseMemoryAlarm();
}

void Durnix_Class::RaiseMemoryAlarm()
{
    const MemoryBound::Alarm alarm = MemoryBound::Take();
    if (alarm == MemoryBound::Alarm::None) return;
    // Once the program has had its chance to handle the error, no handler may
    // keep the run going far past the bound or with the memory never back
    // within it. (A ticker that ran late may see the memory far past the
    // bound at its first look: the first error is always the program's.)
    const bool recovered = MemoryBound::TakeRecovered();
    if (memoryAlarmRaised && (alarm == MemoryBound::Alarm::FarPassed || !recovered)) {
        onErrorPosition = nullptr;
        expression.trapFlag = 0;
    }
    memoryAlarmRaised = true;
    expression.RaiseError(ErrorCode::OutOfMemory);
}

bool Durnix_Class::SpendMotionStep()
{
    if (statementBudget == 0) return true;
    if (statementsRun >= statementBudget) {
        budgetExhausted = true;
        return false;
    }
    ++statementsRun;
    return true;
}

void Durnix_Class::ExecuteStatement()
{
    PollEvents();
    if (RunHooks::Debugger().SteppingOn()) {
        if (!RunHooks::HiddenProgram()) DebugStep();
    } else if (statementCache.TryRun(*this, expression)) {
        return;
    }

    Expression_Class& e = expression;
    int type = e.NextToken();
    // The end of a line is a statement of its own only for the step hook,
    // which stops there; otherwise the next statement is read at once.
    while (
        type == TokenType::Delimiter && e.tokenCode == TokenCode::EndOfStatement && !RunHooks::Debugger().SteppingOn())
        type = e.NextToken();
    switch (type) {
    case TokenType::Variable:
    case TokenType::OuterVariable:
        Assign(*this);
        return;
    case TokenType::Function: {
        e.PutBack();
        Value ignored;
        e.Evaluate(ignored);
        return;
    }
    case TokenType::Include:
        e.SkipRestOfLine();
        return;
    case TokenType::Label:
    case TokenType::Number:
        // A label statement: nothing happens, the line goes on.
        return;
    case TokenType::Delimiter:
        if (e.endOfStatement) return;
        e.RaiseError(ErrorCode::SyntaxError);
    case TokenType::Keyword:
        break;
    default:
        e.RaiseError(ErrorCode::SyntaxError);
    }

    switch (e.tokenCode) {
    case CodeEnd:
        outcome = Outcome::End;
        e.tokenCode = TokenCode::EndOfText;
        return;
    case CodeTerminate:
        outcome = Outcome::Terminate;
        e.tokenCode = TokenCode::EndOfText;
        return;
    case CodeExit:
        outcome = Outcome::Exit;
        e.tokenCode = TokenCode::EndOfText;
        return;
    default:
        break;
    }
    static const StatementHandlerTable& handlers = StatementHandlers();
    const StatementHandler handler = handlers.Find(e.tokenCode);
    if (!handler) RaiseUnservedStatement(e);
    handler(*this);
    CatchUp();
}

// The control families are the first event sources, in the same order.
static_assert(static_cast<int>(ControlFamily::Button) == EventSource::Button);
static_assert(static_cast<int>(ControlFamily::Timer) == EventSource::Timer);

void Durnix_Class::PollArmedSources()
{
    for (int source = 0; source < EventSource::Count; ++source) {
        if (!eventHandler[source]) continue;
        bool fires = false;
        if (source <= EventSource::Timer) {
            fires = screen.Input().ControlEventPending(static_cast<ControlFamily>(source));
        } else {
            switch (source) {
            case EventSource::Key:
                fires = screen.Input().KeyCode() != 0;
                break;
            case EventSource::Mouse:
                fires = screen.Input().MouseButtons() != 0;
                break;
            case EventSource::Udp:
                fires = RunHooks::Services().UdpDataArrived();
                break;
            case EventSource::TcpClient:
                fires = RunHooks::Services().TcpClientDataArrived();
                break;
            case EventSource::TcpServer:
                fires = RunHooks::Services().TcpServerDataArrived();
                break;
            case EventSource::Serial:
                fires = RunHooks::Services().SerialBytesWaiting();
                break;
            case EventSource::Abort:
                fires = screen.TakeCloseRequest();
                break;
            }
        }
        if (fires) RaiseEvent(source);
    }
}

int Durnix_Class::ReadIndexList(DArray<int>& indexes)
{
    Expression_Class& e = expression;
    int count = 0;
    for (;;) {
        Value index;
        e.Evaluate(index);
        if (e.endOfStatement) e.RaiseError(ErrorCode::ClosingBracketExpected);
        if (index.tag != Tag::Int) e.RaiseError(ErrorCode::ArrayDimensionNotInteger);
        if (!indexes.EnsureIndex(count)) e.RaiseError(ErrorCode::OutOfMemory);
        indexes.items[count++] = index.i;
        if (CurrentIs(']')) break;
        if (!CurrentIs(',')) e.RaiseError(ErrorCode::ClosingBracketExpected);
    }
    // Positions past the ones given read as 0, never as a stale index.
    for (int k = count; k < indexes.capacity; ++k)
        indexes.items[k] = 0;
    e.NextToken();
    return count;
}

bool Durnix_Class::EvaluateCondition(ErrorCode textError)
{
    Value condition;
    expression.Evaluate(condition);
    if (condition.tag == Tag::Int) return condition.i != 0;
    if (condition.tag == Tag::Float) return Expression_Class::ClampToInt(condition.f) != 0;
    expression.RaiseError(textError);
}
