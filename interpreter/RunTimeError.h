#pragma once

#include "interpreter/ErrorMessages.h"

// The one exception type that unwinds a numbered run-time error to the anchor
// that owns it (the run loop, the evaluate function, the debugger's watch list).
// It carries where the error was met, so no anchor has to ask. It deliberately
// does not derive from std::exception, so that no generic handler can swallow
// it. Only Expression_Class::RaiseError throws it.
struct RunTimeError {
    int number;
    int line;
    int column;
};
