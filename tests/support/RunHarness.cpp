#include "tests/support/RunHarness.h"

#include "tests/support/QtTestApplication.h"

#include "interpreter/ProgramFiles.h"
#include "screen/ScreenForm.h"

#include "platform/gui/Colors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

TScreenForm& TestScreen()
{
    TestApplication();
    // Never destroyed, like the application: a window that was shown, torn
    // down from a static destructor after Qt's own statics are gone, crashes.
    static TScreenForm* screen = new TScreenForm;
    return *screen;
}

namespace {

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

RunResult RunProgram(const std::string& text, const std::string& input, Evaluation evaluation)
{
    TScreenForm& screen = TestScreen();
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
        Durnix_Class interpreter(screen);
        interpreter.expression.compileExpressions = evaluation == Evaluation::Compiled;
        // Programs here mostly run once: compile at once, so that they test the trees.
        interpreter.expression.compileOnFirstUse = true;
        result.ended = interpreter.Run(ProgramFiles::NormaliseLineEnds(text));
        screen.AfterRun();
        result.outcome = interpreter.outcome;
        result.errorNumber = interpreter.expression.lastErrorNumber;
        result.errorLine = interpreter.expression.lastErrorLine;
        result.errorColumn = interpreter.errorColumn;
    }
    platform::setMessageBoxes(nullptr);
    screen.SetHeadless(nullptr, nullptr);
    result.output = ReadAll(out);
    std::fclose(out);
    std::fclose(in);
    result.boxes = boxes.shown;
    return result;
}

std::string Region(int x, int y, int width, int height)
{
    const TScreenForm& screen = TestScreen();
    std::string text;
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            const int colour = platform::fromQRgb(screen.imageCanvas.image.pixel(column, row));
            const int index = screen.PaletteIndexOf(colour);
            text += index == 15 ? '.' : index >= 0 && index < 15 ? "0123456789abcde"[index] : '?';
        }
        text += '\n';
    }
    return text;
}

std::string DescribeRun(const RunResult& result, bool withColumn)
{
    std::string text = result.output + "| ended " + std::to_string(result.ended) + " error "
        + std::to_string(result.errorNumber) + " line " + std::to_string(result.errorLine);
    if (withColumn) text += " column " + std::to_string(result.errorColumn);
    for (const auto& box : result.boxes)
        text += " | " + box.caption + ": " + box.text;
    return text;
}

void ExpectSameBothWays(const std::string& program, bool withColumn)
{
    const std::string compiled = DescribeRun(RunProgram(program, {}, Evaluation::Compiled), withColumn);
    const std::string fromText = DescribeRun(RunProgram(program, {}, Evaluation::FromText), withColumn);
    EXPECT_EQ(compiled, fromText) << program;
}
