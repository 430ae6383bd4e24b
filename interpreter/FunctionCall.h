#pragma once

#include "interpreter/Expression_class.h"
#include "interpreter/RobotOfRun.h"

#include <span>

// How the call frame reads the first argument of a function before its handler
// runs. Every further argument is read by the handler itself.
enum class FirstArgument {
    None, // no argument: ")" must follow
    OptionalOne, // omitted: the double 1.0; given: any value
    OptionalMinusOne, // omitted: the integer -1; given: any value
    OptionalZero, // omitted: the integer 0; given: any value
    Number, // required; a text raises error 36
    Text, // required; a number raises error 35
    Any, // required, a number or a text
    Signature, // the whole list is read by signature into the argument slots
    VariableName, // required: a variable name, plain or "_" outer (error 52); first holds it as a text
    ArrayName, // required: the name of an array (error 63 otherwise), as a text
    OptionalText, // omitted: tag 0, the handler gives its default; given: a text (error 35 otherwise)
};

class FunctionCall;
using FunctionHandler = void (*)(FunctionCall&);

// The arguments after the first of a call whose expression was compiled: the
// handler's next argument is evaluated from the tree instead of the text when
// the "," it follows is current (commaOffset its read offset). False when the
// tree holds no argument there; the frame then reads it from the text.
class CompiledArguments {
public:
    virtual bool Next(int32_t commaOffset, Value& value) = 0;

protected:
    ~CompiledArguments() = default;
};

// One row of a family's dispatch table.
struct FunctionEntry {
    FunctionCode code;
    FirstArgument first;
    FunctionHandler handler;
};

// One call of a built-in function: the evaluator, the first argument as read
// by the frame, and the result. Handlers read their further arguments through
// it, in order, and set exactly one result.
class FunctionCall {
public:
    FunctionCall(Expression_Class& evaluator, int functionCode, Value& resultValue)
        : ex(evaluator)
        , code(functionCode)
        , result(resultValue)
    { }

    Expression_Class& ex;
    const int code;
    Value first; // tag 0 for a function without arguments
    Value& result;
    CompiledArguments* compiledArguments = nullptr;

    bool FirstIsText() const { return first.tag == Tag::String; }
    // The first argument as a double (the frame has checked that it is a number).
    double FirstNumber() const { return first.asDouble(); }
    // The first argument truncated toward zero to 32 bits (wrapping; error 42
    // beyond the 64-bit range).
    int32_t FirstInt() { return ToInt(first); }
    const AnsiString& FirstText() const { return firstText ? *firstText : first.s; }
    // A variable's text lent for the call instead of a copy in first (whose
    // tag still says text); only for ReadsFirstTextInPlace functions.
    const AnsiString* firstText = nullptr;

    // True when the current token is "," (an optional argument follows).
    bool HasMore() const;
    // A further argument: a "," must come first (error 37), then one value;
    // error 36 for a text where a number is needed, 35 the other way round.
    double NextNumber();
    int32_t NextInt();
    AnsiString NextText();
    Value NextValue();

    int32_t ToInt(const Value& v) { return ex.RoundToIntChecked(v.asDouble(), true); }

    // An integer result computed in double saturates to the 32-bit range.
    void ReturnInt(double value);
    void ReturnFloat(double value) { result.setFloat(value); }
    void ReturnText(AnsiString text) { result.setString(std::move(text)); }

    [[noreturn]] void Raise(ErrorCode error) { ex.RaiseError(error); }

    // The run-time screen, the robot and the state of the run.
    RunScreen& Screen() const { return *ex.screen; }
    RunRobot& Robot() const { return ex.robot->Get(); }
    RunState& State() const { return *ex.runState; }
};

// The row for a function code, or null when the function is not available
// (the built-in families' joined table answers it).
const FunctionEntry* FindFunctionEntry(int code);

// The direct form of a function of one number whose ordinary call is pure and
// can fail only in ways its result shows: it computes exactly what the
// ordinary call gives for the number x and returns true, or returns false
// where the ordinary call would raise an error or give its catch result (a
// domain error, a result that is no finite number). The caller then makes the
// ordinary call, which does all of that as always. Such a call needs no frame:
// no floating-point flags are read for it, since a failed operation of these
// functions always leaves a result that is no finite number.
using DirectFunction = bool (*)(double x, double& result);
struct DirectFunctionEntry {
    int code;
    DirectFunction function;
};
// The direct form of a function code, or null when it has none.
DirectFunction FindDirectFunction(int code);

// The same for a function of two numbers, given as the values read (an
// integer or a double each): true with the result the ordinary call gives, or
// false where it would raise an error or give its catch result.
using DirectPairFunction = bool (*)(const Value& a, const Value& b, Value& result);
struct DirectPairFunctionEntry {
    int code;
    DirectPairFunction function;
};
DirectPairFunction FindDirectPairFunction(int code);

// The same for a function whose first argument is a text, given the further
// arguments as read without effects: each a text or a number. It gives what
// the ordinary call gives, or false where that would raise an error, give its
// catch result, or read its arguments otherwise (another count, a text where
// a number is wanted or the other way round).
struct DirectArgument {
    const AnsiString* text = nullptr; // null for a number
    double number = 0.0;
};
using DirectTextFunction = bool (*)(const AnsiString& first, const DirectArgument* more, int count, Value& result);
struct DirectTextFunctionEntry {
    int code;
    DirectTextFunction function;
    bool givesNumber; // its result is always a number
};
// At most this many arguments follow the first in a direct text call.
constexpr int MaxDirectTextArguments = 2;
// givesNumber, when given, is set to the entry's givesNumber.
DirectTextFunction FindDirectTextFunction(int code, bool* givesNumber = nullptr);

// Whether the function's handler reads its first argument, a text, only
// through FirstText and changes nothing but its result, so that it may be
// given a variable's text in place.
bool ReadsFirstTextInPlace(int code);

// Calls a function of one required argument whose value the caller has
// already read, with the token after that argument current (normally the
// closing ")"): the same checks, catch results and errors as a call read from
// the text. False when the function is not one of those (the caller then reads
// the call from the text).
bool TakesOneReadArgument(const FunctionEntry& entry, int group);
char CallWithReadArgument(Expression_Class& ex, const FunctionEntry& entry, int code, Value& first, Value& result,
    CompiledArguments* rest = nullptr, const AnsiString* lentText = nullptr);

// Runs the group-200 function whose row is the evaluator's current function
// row: reads the arguments by signature, then dispatches on the code.
char CallSignatureFunction(Expression_Class& ex, int code, Value& result);
