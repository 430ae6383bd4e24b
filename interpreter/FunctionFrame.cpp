#include "interpreter/FunctionCall.h"
#include "interpreter/arrays/Arrays_class.h"
#include "support/FloatText.h"
#include "support/LibraryFailure.h"
#include "support/TextAlgorithms.h"

#include <cfenv>
#include <cmath>
#include <exception>
#include <utility>

// The call frame of the built-in functions: the argument list between the
// parentheses, the argument errors, the typing and saturation of results, and
// the catch results that stand in for a failure of the class library or of the
// floating-point unit.

namespace {

constexpr int SignatureGroup = 200;

// The catch results: a function read by signature yields -1.0 when the class
// library fails under it, every other function 0.0.
constexpr double CatchResult = 0.0;
constexpr double SignatureCatchResult = -1.0;

// The floating-point conditions that a function's result may not hide.
constexpr int FailedOperation = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

bool IsDelimiterToken(const Expression_Class& ex, char c)
{
    return ex.tokenType == TokenType::Delimiter && ex.tokenText.size() == 1 && ex.tokenText[0] == c;
}

bool NextIsClosingParenthesis(const Expression_Class& ex)
{
    return *ex.PeekNextChar() == ')';
}

// Each call keeps the function row aside while it runs, so that a function
// called inside another's argument list leaves the row as it found it; the
// destructor puts it back, also when a run-time error unwinds through the call.
class FrameGuard {
public:
    explicit FrameGuard(Expression_Class& evaluator)
        : ex(evaluator)
        , code(evaluator.functionCode)
        , minArgs(evaluator.functionMinArgs)
        , maxArgs(evaluator.functionMaxArgs)
        , defaultArg(evaluator.functionDefaultArg)
        , group(evaluator.functionGroup)
        , signature(evaluator.functionSignature)
    { }

    ~FrameGuard()
    {
        ex.functionCode = code;
        ex.functionMinArgs = minArgs;
        ex.functionMaxArgs = maxArgs;
        ex.functionDefaultArg = defaultArg;
        ex.functionGroup = group;
        ex.functionSignature = std::move(signature);
    }

    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;

    Expression_Class& ex;
    const int code;
    const int minArgs;
    const int maxArgs;
    const int defaultArg;
    const int group;
    AnsiString signature;
};

// The argument slots are written only by the argument list of a function read
// by signature (ParseFunctionArgs), so such a call keeps the caller's slots
// aside while it runs: one called inside another's argument list never
// overwrites the outer call's arguments. Other calls leave the slots alone and
// pay nothing for them.
class ArgumentSlotsGuard {
public:
    explicit ArgumentSlotsGuard(Expression_Class& evaluator)
        : ex(evaluator)
    {
        for (int k = 0; k < Expression_Class::MaxArgs; ++k) {
            savedText[k] = std::move(ex.argText[k]);
            savedInt[k] = ex.argInt[k];
            savedFloat[k] = ex.argFloat[k];
            savedType[k] = ex.argType[k];
        }
        savedPortBytes[0] = ex.portBytes[0];
        savedPortBytes[1] = ex.portBytes[1];
    }

    ~ArgumentSlotsGuard()
    {
        for (int k = 0; k < Expression_Class::MaxArgs; ++k) {
            ex.argText[k] = std::move(savedText[k]);
            ex.argInt[k] = savedInt[k];
            ex.argFloat[k] = savedFloat[k];
            ex.argType[k] = savedType[k];
        }
        ex.portBytes[0] = savedPortBytes[0];
        ex.portBytes[1] = savedPortBytes[1];
    }

    ArgumentSlotsGuard(const ArgumentSlotsGuard&) = delete;
    ArgumentSlotsGuard& operator=(const ArgumentSlotsGuard&) = delete;

private:
    Expression_Class& ex;
    AnsiString savedText[Expression_Class::MaxArgs];
    int32_t savedInt[Expression_Class::MaxArgs];
    double savedFloat[Expression_Class::MaxArgs];
    char savedType[Expression_Class::MaxArgs];
    unsigned char savedPortBytes[2];
};

[[noreturn]] void RaiseNotAvailable(Expression_Class& ex, int code)
{
    AnsiString name = "code " + IntToStr(code);
    for (const Codes_Class::Node& node : Vocabulary::instance().functions.entries()) {
        if (node.code == code) {
            name = node.name;
            break;
        }
    }
    // A function word that no family serves (none does today) is refused by
    // name rather than quietly answering 0.
    ex.customErrorText = "Function not available: " + name;
    ex.RaiseError(ErrorCode::EvaluateError);
}

void CheckKind(Expression_Class& ex, const Value& v, FirstArgument wanted)
{
    if (wanted == FirstArgument::Number && v.tag == Tag::String) ex.RaiseError(ErrorCode::FunctionNeedsNumber);
    if (wanted == FirstArgument::Text && v.tag != Tag::String) ex.RaiseError(ErrorCode::FunctionNeedsString);
}

// Whether one of FailedOperation is raised: std::fetestexcept, read inline
// where the unit's two status registers can be read directly, since every
// function call asks twice.
int FailedOperationsRaised()
{
#if defined(__x86_64__) && defined(__GNUC__)
    unsigned short x87Status;
    unsigned int sseStatus;
    __asm__ volatile("fnstsw %0" : "=am"(x87Status));
    __asm__ volatile("stmxcsr %0" : "=m"(sseStatus));
    return (x87Status | sseStatus) & FailedOperation;
#else
    return std::fetestexcept(FailedOperation);
#endif
}

// Forgets the floating-point conditions raised so far. Only those of
// FailedOperation are ever tested, and feclearexcept reloads the whole
// floating-point environment, which takes longer than most functions' own
// work; so the flags are cleared only when one of those is raised.
void ClearFailedOperations()
{
    if (FailedOperationsRaised() != 0) std::feclearexcept(FE_ALL_EXCEPT);
}

// Reads one required value; an empty position or an empty list is a missing
// argument.
void ReadRequired(Expression_Class& ex, Value& v)
{
    if (NextIsClosingParenthesis(ex) || ex.Evaluate(v) == Tag::Omitted)
        ex.RaiseError(ErrorCode::FunctionNotEnoughParameters);
    // Conditions raised while the argument was evaluated are not the function's.
    ClearFailedOperations();
}

void ReadFirstArgument(FunctionCall& call, FirstArgument mode)
{
    Expression_Class& ex = call.ex;
    switch (mode) {
    case FirstArgument::None:
    case FirstArgument::Signature:
        ex.NextToken();
        if (!IsDelimiterToken(ex, ')')) ex.RaiseError(ErrorCode::UnbalancedParenthesis);
        return;
    case FirstArgument::OptionalOne:
    case FirstArgument::OptionalMinusOne:
    case FirstArgument::OptionalZero:
        if (NextIsClosingParenthesis(ex)) {
            ex.NextToken();
            if (mode == FirstArgument::OptionalOne)
                call.first.setFloat(1.0);
            else
                call.first.setInt(mode == FirstArgument::OptionalMinusOne ? -1 : 0);
            return;
        }
        ReadRequired(ex, call.first);
        return;
    case FirstArgument::Number:
    case FirstArgument::Text:
    case FirstArgument::Any:
        ReadRequired(ex, call.first);
        CheckKind(ex, call.first, mode);
        return;
    case FirstArgument::VariableName:
        ex.NextToken();
        if (ex.tokenType != TokenType::Variable && ex.tokenType != TokenType::OuterVariable)
            ex.RaiseError(ErrorCode::NotAVariableName);
        call.first.setString(AnsiString(ex.tokenText));
        ex.NextToken();
        return;
    case FirstArgument::ArrayName:
        // The name itself, not its value; whether it names an array is the
        // function's question.
        ex.NextToken();
        if (ex.tokenType != TokenType::Variable) ex.RaiseError(ErrorCode::NotAnArray);
        call.first.setString(AnsiString(ex.tokenText));
        ex.NextToken();
        return;
    case FirstArgument::OptionalText:
        if (NextIsClosingParenthesis(ex)) {
            ex.NextToken();
            return;
        }
        ReadRequired(ex, call.first);
        CheckKind(ex, call.first, FirstArgument::Text);
        return;
    }
}

// Runs a handler and replaces its result by the catch result when the class
// library or the floating-point unit failed under it. Run-time errors of the
// program pass through.
void RunHandler(FunctionCall& call, FunctionHandler handler, double catchResult)
{
    ClearFailedOperations();
    try {
        handler(call);
        // A text past the bound of every text fails like a function that
        // checked the bound itself, whichever handler built it.
        if (call.result.tag == Tag::String) TextAlgorithms::CheckTextLength(call.result.s.size());
        const bool raised = FailedOperationsRaised() != 0;
        if (raised || (call.result.tag == Tag::Float && !std::isfinite(call.result.f)))
            call.result.setFloat(catchResult);
        // Nothing raised: nothing to forget either.
        if (!raised) return;
    } catch (const LibraryFailure&) {
        call.result.setFloat(catchResult);
    } catch (const std::exception&) {
        call.result.setFloat(catchResult);
    }
    ClearFailedOperations();
}

// "A" demands a defined array, a digit one of exactly that many dimensions.
void CheckArrayName(Expression_Class& ex, std::string_view name, char letter)
{
    const int dimensions = ex.arrays ? ex.arrays->DimCount(name) : 0;
    if (dimensions == 0) ex.RaiseError(ErrorCode::ArrayNotDefined);
    if (letter >= '1' && letter <= '5' && dimensions != letter - '0')
        ex.RaiseError(letter == '2' ? ErrorCode::ArrayNotTwoDimensional : ErrorCode::ArrayWrongDimension);
}

bool IsNameLetter(char letter)
{
    return letter == 'v' || letter == 'a' || letter == 'A' || (letter >= '1' && letter <= '5');
}

} // namespace

bool FunctionCall::HasMore() const
{
    return IsDelimiterToken(ex, ',');
}

Value FunctionCall::NextValue()
{
    if (!HasMore()) ex.RaiseError(ErrorCode::FunctionNotEnoughParameters);
    Value v;
    if (compiledArguments && compiledArguments->Next(static_cast<int32_t>(ex.tokenStart - ex.programStart), v))
        ClearFailedOperations();
    else
        ReadRequired(ex, v);
    return v;
}

double FunctionCall::NextNumber()
{
    const Value v = NextValue();
    if (v.tag == Tag::String) ex.RaiseError(ErrorCode::FunctionNeedsNumber);
    return v.asDouble();
}

int32_t FunctionCall::NextInt()
{
    const Value v = NextValue();
    if (v.tag == Tag::String) ex.RaiseError(ErrorCode::FunctionNeedsNumber);
    return ToInt(v);
}

AnsiString FunctionCall::NextText()
{
    Value v = NextValue();
    if (v.tag != Tag::String) ex.RaiseError(ErrorCode::FunctionNeedsString);
    return std::move(v.s);
}

void FunctionCall::ReturnInt(double value)
{
    if (std::isnan(value)) throw LibraryFailure { "Invalid floating point operation" };
    result.setInt(Expression_Class::ClampToInt(value));
}

char Expression_Class::CallFunction(Value& result)
{
    FrameGuard frame(*this);
    NextToken();
    if (!IsDelimiterToken(*this, '(')) RaiseError(ErrorCode::FunctionWithoutParenthesis);
    const FunctionEntry* entry = FindFunctionEntry(frame.code);
    if (entry == nullptr) RaiseNotAvailable(*this, frame.code);
    if (frame.group == SignatureGroup) {
        ArgumentSlotsGuard slots(*this);
        return CallSignatureFunction(*this, frame.code, result);
    }

    FunctionCall call(*this, frame.code, result);
    ReadFirstArgument(call, entry->first);
    RunHandler(call, entry->handler, CatchResult);
    if (!IsDelimiterToken(*this, ')')) RaiseError(ErrorCode::UnbalancedParenthesis);
    return result.tag;
}

bool TakesOneReadArgument(const FunctionEntry& entry, int group)
{
    if (group == SignatureGroup) return false;
    return entry.first == FirstArgument::Number || entry.first == FirstArgument::Text
        || entry.first == FirstArgument::Any;
}

char CallWithReadArgument(Expression_Class& ex, const FunctionEntry& entry, int code, Value& first, Value& result,
    CompiledArguments* rest, const AnsiString* lentText)
{
    // Conditions raised while the argument was evaluated are not the
    // function's: RunHandler forgets them before the handler runs.
    CheckKind(ex, first, entry.first);
    FunctionCall call(ex, code, result);
    call.first = std::move(first);
    call.compiledArguments = rest;
    call.firstText = lentText;
    RunHandler(call, entry.handler, CatchResult);
    if (!IsDelimiterToken(ex, ')')) ex.RaiseError(ErrorCode::UnbalancedParenthesis);
    return result.tag;
}

char CallSignatureFunction(Expression_Class& ex, int code, Value& result)
{
    const FunctionEntry* entry = FindFunctionEntry(code);
    if (entry == nullptr) RaiseNotAvailable(ex, code);
    ex.ParseFunctionArgs(
        ex.functionMinArgs, ex.functionMaxArgs, ex.functionDefaultArg, ex.functionSignature, ex.functionGroup);
    FunctionCall call(ex, code, result);
    RunHandler(call, entry->handler, SignatureCatchResult);
    return result.tag;
}

int Expression_Class::ParseFunctionArgs(
    int minArgs, int maxArgs, int defaultArg, const AnsiString& signature, int group)
{
    if (maxArgs > MaxArgs) maxArgs = MaxArgs;
    for (int k = 0; k < maxArgs; ++k) {
        argText[k].clear();
        argInt[k] = defaultArg;
        argFloat[k] = defaultArg;
        argType[k] = k < static_cast<int>(signature.size()) ? signature[static_cast<std::size_t>(k)] : 0;
    }

    int read = 0;
    if (NextIsClosingParenthesis(*this)) {
        NextToken();
    } else {
        while (read < maxArgs) {
            const int k = read;
            const char letter = argType[k];
            if (IsNameLetter(letter)) {
                NextToken();
                if (tokenType != TokenType::Variable)
                    RaiseError(letter == 'v' ? ErrorCode::NotAVariableName : ErrorCode::NotAnArray);
                if (letter != 'v' && letter != 'a') CheckArrayName(*this, tokenText, letter);
                argText[k] = tokenText;
                NextToken();
            } else {
                Value v;
                bool omitted;
                if (NextIsClosingParenthesis(*this)) {
                    // An empty last position, as in "f(a,)".
                    NextToken();
                    omitted = true;
                } else {
                    omitted = Evaluate(v) == Tag::Omitted;
                }
                if (omitted) {
                    if (k < minArgs) RaiseError(ErrorCode::NotEnoughParameters);
                    argType[k] = 0;
                } else {
                    if ((letter == 'n' || letter == 'i' || letter == 'f') && v.tag == Tag::String)
                        RaiseError(ErrorCode::ParameterShouldBeNumeric);
                    if (letter == 's' && v.tag != Tag::String) RaiseError(ErrorCode::ParameterShouldBeString);
                    if (v.tag == Tag::String) {
                        argText[k] = v.s;
                    } else {
                        argFloat[k] = v.asDouble();
                        argInt[k] = v.tag == Tag::Int ? v.i : ClampToInt(v.f);
                        if (letter == 'z') argText[k] = v.tag == Tag::Int ? IntToStr(v.i) : FloatToStr(v.f);
                    }
                    if (letter != 's') argType[k] = v.tag;
                }
            }
            ++read;
            if (!IsDelimiterToken(*this, ',')) break;
        }
    }
    if (!IsDelimiterToken(*this, ')')) RaiseError(ErrorCode::UnbalancedParenthesis);
    if (read < minArgs) RaiseError(ErrorCode::NotEnoughParameters);
    functionGroup = group;
    return read;
}
