#include "interpreter/AssignmentTarget.h"

#include <cmath>

void AssignmentTarget::StoreDeclared(const Value& result, char declaredType) const
{
    if (declaredType == Tag::String) {
        if (result.tag != Tag::String) e.RaiseError(ErrorCode::MustAssignString);
        table->SetString(name, result.s);
        return;
    }
    if (result.tag == Tag::String) e.RaiseError(ErrorCode::MustAssignNumber);
    if (declaredType == Tag::Float) {
        table->SetFloat(name, result.asDouble());
        return;
    }
    if (result.tag == Tag::Int) {
        table->SetInt(name, result.i);
        return;
    }
    const double truncated = std::trunc(result.f);
    if (!(truncated >= -2147483648.0 && truncated <= 2147483647.0)) e.RaiseError(ErrorCode::NumberTooBig);
    table->SetInt(name, static_cast<int32_t>(truncated));
}
