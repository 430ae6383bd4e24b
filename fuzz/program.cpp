#include "fuzz/FuzzSandbox.h"
#include "fuzz/FuzzSupport.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/ProgramFiles.h"
#include "screen/ScreenForm.h"
#include "support/MemoryBound.h"

#include <QApplication>
#include <QSize>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

// Runs the input as a whole program on the off-screen run-time screen, as the
// headless runner does, under a statement budget so that every run ends.

namespace {

constexpr long long StatementBudget = 20000;
// Waits (robot step delays, held keys) take time without statements: a run
// still going after this long is stopped as by the Stop button. Waits process
// window events, so the timer fires inside them.
constexpr int StopAfterMilliseconds = 2000;

// Whatever a program writes lands in a scratch folder; the fuzzer's own
// paths stay relative to where it was started.
std::filesystem::path scratch;
// Never destroyed, like the application.
TScreenForm* screen = nullptr;
FILE* output = nullptr;
FILE* input = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Never destroyed: the process ends inside the fuzzer's loop.
    new QApplication(*argc, *argv);
    fuzz::InstallSilentMessageBoxes();
    std::error_code error;
    scratch = std::filesystem::temp_directory_path(error) / "quorvatine-fuzz-program";
    std::filesystem::create_directories(scratch, error);
    fuzz::InstallSandbox(scratch);
    // A run that grows past this ends with error 73, well before the fuzzer's
    // own limit of the process's memory takes it for a finding.
    MemoryBound::SetLimit(std::size_t { 2 } << 30);

    screen = new TScreenForm;
    screen->SetDesktopSize(QSize(1024, 768));
    screen->setUpdatesEnabled(false);
    output = std::fopen("/dev/null", "w");
    input = std::fopen("/dev/null", "r");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = fuzz::Text(data, size);
    if (std::memchr(text.data(), 0, text.size())) return -1;
    std::error_code error;
    const std::filesystem::path started = std::filesystem::current_path(error);
    std::filesystem::current_path(scratch, error);
    std::rewind(input);
    screen->SetHeadless(output, input);
    screen->PrepareForRun();
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { screen->stopped = true; });
    watchdog.start(StopAfterMilliseconds);
    {
        Durnix_Class interpreter(*screen);
        interpreter.statementBudget = StatementBudget;
        interpreter.Run(ProgramFiles::NormaliseLineEnds(text));
    }
    screen->AfterRun();
    std::filesystem::current_path(started, error);
    return 0;
}
