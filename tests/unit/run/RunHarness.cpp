#include "RunHarness.h"

#include "interpreter/ProgramFiles.h"
#include "screen/ScreenForm.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {

TScreenForm& Screen()
{
    static int argc = 1;
    static char name[] = "test_run";
    static char* argv[] = { name, nullptr };
    static QApplication application(argc, argv);
    static std::unique_ptr<TScreenForm> screen = [] {
        auto form = std::make_unique<TScreenForm>();
        ScreenForm = form.get();
        return form;
    }();
    return *screen;
}

std::string ReadAll(FILE* file)
{
    std::string text;
    std::rewind(file);
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    return text;
}

} // namespace

RunResult RunProgram(const std::string& text, const std::string& input)
{
    TScreenForm& screen = Screen();
    FILE* out = std::tmpfile();
    FILE* in = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    screen.SetHeadless(out, in);
    platform::RecordingMessageBoxes boxes;
    platform::setMessageBoxes(&boxes);

    RunResult result;
    {
        screen.PrepareForRun();
        Durnix_Class interpreter;
        result.ended = interpreter.Run(ProgramFiles::NormaliseLineEnds(text));
        screen.AfterRun();
        result.outcome = interpreter.outcome;
        result.errorNumber = interpreter.expression.lastErrorNumber;
        result.errorLine = interpreter.expression.lastErrorLine;
    }
    platform::setMessageBoxes(nullptr);
    screen.SetHeadless(nullptr, nullptr);
    result.output = ReadAll(out);
    std::fclose(out);
    std::fclose(in);
    result.boxes = boxes.shown;
    return result;
}
