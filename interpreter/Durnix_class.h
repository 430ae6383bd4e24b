#pragma once

#include "base/DArray.h"
#include "base/Values.h"
#include "interpreter/EventThrottle.h"
#include "interpreter/Expression_class.h"
#include "interpreter/Labels_class.h"
#include "interpreter/RobotOfRun.h"
#include "interpreter/RobotSerialLink.h"
#include "interpreter/RunScreen.h"
#include "interpreter/RunState.h"
#include "interpreter/Stacks.h"
#include "interpreter/StatementCache.h"
#include "interpreter/Variables_class.h"
#include "interpreter/arrays/Arrays_class.h"
#include "pictures/Picture.h"

#include <cstddef>
#include <memory>
#include <vector>

// How a run ended, in `outcome`; a positive outcome is the line of an
// untrapped run-time error.
namespace Outcome {
constexpr int End = 0;
constexpr int Terminate = -1;
constexpr int Exit = -2;
constexpr int AbortRaisesError = -3;
} // namespace Outcome

// The sixteen event sources, polled in this order before every statement.
namespace EventSource {
constexpr int Button = 0;
constexpr int Edit = 1;
constexpr int ListBox = 2;
constexpr int RBGroup = 3;
constexpr int CheckBox = 4;
constexpr int Slider = 5;
constexpr int Spinner = 6;
constexpr int Memo = 7;
constexpr int Timer = 8;
constexpr int Key = 9;
constexpr int Mouse = 10;
constexpr int Udp = 11;
constexpr int TcpClient = 12;
constexpr int TcpServer = 13;
constexpr int Serial = 14;
constexpr int Abort = 15;
constexpr int Count = 16;
} // namespace EventSource

// The interpreter object of one run: it owns every table of the run, the
// evaluator and the statement parameter slots, and runs the program text
// statement by statement on the GUI thread.
class Durnix_Class {
public:
    // The run prints, reads, draws and polls events on `runScreen`, which
    // must outlive it.
    explicit Durnix_Class(RunScreen& runScreen);
    ~Durnix_Class();
    Durnix_Class(const Durnix_Class&) = delete;
    Durnix_Class& operator=(const Durnix_Class&) = delete;

    // Runs a program text. Returns 1 when the program ended (end of text, end,
    // terminate, exit, or a stop), 0 when a run-time error ended it; `outcome`
    // then holds the error line and `errorColumn` the column. A text moved in
    // is not copied.
    int Run(AnsiString text);
    // Attaches and expands the includes without running, for making a
    // stand-alone executable; 0 when the preparation raised an error. The
    // expanded text is `programText`.
    int PrepareCompile(const AnsiString& text);
    // Iterates the current variable table for the variables window.
    bool NextVariableAsText(AnsiString& name, char& tag, AnsiString& text);

    // --- Statement parameters ---------------------------------------------
    static constexpr int ParamSlots = 15;
    void SetParamDefaults(int count, int value, char letter);
    // Every slot empty and 'i', then slot k takes letters[k] and defaults[k]
    // (as integer and as float): the set-up of a table-driven statement row.
    void SetParamRow(const char* letters, const int* defaults);
    // Reads value operands into the slots; `given` receives the number of
    // operand positions read.
    void ParseParams(int required, int maximum, int& given);
    // The same, where the slots lettered v, a, A or 1-5 take a name.
    void ParseParamsWithNames(int required, int maximum, int& given);

    // --- Shared statement helpers -------------------------------------------
    // True when the current token ends the statement.
    bool AtEndOfStatement() const { return expression.endOfStatement; }
    // True when the current token is the one-character delimiter c.
    bool CurrentIs(char c) const
    {
        return expression.tokenType == TokenType::Delimiter && expression.tokenText.size() == 1
            && expression.tokenText[0] == c;
    }
    // Reads "[i, j, ...]" after an array name into `indexes` (the "[" is the
    // current token); returns the index count. Leaves the token after "]".
    int ReadIndexList(DArray<int>& indexes);
    // A condition: an integer is true when not 0, a double when its truncated
    // value is not 0; a text raises textError.
    bool EvaluateCondition(ErrorCode textError);
    // Skips the rest of the physical line.
    void SkipLine() { expression.SkipRestOfLine(); }
    [[noreturn]] void RaiseError(ErrorCode error) { expression.RaiseError(error); }
    // Switches the current variable table of the interpreter and the evaluator.
    void SetCurrentVariables(Variables_Class* table);
    // A fresh, empty table for a sub's locals, and its return once the sub
    // returned. Tables are kept for reuse: a CALL then costs no table
    // allocation (a cleared table has a new identity, so nothing cached about
    // its old variables stays valid).
    Variables_Class* NewLocalTable();
    void ReleaseLocalTable(Variables_Class* table);

    // --- Event handlers and the error trap -----------------------------------
    void SetEventHandler(int source);
    void SetOnError();
    void RaiseEvent(int source);
    void TrapError();
    void DebugStep();
    // The offsets of every CR and every LF of the attached text, made at the
    // first step, so that a step finds its line and column by a search.
    struct LineBreaks {
        const char* text = nullptr;
        std::vector<size_t> returns;
        std::vector<size_t> feeds;
    };
    LineBreaks lineBreaks;
    // Reads one value operand into a slot (by its letter); false when omitted.
    bool ReadOperand(int slot) { return ReadParameter(slot, false); }
    // Keeps a value in a slot as given (the letter '0'), its kind in the slot's type.
    void KeepOperand(int slot, const Value& value);

    // Looks a handler target up: the current token's text directly, else the
    // value of an expression starting at it. Returns the position or null;
    // `kind` receives 1 for a sub and 0 for a label when subs are searched.
    // The name that was found is kept in lastTargetName.
    const char* FindTarget(bool searchSubs, bool searchLabels, unsigned char* kind);
    AnsiString lastTargetName;
    // True when the target came from an expression: its first unused token is
    // then already current.
    bool targetByExpression = false;

    // --- State ----------------------------------------------------------------
    RunScreen& screen;
    // What the functions and statements of the run keep between calls: the
    // regular expression, the random generator, the stored screen blocks.
    RunState runState;
    // The robot's link to a real robot on the serial port (rcommport).
    RobotSerialLink robotLink;
    // The simulated robot of the run, on the screen's canvas, made on first use.
    // Each pixel or degree of its motion counts against the statement budget,
    // so that a budget ends a program that moves the robot for ever too.
    RobotOfRun robot { screen, robotLink, runState.random, [this] { return SpendMotionStep(); } };

    const char* onErrorPosition = nullptr;
    // Handler positions, null when disarmed; set them only through ArmHandler,
    // which keeps `armedHandlers` (one bit per source) in step.
    const char* eventHandler[EventSource::Count] = {};
    unsigned armedHandlers = 0;
    void ArmHandler(int source, const char* position)
    {
        eventHandler[source] = position;
        if (position)
            armedHandlers |= 1u << source;
        else
            armedHandlers &= ~(1u << source);
    }
    unsigned char eventHandlerKind[EventSource::Count];

    // The program text, with its includes appended. It never changes once the
    // run has started, so positions into it stay valid.
    AnsiString programText;

    char tabSeparator = ';';
    char plainSeparator = ',';
    int honourCrLf = 1;
    int inlineInputMode = 0;
    int declareMode = 0;
    AnsiString spareText;
    unsigned char bitmapTransparency = 0;
    unsigned char eventsAllowed = 1;

    int ifDepth = 0;
    int ifBranchState = 0;
    int gotoMode = 0;

    int32_t paramInt[ParamSlots] = {};
    double paramFloat[ParamSlots] = {};
    AnsiString paramText[ParamSlots];
    char paramType[ParamSlots] = {};

    Arrays_Class arrays;
    Labels_Class labels;
    Labels_Class subs;
    ForStack_Class forStack;
    GoSubStack_Class gosubStack;
    RepeatUntilStack_Class repeatStack;
    WhileStack_Class whileStack;

    DArray<int> indexList { 10 };
    DArray<int> elementIndexes { 10 };

    int outcome = 0;
    // How many statements a run may execute, 0 for no limit. A run that uses
    // them up ends as if stopped, with `budgetExhausted` set: the headless
    // runner and the fuzz harnesses rely on it so that no program runs for ever.
    long long statementBudget = 0;
    // How long sendemail waits for each reply of the mail server.
    int mailReplyTimeoutMs = 30000;
    long long statementsRun = 0;
    bool budgetExhausted = false;
    // Counts one step of robot motion against the budget; false (the budget
    // exhausted) once it is spent.
    bool SpendMotionStep();
    // Line and column of the last error raised; an untrapped error's line
    // becomes the outcome.
    int errorLine = 0;
    int errorColumn = 0;

    Variables_Class* currentVariables = nullptr;
    std::unique_ptr<Variables_Class> mainVariables;
    // The node that the last RETURN from a sub stored its result in, in the
    // caller's table with that identity; a node stays valid while its table
    // keeps the identity.
    struct ResultNode {
        const void* sub = nullptr;
        uint64_t table = 0;
        Variables_Class::Node* node = nullptr;
    };
    ResultNode lastResult;

    Expression_Class expression;
    // Ready forms of the statements that loops run again and again.
    StatementCache statementCache;
    bool prescanNeeded = true;
    std::vector<std::unique_ptr<Variables_Class>> sparedTables;

    // Where include expansion put the End line in front of an included text
    // (offsets into the program text). A skip stops there as at the end of the
    // text; an ordinary end statement inside a skipped block does not stop it.
    std::vector<ptrdiff_t> includeEndOffsets;
    bool AtIncludeEnd() const;

    // Called after each keyword statement: once a tick (EventThrottle) the
    // window catches up, and a run past its memory bound meets error 73
    // (MemoryBound). Every loop and every call passes a keyword statement, so
    // the per-statement path pays only the tick test it already had.
    void CatchUp()
    {
        if (EventThrottle::Due()) CatchUpNow();
    }

    // Deepest nesting of GOSUB, CALL and handler frames: runaway recursion ends
    // with error 24 instead of exhausting memory.
    static constexpr int MaxFrames = 100000;

private:
    void Attach();
    void PrepareProgram();
    void ExpandIncludes();
    void ReadIncludeFile(const AnsiString& name);
    void ScanLabels();
    void ScanSubs();
    // Reads operand `slot`; false when it was omitted.
    bool ReadParameter(int slot, bool withNames);
    void ParseOperands(int required, int maximum, int& given, bool withNames);
    // Runs the handlers of the sources that fired; nothing to do (the usual
    // case) costs one test.
    void PollEvents()
    {
        if (armedHandlers) PollArmedSources();
    }
    void PollArmedSources();
    void ExecuteStatement();
    [[gnu::cold]] void CatchUpNow();
    // Error 73 for a run whose memory passed its bound (MemoryBound).
    [[gnu::cold]] void RaiseMemoryAlarm();
    bool memoryAlarmRaised = false;
    void LeaveScope();
};
