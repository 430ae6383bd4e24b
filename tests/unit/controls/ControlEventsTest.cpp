#include "tests/support/RunHarness.h"

#include "screen/ScreenForm.h"
#include "screen/ScreenWidgets.h"
#include "screen/controls/EditBox.h"
#include "screen/controls/Memo.h"
#include "screen/controls/RadioGroup.h"
#include "screen/controls/Slider.h"
#include "screen/controls/Spinner.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

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

template <typename T> T* Named(ControlSlots& family, const char* name)
{
    for (int k = 0; k < family.controls.capacity; ++k)
        if (family.controls.items[k] && family.names.items[k] == name)
            return dynamic_cast<T*>(family.controls.items[k]);
    return nullptr;
}

TEST(ControlEvents, EveryFamilyRunsItsHandlerOncePerUserEvent)
{
    RecordingDebugger debugger;
    debugger.injectBefore = "x = 1";
    debugger.inject = [] {
        TScreenForm& screen = TestScreen();
        Named<RadioGroup>(screen.RBGroups, "R")->Buttons()[1]->click();
        Named<Spinner>(screen.Spinners, "P")->UpButton()->click();
        QTest::keyClick(Named<Slider>(screen.Sliders, "S"), Qt::Key_Right);
        QTest::keyClicks(Named<Memo>(screen.Memos, "M"), "hi");
        QTest::keyClicks(Named<EditBox>(screen.EditBoxes, "E"), "42");
    };
    RunHooks::SetDebugger(&debugger);
    const RunResult result
        = RunProgram("addrbgroup \"R\", 10, 10, 100, 100, 1, \"\", \"a\" + char(13) + char(10) + \"b\"\n"
                     "addspinner \"P\", 150, 10\n"
                     "addslider \"S\", 150, 60\n"
                     "addmemo \"M\", 300, 10\n"
                     "addedit \"E\", 300, 150\n"
                     "onrbgroup r\n"
                     "onspinner p\n"
                     "onslider s\n"
                     "onmemo m\n"
                     "onedit e\n"
                     "x = 1\n"
                     "x = 2\n"
                     "x = 3\n"
                     "print getrbgroup(\"R\"), getspinner(\"P\"), getsliderpos(\"S\"), \" \", "
                     "getmemotext(\"M\"), getedit(\"E\")\n"
                     "removerbgroup \"R\"\nremovespinner \"P\"\nremoveslider \"S\"\n"
                     "removememo \"M\"\nremoveedit \"E\"\n"
                     "end\n"
                     "r:\n print \"rb \", lastrbgroup()\n onrbgroup r\n return\n"
                     "p:\n print \"spin \", lastspinner()\n onspinner p\n return\n"
                     "s:\n print \"slide \", lastslider()\n onslider s\n return\n"
                     "m:\n print \"memo \", lastmemo()\n onmemo m\n return\n"
                     "e:\n print \"edit \", lastedit()\n onedit e\n return\n");
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(result.ended, 1);
    EXPECT_EQ(result.output, "memo M\nspin P\nslide S\nrb R\nedit E\n211 hi42\n");
}

TEST(ControlEvents, LastKeyAndLastMouseAreTakenOnce)
{
    RecordingDebugger debugger;
    debugger.injectBefore = "x = 1";
    debugger.inject = [] {
        TestScreen().FormKeyDown(65, 0);
        QTest::mousePress(TestScreen().Image1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    };
    RunHooks::SetDebugger(&debugger);
    const RunResult result
        = RunProgram("x = 1\n"
                     "print lastkey(), \" \", lastkey(), \" \", lastmouse() > 0, \" \", lastmouse()\n");
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(result.ended, 1);
    EXPECT_EQ(result.output, "65 0 1 0\n");
}

TEST(ControlEvents, TheFormSeesAKeyBeforeTheFocusedControl)
{
    RecordingDebugger debugger;
    debugger.injectBefore = "x = 1";
    debugger.inject = [] {
        auto* box = Named<EditBox>(TestScreen().EditBoxes, "E");
        box->setFocus();
        QTest::keyPress(box, Qt::Key_B);
    };
    RunHooks::SetDebugger(&debugger);
    const RunResult result = RunProgram("addedit \"E\", 10, 10\n"
                                        "x = 1\n"
                                        "print lastkey(), \" \", getedit(\"E\")\n"
                                        "removeedit \"E\"\n");
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(result.ended, 1);
    EXPECT_EQ(result.output, "66 b\n");
}

} // namespace
