#pragma once

#include "base/Values.h"

#include <vector>

class Durnix_Class;

// The lines of the variables window after a run.
namespace VariablesList {

// One line: the type column (10 characters), the name cut to 30 characters,
// three spaces, underscores up to 28 characters of name, two spaces and the
// value (a text in double quotes).
AnsiString Line(const AnsiString& name, char tag, const AnsiString& value);

// Every variable of the run's current table, in table order.
std::vector<AnsiString> Lines(Durnix_Class& run);

} // namespace VariablesList
