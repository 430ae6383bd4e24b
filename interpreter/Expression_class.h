#pragma once

#include "interpreter/Codes_class.h"
#include "interpreter/DArray.h"
#include "interpreter/RunTimeError.h"
#include "interpreter/Values.h"

#include <cstdint>

class Variables_Class;
class Arrays_Class;

// Token types of NextToken.
namespace TokenType {
constexpr int None = 0; // a character that starts no token (nothing consumed)
constexpr int Delimiter = 1; // also end of statement (3001) and end of text (3002)
constexpr int Variable = 2;
constexpr int Number = 3;
constexpr int Keyword = 4; // statement word, word operator or symbol operator
constexpr int String = 6;
constexpr int Label = 7;
constexpr int Constant = 8;
constexpr int Function = 9;
constexpr int Hex = 10;
constexpr int Binary = 12;
constexpr int Sub = 13;
constexpr int OuterVariable = 14;
constexpr int Include = 15;
} // namespace TokenType

namespace TokenCode {
constexpr int EndOfStatement = 3001;
constexpr int EndOfText = 3002;
} // namespace TokenCode

// The evaluator object: the tokenizer state over one program text, the
// expression evaluator, the built-in function call frame and the error routine.
// The run loop and every statement handler share its one scan position.
//
// Fields are public on purpose: the run loop, the statement handlers and the
// built-in functions read and steer the tokenizer state directly.
class Expression_Class {
public:
    Expression_Class();
    ~Expression_Class();
    Expression_Class(const Expression_Class&) = delete;
    Expression_Class& operator=(const Expression_Class&) = delete;

    // Binds the object to a NUL-terminated program text that stays unchanged and
    // alive while the object is attached. The error line and column of a raised
    // error are also written to the two ints given (either may be null).
    void Attach(const char* programText, Variables_Class* current, Arrays_Class* arraysTable, int* errorLineOut,
                int* errorColumnOut);

    // --- Tokenizer -------------------------------------------------------
    int NextToken();
    const char* PeekNextChar() const;
    void SkipRestOfLine();
    // Puts the current token back: the scan position returns to its start.
    void PutBack() { scanPosition = tokenStart; }
    static bool IsLetter(char c);
    static bool IsDelimiter(char c);
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

    // --- Evaluator -------------------------------------------------------
    // Reads the next token and evaluates one expression. Returns the tag
    // ('i', 'f', 's', or ',' for an omitted argument) and fills result.
    char Evaluate(Value& result);

    // --- Errors ----------------------------------------------------------
    // Composes and shows the message, records it and unwinds; never returns.
    [[noreturn]] void RaiseError(int number);
    static AnsiString ErrorMessage(int number, const AnsiString& customText = {});

    // --- Number and text helpers -----------------------------------------
    static int32_t ClampToInt(double x);
    int32_t RoundToIntChecked(double x, bool report);
    static char ClassifyNumberText(const AnsiString& text);
    static char TextToNumber(const AnsiString& text, double& value);
    static int32_t ParseBinaryLiteral(const AnsiString& text);
    int ApplyRelation(int relation, const Value& left, const Value& right);
    static AnsiString CollapseDoubledQuotes(const AnsiString& text);
    static double MillisecondClock();
    static double PowerOf(double x, double y);

    // --- Built-in function call frame ------------------------------------
    // Called with the function's name as the current token; consumes the
    // argument list up to and including ")".
    char CallFunction(Value& result);
    int ParseFunctionArgs(int minArgs, int maxArgs, int defaultArg, const AnsiString& signature, int group);

    // --- State -------------------------------------------------------------
    Variables_Class* currentVariables = nullptr;
    Variables_Class* outerVariables = nullptr;
    Arrays_Class* arrays = nullptr;

    const char* programStart = nullptr;
    const char* scanPosition = nullptr;
    const char* tokenStart = nullptr;
    AnsiString tokenText;
    int tokenType = 0;
    int tokenCode = 0;
    bool endOfStatement = false;
    bool recogniseSub = true;

    // The function row of the last function keyword read.
    int functionCode = 0;
    int functionMinArgs = 0;
    int functionMaxArgs = 0;
    int functionDefaultArg = 0;
    int functionGroup = 0;
    AnsiString functionSignature;

    int trapFlag = 0;
    int lastErrorNumber = 0;
    int lastErrorColumn = 0;
    int lastErrorLine = 0;
    AnsiString lastErrorText;
    AnsiString customErrorText; // shown for error 88

    bool attached = false;
    int* errorLine = nullptr;
    int* errorColumn = nullptr;

    const Vocabulary* vocabulary = nullptr;

    // Argument slots of the built-in functions.
    static constexpr int MaxArgs = 10;
    AnsiString argText[MaxArgs];
    int32_t argInt[MaxArgs] = {};
    double argFloat[MaxArgs] = {};
    char argType[MaxArgs] = {};
    unsigned char portBytes[2] = {};
};
