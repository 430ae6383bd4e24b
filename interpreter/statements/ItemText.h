#pragma once

#include "base/Values.h"

class Durnix_Class;

// Builds the text of a print-like item list, starting at the next token: each
// item's value is joined to `text`; `padSeparator` pads the text with spaces to
// the next multiple of 8, `joinSeparator` adds nothing. Returns true when the
// list ended with a separator, which leaves a printed line open.
bool BuildItems(Durnix_Class& d, AnsiString& text, char padSeparator, char joinSeparator);
