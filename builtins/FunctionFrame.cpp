#include "interpreter/Expression_class.h"

// FIXME: the built-in function call frame replaces this placeholder; until then
// every function name is refused as an incorrect function name.
char Expression_Class::CallFunction(Value&) { RaiseError(33); }

int Expression_Class::ParseFunctionArgs(int, int, int, const AnsiString&, int) { RaiseError(33); }
