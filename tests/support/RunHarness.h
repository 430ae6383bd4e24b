#pragma once

#include "interpreter/Durnix_class.h"
#include "interpreter/RunHooks.h"
#include "platform/MessageBoxes.h"

#include <string>
#include <vector>

// Runs program texts on an off-screen run-time screen in headless console mode
// and reports what they printed and how they ended. Program texts may use bare
// LF line ends; they become CR LF as when a file is read.
struct RunResult {
    std::string output; // the console text, CR LF as "\n"
    int ended = 0; // Run's result: 1 ended, 0 untrapped error
    int outcome = 0;
    int errorNumber = 0; // the last error raised, trapped or not
    int errorLine = 0;
    int errorColumn = 0;
    std::vector<platform::RecordingMessageBoxes::Shown> boxes;
};

// How expressions are evaluated: from compiled trees (as a run does), or
// always from the text, to compare the two.
enum class Evaluation { Compiled, FromText };

RunResult RunProgram(
    const std::string& text, const std::string& input = {}, Evaluation evaluation = Evaluation::Compiled);

// What a run printed and how it ended as one text, so that two runs compare in
// one assertion; the error's column only when asked for.
std::string DescribeRun(const RunResult& result, bool withColumn);
// Runs the program with compiled trees and with every expression read from the
// text, and expects both to print, fail and end alike.
void ExpectSameBothWays(const std::string& program, bool withColumn);

class TScreenForm;
// The off-screen run-time screen that programs run on (created once, with the
// application object).
TScreenForm& TestScreen();

// The canvas region at (x, y) of the visible image as text, one line per row:
// '.' white, palette entries 0 to 14 as hex digits, '?' for other colours.
std::string Region(int x, int y, int width, int height);

// Statement tracer for the step hook: records every trace line and presses
// Step at once. `inject` runs at the stop whose statement text is
// `injectBefore`, after that statement's event poll, so the poll before the
// following statement sees what it changed.
class RecordingDebugger : public DebugHook {
public:
    std::vector<std::string> trace;
    bool stepping = true;
    std::string injectBefore;
    void (*inject)() = nullptr;
    bool SteppingOn() const override { return stepping; }
    void StepAt(int, int, int, const AnsiString& line, Variables_Class*, Expression_Class*, const bool&) override
    {
        const std::string statement = line.substr(line.find("):") + 2);
        if (inject && statement == injectBefore) inject();
        trace.push_back(line);
    }
};
