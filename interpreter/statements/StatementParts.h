#pragma once

#include "base/Values.h"
#include "interpreter/Labels_class.h"

class Durnix_Class;

// Halves of statement handlers, for the ready statement forms, which read
// the first half from compiled trees and go on as the handler does.

// The second half of a CALL, once its arguments are read into the statement
// parameter slots (`given` of them, with the token after the ")" current):
// pushes the frame, goes to the sub and binds its parameters in a fresh
// table. `arguments` are the argument names kept for by-reference
// parameters.
void EnterSub(Durnix_Class& d, const Labels_Class::Node* sub, int given, AnsiString&& arguments);

// The second half of a RETURN, once its value, if any, is read into the
// first parameter slot (`given` is 1 then): goes back to the caller, hands a
// CALL's result over and pops the frame, which must exist.
void LeaveFrame(Durnix_Class& d, int given);

// The rest of an IF (or an ELSEIF being tested) once its condition is
// known, with the token after the condition current; blockStart is where the
// IF word starts.
void ContinueIf(Durnix_Class& d, const char* blockStart, bool condition, bool isElseIf);
