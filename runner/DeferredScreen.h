#pragma once

#include "interpreter/RunScreen.h"
#include "runner/Console.h"
#include "runner/HeadlessWindow.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

// The run-time screen of a headless run, made only when a run needs it.
//
// Making the screen's window needs the application object, and with it the
// platform plugin and the font configuration: far more than a short program
// costs to run. Until the run needs more, this screen keeps the console by
// itself: printed text goes to standard output as the window would write it,
// and the prints since the image was last cleared are kept (at most a screen
// of rows: the rows' height and the image's are known without the window).
// The first call
// that needs the window (any drawing, a pixel read, input, a control, media,
// the saved image) makes it and replays those prints into its image unechoed,
// so that from then on the window answers exactly as if it had been there from
// the start. The window sets and watches this screen's stop flag, which the
// run loop and every wait already hold.
//
// A role handed out before the window is there stands in for it only until
// then: callers ask the accessor for each call rather than keep the role.
//
// Text is kept only while no print can wrap: where a row wraps depends on the
// width of the console font's characters, which only the font configuration
// knows, so a print that might reach that far makes the window first.
class DeferredScreen : public RunConsole, public RunScreen, public ConsoleState {
public:
    // makeForm returns the configured headless window (application made,
    // desktop size desktopSize, standard streams set); out is where printing
    // echoes. The window reads standard input.
    using FormMaker = std::function<std::unique_ptr<HeadlessWindow>()>;
    DeferredScreen(FILE* out, FormMaker makeForm);
    ~DeferredScreen() override;
    DeferredScreen(const DeferredScreen&) = delete;
    DeferredScreen& operator=(const DeferredScreen&) = delete;

    // The window's PrepareForRun, AfterRun and SaveImagePng.
    void PrepareForRun();
    void AfterRun();
    bool SaveImagePng(const AnsiString& fileName);
    // The window, made (and brought up to date) when it is not there yet.
    HeadlessWindow& Form() const;
    bool HasForm() const { return form != nullptr; }

    // The desktop the headless window is sized for.
    static constexpr int desktopWidth = 1024;
    static constexpr int desktopHeight = 768;
    // Columns that a print may reach without the window: no console font
    // has characters so wide that a row of the 800-pixel image holds fewer.
    static constexpr int columnsWithoutWindow = 50;
    // Text kept for the replay above which the window is made instead (a
    // screen of rows holds far less, but empty prints add up too).
    static constexpr size_t keptTextLimit = 1 << 20;

    // --- Run control --------------------------------------------------------
    void BeginRun() override;
    bool TakeCloseRequest() override;
    void SetCloseMode(int mode) override;

    // The console is this screen's own (given to RunScreen); drawing and controls are the
    // window's, made when first asked for. Events and media are the window's
    // once it is there; before, queries answer that nothing happened and
    // nothing plays, and only what needs the window makes it.
    RunDrawing& Drawing() override { return Window().Drawing(); }
    RunControls& Controls() override { return Window().Controls(); }
    RunInput& Input() override;
    RunMedia& Media() override;

    // --- Console --------------------------------------------------------------
    void PrintText(const AnsiString& text, NewLine newLine) override;
    void TextAt(int x, int y, const AnsiString& text) override;
    AnsiString InputLine(const AnsiString& prompt) override;
    AnsiString InputLineInPlace(const AnsiString& prompt) override;
    int WaitKeyWithPrompt(const AnsiString& prompt) override;
    int PrintAndWaitKey(const AnsiString& text) override;
    void ClearScreen(int colour) override;
    AnsiString TextBuffer() const override;
    void SetTextBuffer(const AnsiString& text) override;
    void SetPromptText(const AnsiString& text) override;
    void SetInputText(const AnsiString& text) override;
    bool ControlBarVisible() const override;

private:
    // A print (its text the next `length` bytes of keptText) or a clear,
    // since the run began or the image was last cleared whole.
    struct Kept {
        enum class Kind : unsigned char { Print, Clear } kind;
        NewLine newLine = NewLine::No;
        int colour = -1;
        size_t length = 0;
    };
    enum class Flush { WhenDue, Now };

    // The events and media of a run that has no window yet.
    class WindowlessInput : public RunInput {
    public:
        explicit WindowlessInput(DeferredScreen& owner)
            : screen(owner)
        { }
        bool ControlEventPending(ControlFamily) const override { return false; }
        AnsiString TakeLastEvent(ControlFamily) override { return {}; }
        int KeyCode() const override { return 0; }
        int GetKeyChar() const override { return 0; }
        int MouseButtons() const override { return 0; }
        void MousePosition(int& x, int& y) const override { screen.Window().Input().MousePosition(x, y); }
        void SetMousePos(int x, int y) override { screen.Window().Input().SetMousePos(x, y); }
        void SetImageCursor(int n) override { screen.Window().Input().SetImageCursor(n); }
        int ImageCursor() const override { return screen.Window().Input().ImageCursor(); }

    private:
        DeferredScreen& screen;
    };
    class WindowlessMedia : public RunMedia {
    public:
        explicit WindowlessMedia(DeferredScreen& owner)
            : screen(owner)
        { }
        void MediaPlay(int slot, const AnsiString& file, bool loop) override;
        void MediaRecord(int slot, const AnsiString& file) override;
        void PlayWave(const AnsiString& file, bool background, bool loop) override;
        void SetVideoWindowMetrics(int left, int top, int width, int height) override;
        void VideoWindowMetrics(int& left, int& top, int& width, int& height) override;
        void SetScreenMetrics(int left, int top, int width, int height, bool bar, bool sizeable) override;
        void ScreenMetrics(int& left, int& top, int& width, int& height, bool& bar, bool& sizeable) override;

    private:
        DeferredScreen& screen;
    };

    // The window's screen, made when it is not there yet.
    RunScreen& Window() const { return Form().Screen(); }
    void MakeForm() const;
    void Keep(const Kept& entry, const AnsiString& text);
    // The image is cleared whole: what was kept is covered.
    void ForgetKept();
    void ClearWhenRowPassesBottom();
    void FlushOutput(Flush when);
    static void FlushWhenDue();

    FILE* out;
    FormMaker makeForm;
    // The window's console metrics, but for the columns, which only the font
    // configuration knows (no print reaches columnsWithoutWindow here).
    ConsoleMetrics metrics;
    mutable std::unique_ptr<HeadlessWindow> form;
    WindowlessInput windowlessInput { *this };
    WindowlessMedia windowlessMedia { *this };
    bool prepared = false;
    bool began = false;
    int closeMode = 0;
    // The kept prints and clears, from the top left of a cleared image, and
    // what they weigh against keptTextLimit.
    std::vector<Kept> kept;
    AnsiString keptText;
    size_t keptWeight = 0;
    std::chrono::steady_clock::time_point lastFlush;
    bool flushPending = false;
};
