#include "tests/support/RunHarness.h"

#include "screen/ScreenForm.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

// Clicks on real controls between two statements (through the step hook):
// each armed handler runs once per click, the higher event source first.

namespace {

void Click(ControlSlots& family, const char* name)
{
    for (int k = 0; k < family.controls.capacity; ++k)
        if (family.controls.items[k] && family.names.items[k] == name)
            if (auto* button = qobject_cast<QAbstractButton*>(family.controls.items[k])) button->click();
}

TEST(ControlEvents, EachClickRunsItsHandlerOnce)
{
    RecordingDebugger debugger;
    debugger.injectBefore = "x = 1";
    debugger.inject = [] {
        Click(TestScreen().Buttons, "Go");
        Click(TestScreen().CheckBoxes, "Ok");
    };
    RunHooks::SetDebugger(&debugger);
    const RunResult result = RunProgram("addbutton \"Go\", 10, 10\n"
                                        "addcheckbox \"Ok\", 10, 50\n"
                                        "onbutton b\n"
                                        "oncheckbox c\n"
                                        "x = 1\n"
                                        "x = 2\n"
                                        "x = 3\n"
                                        "print \"end \", getcheckbox(\"Ok\")\n"
                                        "removebutton \"Go\"\n"
                                        "removecheckbox \"Ok\"\n"
                                        "end\n"
                                        "b:\n"
                                        "print \"button \", lastbutton()\n"
                                        "onbutton b\n"
                                        "return\n"
                                        "c:\n"
                                        "print \"check \", lastcheckbox()\n"
                                        "oncheckbox c\n"
                                        "return\n");
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(result.ended, 1);
    EXPECT_EQ(result.output, "check Ok\nbutton Go\nend 1\n");
}

TEST(ControlEvents, AClickWaitsForItsReaderAndTheLastClickWins)
{
    RecordingDebugger debugger;
    debugger.injectBefore = "x = 1";
    debugger.inject = [] {
        Click(TestScreen().Buttons, "P");
        Click(TestScreen().Buttons, "Q");
    };
    RunHooks::SetDebugger(&debugger);
    const RunResult result = RunProgram("addbutton \"P\", 10, 10\n"
                                        "addbutton \"Q\", 10, 50\n"
                                        "x = 1\n"
                                        "x = 2\n"
                                        "getbutton v\n"
                                        "print v, \"[\", lastbutton(), \"]\"\n"
                                        "removebutton \"P\"\n"
                                        "removebutton \"Q\"\n");
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(result.output, "Q[]\n");
}

} // namespace
