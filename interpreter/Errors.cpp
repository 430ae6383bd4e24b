#include "interpreter/ErrorMessages.h"
#include "interpreter/Expression_class.h"
#include "platform/MessageBoxes.h"

#include <cstdlib>

namespace {
const char* const ErrorCaption = "ERROR----";
constexpr int ErrorBoxFlags = platform::MessageFlags::Ok | platform::MessageFlags::IconError;
} // namespace

AnsiString Expression_Class::ErrorMessage(int number, const AnsiString& customText)
{
    if (number == ErrorNumber(ErrorCode::EvaluateError)) return customText;
    if (number >= 0 && number < ErrorMessageCount) return ErrorMessages[number];
    return "Error No." + std::to_string(number);
}

void Expression_Class::RaiseError(ErrorCode error)
{
    const int number = ErrorNumber(error);
    if (!attached) {
        platform::messageBoxes().show("Expression Class Is Not Initialized", ErrorCaption, ErrorBoxFlags);
        std::exit(1);
    }
    AnsiString message = ErrorMessage(number, customErrorText);

    // An error met at the end of a line belongs to that line: step back over the
    // line break, but never before the start of the text.
    if (tokenCode == TokenCode::EndOfStatement && tokenType == TokenType::Delimiter)
        scanPosition = scanPosition - programStart >= 2 ? scanPosition - 2 : programStart;
    int line = 1;
    const char* lineStart = nullptr;
    for (const char* p = programStart; p < scanPosition; ++p) {
        if (*p == '\r')
            ++line;
        else if (*p == '\n')
            lineStart = p;
    }
    int column = static_cast<int>(scanPosition - (lineStart ? lineStart : programStart));

    lastErrorText = message;
    lastErrorNumber = number;
    lastErrorLine = line;
    lastErrorColumn = column;

    if (error != ErrorCode::ProgramAborted && !trapFlag)
        platform::messageBoxes().show(message + " [in line " + std::to_string(line) + "]", ErrorCaption, ErrorBoxFlags);
    throw RunTimeError { number, line, column };
}
