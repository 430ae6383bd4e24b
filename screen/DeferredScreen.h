#pragma once

#include "interpreter/RunScreen.h"
#include "screen/Console.h"
#include "screen/HeadlessWindow.h"

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
// the start.
//
// Text is kept only while no print can wrap: where a row wraps depends on the
// width of the console font's characters, which only the font configuration
// knows, so a print that might reach that far makes the window first.
class DeferredScreen : public RunScreen, public ConsoleState {
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

    // --- Console --------------------------------------------------------------
    void PrintText(const AnsiString& text, NewLine newLine) override;
    void TextAt(int x, int y, const AnsiString& text) override;
    AnsiString InputLine(const AnsiString& prompt) override;
    AnsiString InputLineInPlace(const AnsiString& prompt) override;
    int WaitKeyWithPrompt(const AnsiString& prompt) override;
    int PrintAndWaitKey(const AnsiString& text) override;

    // --- Event sources ----------------------------------------------------------
    bool ControlEventPending(ControlFamily family) const override;
    int KeyCode() const override;
    int MouseButtons() const override;

    // --- Drawing ------------------------------------------------------------------
    void SetColors(int fore, int back) override;
    void SetPixel(int x, int y, int colour) override;
    void SetPenPosition(int x, int y) override;
    void TextAtWithFont(int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore,
        int back) override;
    void OverlayText(
        int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore) override;
    void DrawEllipseOrRect(int kind, int x1, int y1, int x2, int y2, int fore, int back) override;
    void DrawRectOutline(int kind, int x1, int y1, int x2, int y2, int width, int colour) override;
    void DrawLine(int x1, int y1, int x2, int y2, int width, int colour) override;
    void LineToXY(int x, int y, int width, int colour) override;
    void DrawArc(int x1, int y1, int x2, int y2, double start, double sweep, int width, int colour) override;
    void DrawPie(int x1, int y1, int x2, int y2, double start, double sweep, int fore, int back) override;
    void FloodFillSurface(int x, int y, int fill, int target) override;
    void FloodFillToBorder(int x, int y, int fill, int border) override;
    void DrawPathString(const AnsiString& text, int x, int y, int step, int colour) override;
    void SetMousePos(int x, int y) override;
    void SetImageCursor(int n) override;

    // --- The robot's surface ------------------------------------------------------
    Canvas& RobotCanvas(bool page) override;
    const Palette& ScreenPalette() const override;

    // --- State and commands of the simple statement families --------------------
    AnsiString TextBuffer() const override;
    void SetTextBuffer(const AnsiString& text) override;
    void SetPromptText(const AnsiString& text) override;
    void SetInputText(const AnsiString& text) override;
    bool ControlBarVisible() const override;
    void ClearScreen(int colour) override;
    void SetPenWidth(int width) override;
    int PenWidth() const override;
    void SetDrawTarget(int n) override;
    Canvas& DrawingCanvas() override;
    void CopyRectToBuffer(int x1, int y1, int x2, int y2) override;
    void CopyRectToBufferWH(int x, int y, int width, int height) override;
    void PasteBuffer(int x, int y) override;
    void PrintScreenImage() override;
    int GetKeyChar() const override;
    void MousePosition(int& x, int& y) const override;
    int GetPixelIndex(int x, int y) const override;
    int GetColorIndex(int which) const override;
    void PenPosition(int& x, int& y) const override;
    void ImageSize(int& width, int& height) const override;
    int ImageCursor() const override;
    void ImagePointOnScreen(int& x, int& y) const override;
    void DrawBezierPoints(const int* xy, int count, int width, int colour) override;

    // --- Run-time controls ----------------------------------------------------
    void AddControl(const NewControl& control) override;
    void ControlAction(ControlProperty action, const AnsiString& name, const AnsiString& text) override;
    void SetControlProperty(ControlProperty property, const AnsiString& name, int value) override;
    int GetControlProperty(ControlProperty property, const AnsiString& name) override;
    AnsiString GetControlText(ControlProperty property, const AnsiString& name, int n) override;
    void SetControlDim(ControlFamily family, const AnsiString& name, int left, int top, int width, int height) override;
    void SetControlFont(
        ControlFamily family, const AnsiString& name, const AnsiString& font, int size, int style, int colour) override;
    void SetMemoSelection(const AnsiString& name, int line, int column, int length) override;
    void SetMemoSelected(const AnsiString& name, int position, int length) override;
    AnsiString TakeLastEvent(ControlFamily family) override;
    int TakeLastKey() override;
    int TakeLastMouse() override;

    // --- Media ------------------------------------------------------------------
    void MediaPlay(int slot, const AnsiString& file, bool loop) override;
    void MediaRecord(int slot, const AnsiString& file) override;
    int MediaControl(int slot, int op) override;
    void PlayWave(const AnsiString& file, bool background, bool loop) override;
    bool WaveBusy() override;
    void SetVideoWindowMetrics(int left, int top, int width, int height) override;
    void VideoWindowMetrics(int& left, int& top, int& width, int& height) override;
    void SetScreenMetrics(int left, int top, int width, int height, bool bar, bool sizeable) override;
    void ScreenMetrics(int& left, int& top, int& width, int& height, bool& bar, bool& sizeable) override;

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

    // Runs call on the window with the stop flag passed over and back: the
    // run loop reads this screen's flag, the window sets its own.
    template <typename Call> decltype(auto) Forward(Call&& call) const;
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
