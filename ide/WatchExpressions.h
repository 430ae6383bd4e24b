#pragma once

#include "base/Values.h"

#include <vector>

class Expression_Class;
class Variables_Class;

// The debug window's watch list: expressions separated by '\', evaluated in
// the scope of a stop without touching the run.
namespace WatchExpressions {

// The text shown for an expression that could not be evaluated.
inline constexpr const char* CouldNotEvaluate = "Error...Could not Evaluate";

// One trace line per non-empty piece of the list: "{" + piece + "}=" + value.
// The pieces are evaluated on the global evaluator, attached to the piece
// alone with the stop's variables and the run's arrays, screen and robot;
// the run's own evaluator (its scan position and last error) stays as it was,
// and no error box appears. With no run (`run` null) every piece shows
// CouldNotEvaluate.
std::vector<AnsiString> Evaluate(const AnsiString& list, Variables_Class* variables, Expression_Class* run);

} // namespace WatchExpressions
