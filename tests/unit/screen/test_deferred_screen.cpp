#include "runner/DeferredScreen.h"
#include "screen/ScreenForm.h"

#include <QImage>
#include <QSize>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// The headless screen that makes its window late must leave everything as a
// window made at once would: standard output, the text buffer, the cursor and
// the image's pixels.

namespace {

std::unique_ptr<TScreenForm> HeadlessForm(FILE* out)
{
    auto form = std::make_unique<TScreenForm>();
    form->SetDesktopSize(QSize(DeferredScreen::desktopWidth, DeferredScreen::desktopHeight));
    form->SetHeadless(out, nullptr);
    form->setUpdatesEnabled(false);
    return form;
}

std::string Contents(FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text.push_back(static_cast<char>(c));
    return text;
}

// One call of a run: a print, a print ending its row, or a clear.
struct Step {
    enum Kind { Print, PrintLine, Clear } kind;
    std::string text;
    int colour = -1;
};

void Apply(RunScreen& screen, const std::vector<Step>& steps)
{
    for (const Step& step : steps) {
        if (step.kind == Step::Clear)
            screen.Console().ClearScreen(step.colour);
        else
            screen.Console().PrintText(step.text, step.kind == Step::PrintLine ? NewLine::Yes : NewLine::No);
    }
}

struct Outcome {
    std::string echoed;
    std::string printed;
    int row = 0;
    int column = 0;
    QImage image;
    bool windowDuringRun = false;
};

Outcome Collect(TScreenForm& form, FILE* out)
{
    Outcome outcome { Contents(out), form.printedText, form.textRow, form.textColumn, form.imageCanvas.image };
    form.SetHeadless(nullptr, nullptr);
    return outcome;
}

Outcome OnWindow(const std::vector<Step>& steps)
{
    FILE* out = std::tmpfile();
    auto form = HeadlessForm(out);
    form->PrepareForRun();
    form->BeginRun();
    Apply(*form, steps);
    form->AfterRun();
    Outcome outcome = Collect(*form, out);
    std::fclose(out);
    return outcome;
}

Outcome OnDeferredScreen(const std::vector<Step>& steps)
{
    FILE* out = std::tmpfile();
    Outcome outcome;
    {
        DeferredScreen screen(out, [out] { return HeadlessForm(out); });
        screen.PrepareForRun();
        screen.BeginRun();
        Apply(screen, steps);
        const bool madeDuringRun = screen.HasForm();
        screen.AfterRun();
        outcome = Collect(dynamic_cast<TScreenForm&>(screen.Form()), out);
        outcome.windowDuringRun = madeDuringRun;
    }
    std::fclose(out);
    return outcome;
}

std::vector<Step> Lines(int count, const std::string& text)
{
    std::vector<Step> steps;
    for (int k = 0; k < count; ++k)
        steps.push_back({ Step::PrintLine, text + std::to_string(k) });
    return steps;
}

struct Case {
    const char* name;
    std::vector<Step> steps;
    bool needsWindow;
};

TEST(DeferredScreen, EndsAsAWindowMadeAtOnce)
{
    std::vector<Step> pastTheBottom = Lines(40, "line ");
    std::vector<Step> widening;
    for (int k = 0; k < 12; ++k)
        widening.push_back({ Step::Print, "abcde" });
    std::vector<Step> clearedThenPrinted = Lines(3, "before ");
    clearedThenPrinted.push_back({ Step::Clear, "", 4 });
    clearedThenPrinted.push_back({ Step::PrintLine, "after" });
    clearedThenPrinted.push_back({ Step::Print, "open" });
    // A clear in a palette colour, then rows past the bottom, some of them
    // with carriage returns: the clear at the bottom takes the brush.
    std::vector<Step> paletteClearThenManyRows = { { Step::Clear, "", 4 } };
    for (int k = 0; k < 45; ++k)
        paletteClearThenManyRows.push_back({ Step::PrintLine, k % 3 == 0 ? "cr\rrow" : "row" });
    // More text than is ever kept for the replay, in rows: only the last
    // screen of them is needed.
    const std::vector<Step> moreThanEverKept
        = Lines(static_cast<int>(DeferredScreen::keptTextLimit / 40), std::string(36, 'm'));
    std::vector<Step> wrapAfterShortRows = Lines(3, "short ");
    wrapAfterShortRows.push_back({ Step::PrintLine, std::string(200, 'w') });
    wrapAfterShortRows.push_back({ Step::PrintLine, "end" });

    const std::vector<Case> cases = {
        { "short rows", Lines(5, "row "), false },
        { "rows past the bottom of the image", pastTheBottom, false },
        { "carriage returns inside and at the end",
            { { Step::PrintLine, "a\rb" }, { Step::Print, "c\r\nd" }, { Step::PrintLine, "e\r" }, { Step::Print, "" } },
            false },
        { "a cleared image in a palette colour", clearedThenPrinted, false },
        { "a palette clear, then rows past the bottom", paletteClearThenManyRows, false },
        { "more rows than the kept text could hold", moreThanEverKept, false },
        { "an open row growing past what is known to fit", widening, true },
        { "a row wider than the image after short ones", wrapAfterShortRows, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome expected = OnWindow(c.steps);
        const Outcome actual = OnDeferredScreen(c.steps);
        EXPECT_EQ(actual.echoed, expected.echoed);
        EXPECT_EQ(actual.printed, expected.printed);
        EXPECT_EQ(actual.row, expected.row);
        EXPECT_EQ(actual.column, expected.column);
        EXPECT_TRUE(actual.image == expected.image);
        EXPECT_EQ(actual.windowDuringRun, c.needsWindow);
    }
}

TEST(DeferredScreen, QueriesBeforeTheWindowAnswerAsTheWindowWould)
{
    FILE* out = std::tmpfile();
    DeferredScreen screen(out, [out] { return HeadlessForm(out); });
    screen.PrepareForRun();
    screen.BeginRun();
    screen.PrintText("kept", NewLine::Yes);
    EXPECT_EQ(screen.TextBuffer(), "kept\r\n");
    EXPECT_FALSE(screen.TakeCloseRequest());
    EXPECT_EQ(screen.Input().KeyCode(), 0);
    EXPECT_EQ(screen.Media().MediaControl(0, MediaOp::CloseAll), 0);
    screen.Media().PlayWave({}, true, false);
    EXPECT_FALSE(screen.HasForm());
    // A pixel read makes the window, with the printed text in its image.
    int width = 0, height = 0;
    screen.Drawing().ImageSize(width, height);
    EXPECT_EQ(QSize(width, height), QSize(800, 600));
    ASSERT_TRUE(screen.HasForm());
    EXPECT_EQ(screen.TextBuffer(), "kept\r\n");
    EXPECT_FALSE(screen.stopped);
    // The window and the run watch one stop flag: a stop the run sees ends
    // the window's waits, and the window's stop is the run's.
    screen.stopped = true;
    EXPECT_EQ(screen.Console().WaitKeyWithPrompt(""), 0);
    screen.BeginRun();
    EXPECT_FALSE(screen.stopped);
    screen.AfterRun();
    EXPECT_TRUE(screen.stopped);
    screen.Form().SetHeadless(nullptr, nullptr);
    std::fclose(out);
}

} // namespace
