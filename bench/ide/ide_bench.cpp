// Times the editor window's tab switch between two 20,000-line programs, the
// self-detection that reads the whole executable when its name is not the
// environment's, the step hook in a 20,000-line program, the debug window's
// wait, and the help window. Run it under the offscreen platform; it is not
// part of the tests.

#include "interpreter/Durnix_class.h"

#include "ide/CodesHelpForm.h"
#include "ide/DebugForm.h"
#include "ide/DurnixEditForm.h"
#include "ide/FindForm.h"
#include "ide/Forms.h"
#include "ide/IdeDialogs.h"
#include "ide/VTableForm.h"
#include "interpreter/RunHooks.h"
#include "runner/ExecutableImage.h"
#include "runner/IdePaths.h"
#include "screen/ScreenForm.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <unistd.h>

namespace {

std::string SampleProgram(int lines, const char* name)
{
    static const char* const Body[] = {
        "' comment line",
        "for i = 1 to 100 // loop",
        "  x = sin(i) * 3.25e2 + 0x1F",
        "  print \"value: \", x",
        "next",
        "if a and not b then gosub Work",
    };
    std::string text = std::string("' ") + name + "\r\n";
    for (int n = 0; n < lines; ++n) {
        text += Body[n % 6];
        text += "\r\n";
    }
    return text;
}

double Milliseconds(QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Steps through every statement of a program without waiting.
class CountingDebugger : public DebugHook {
public:
    int stops = 0;
    bool SteppingOn() const override { return true; }
    void StepAt(int, int, int, const AnsiString&, Variables_Class*, Expression_Class*, const bool&) override
    {
        ++stops;
    }
};

void StepTimes()
{
    TScreenForm screen;
    screen.SetHeadless(std::tmpfile(), std::tmpfile());
    std::string program;
    for (int n = 0; n < 20000; ++n)
        program += "x = 1\r\n";
    CountingDebugger debugger;
    RunHooks::SetDebugger(&debugger);
    screen.PrepareForRun();
    Durnix_Class run(screen);
    QElapsedTimer timer;
    timer.start();
    run.Run(program);
    const double ms = Milliseconds(timer);
    RunHooks::SetDebugger(nullptr);
    std::printf("step hook over 20,000 lines: %.4f ms a stop over %d stops (target below 1 ms at line 20,000)\n",
        ms / std::max(1, debugger.stops), debugger.stops);
}

void WaitCpu()
{
    TVTableForm vtable;
    TDebugForm form(vtable);
    bool stopped = false;
    // The first wait also builds and paints the window for the first time;
    // the second is the wait alone, as at every later stop.
    for (const char* which : { "first", "later" }) {
        QTimer::singleShot(5000, &form, [&form] { form.StepBtnClick(); });
        const std::clock_t before = std::clock();
        QElapsedTimer timer;
        timer.start();
        form.DebugWait("waiting", nullptr, nullptr, stopped);
        const double cpu = 1000.0 * static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC;
        std::printf("a %s debug wait of %.0f ms used %.1f ms of CPU (target below 50 ms for 5 s)\n", which,
            Milliseconds(timer), cpu);
    }
}

void HelpTimes(TFindForm& find)
{
    const AnsiString file = QCoreApplication::applicationDirPath().toStdString() + "/Quorvatine_HelpFile.rtf";
    TCodesHelpForm help(file, find);
    QElapsedTimer timer;
    timer.start();
    help.show();
    QCoreApplication::processEvents();
    std::printf("help window opened with its document in %.1f ms (%s; target below 500 ms)\n", Milliseconds(timer),
        help.DocumentLoaded() ? "loaded" : "document missing");
    double worst = 0;
    int choices = 0;
    for (QTreeWidgetItemIterator it(help.TreeView1); *it; ++it, ++choices) {
        timer.restart();
        help.TreeView1->setCurrentItem(*it);
        worst = std::max(worst, Milliseconds(timer));
    }
    for (QComboBox* box : { help.CommandsBox, help.FunctionsBox, help.ConstantsBox, help.AllVerbsBox })
        for (int k = 0; k < box->count(); ++k, ++choices) {
            timer.restart();
            help.ListChoice(box, k);
            worst = std::max(worst, Milliseconds(timer));
        }
    std::printf("help topic and list choices: %.2f ms worst of %d (target below 50 ms)\n", worst, choices);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    for (const char* name : { "one", "two" })
        std::ofstream(folder + "/" + name + ".bas", std::ios::binary) << SampleProgram(20000, name);

    ScriptedIdeDialogs dialogs;
    TDurnixEditForm form(IdePaths::ForExecutable(folder + "/quorvatine"), dialogs);
    form.resize(1024, 768);
    form.show();
    QCoreApplication::processEvents();
    form.OpenFile(folder + "/one.bas", false);
    form.OpenFile(folder + "/two.bas", false);

    constexpr int switches = 20;
    double worst = 0;
    double total = 0;
    for (int k = 0; k < switches; ++k) {
        QElapsedTimer timer;
        timer.start();
        form.Tabs()->setCurrentIndex(k % 2);
        QCoreApplication::processEvents();
        const double ms = Milliseconds(timer);
        worst = std::max(worst, ms);
        total += ms;
    }
    std::printf("tab switch, 20,000 lines each: %.2f ms average, %.2f ms worst (target below 50 ms)\n",
        total / switches, worst);

    // A copy of this program under another name is read whole to look for
    // an appended program.
    char own[4096];
    const ssize_t n = ::readlink("/proc/self/exe", own, sizeof own - 1);
    if (n > 0) {
        own[n] = 0;
        const std::string copy = folder + "/renamed";
        ExecutableImage::CopyFileBinary(own, copy, 1);
        QElapsedTimer timer;
        timer.start();
        constexpr int runs = 20;
        bool ide = true;
        for (int k = 0; k < runs; ++k)
            ide = ExecutableImage::IsIdeExecutable(copy) && ide;
        std::printf("self-detection of a renamed executable: %.2f ms (%s)\n", Milliseconds(timer) / runs,
            ide ? "environment" : "stand-alone");
    }

    StepTimes();
    WaitCpu();
    HelpTimes(*form.FindForm());
    return 0;
}
