#pragma once

#include "base/Values.h"

#include <vector>

class Durnix_Class;
class Variables_Class;

// The lines of the variables window after a run.
namespace VariablesList {

enum class TextQuotes { Yes, No };

// The first character of the type, name and value columns of a line whose
// name has at most 28 characters: where the header's three words stand.
constexpr int headerColumns[] = { 0, 10, 43 };

// One line: the type column (10 characters), the name cut to 30 characters,
// three spaces, underscores up to 28 characters of name, two spaces and the
// value (a text in double quotes unless quotes is No).
AnsiString Line(const AnsiString& name, char tag, const AnsiString& value, TextQuotes quotes = TextQuotes::Yes);

// Every variable of the run's current table, in table order.
std::vector<AnsiString> Lines(Durnix_Class& run);

// Every variable of a table, in table order, for the debug window at a stop.
// Reads the table only: the table's own iteration, which a program may be
// using, is left where it is.
std::vector<AnsiString> Lines(const Variables_Class& table, TextQuotes quotes);

} // namespace VariablesList
