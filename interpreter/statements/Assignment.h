#pragma once

#include "interpreter/Durnix_class.h"

// The assignment statement: the run loop calls it with the target's name (a
// variable or an underscore name) as the current token.
void Assign(Durnix_Class& interpreter);

// The checks an assignment makes on the value it has read and on the token
// after it (a ")", anything but ";" or the end of the statement, a value of
// no type); the ready form of an assignment makes them too.
inline void CheckAssignedValue(Durnix_Class& d, const Value& value)
{
    Expression_Class& e = d.expression;
    if (d.CurrentIs(')')) e.RaiseError(ErrorCode::UnbalancedParenthesis);
    if (!e.endOfStatement && !d.CurrentIs(';')) e.RaiseError(ErrorCode::SyntaxError);
    if (value.tag != Tag::Int && value.tag != Tag::Float && value.tag != Tag::String)
        e.RaiseError(ErrorCode::SyntaxError);
}
