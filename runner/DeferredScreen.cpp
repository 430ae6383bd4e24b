#include "runner/DeferredScreen.h"

#include "platform/Application.h"
#include "runner/ScreenSizing.h"

#include "canvas/ScreenFontSize.h"

#include <utility>

namespace {

// The screen whose held-back output the event pump sends on; one at a time.
DeferredScreen* idleScreen = nullptr;

// Echoes what a print adds to printedText, and clears as the window would;
// paints nothing.
class EchoingSurface : public ConsoleSurface {
public:
    EchoingSurface(FILE* output, std::function<void()> clearing)
        : out(output)
        , clear(std::move(clearing))
    { }
    ~EchoingSurface() override { echo.WriteTo(out); }
    void ClearScreen() override { clear(); }
    void PaintPiece(int, int, const AnsiString&) override { }
    void Printed(const AnsiString& text) override
    {
        if (out) echo.Add(text);
    }

private:
    FILE* out;
    std::function<void()> clear;
    ConsoleEcho echo;
};

// Each kept entry weighs this much besides its text, so that a flood of empty
// prints is bounded too.
constexpr size_t entryWeight = 16;

} // namespace

DeferredScreen::DeferredScreen(FILE* output, FormMaker maker)
    : RunScreen(static_cast<RunConsole&>(*this))
    , out(output)
    , makeForm(std::move(maker))
    , metrics { columnsWithoutWindow, screenFontPixelHeight + 2,
        FirstActivationGeometry(desktopWidth, desktopHeight, screenToolBarHeight).imageHeight }
{
    idleScreen = this;
    platform::setIdleWork(&DeferredScreen::FlushWhenDue);
}

DeferredScreen::~DeferredScreen()
{
    if (idleScreen == this) {
        idleScreen = nullptr;
        platform::setIdleWork(nullptr);
    }
}

HeadlessWindow& DeferredScreen::Form() const
{
    if (!form) MakeForm();
    return *form;
}

void DeferredScreen::MakeForm() const
{
    auto& self = const_cast<DeferredScreen&>(*this);
    // What was printed is out before the window's making can say anything.
    self.FlushOutput(Flush::Now);
    if (idleScreen == this) {
        idleScreen = nullptr;
        platform::setIdleWork(nullptr);
    }
    form = makeForm();
    HeadlessWindow& headless = *form;
    RunScreen& window = headless.Screen();
    // The run loop and every wait already watch this screen's flag; the
    // window's getting ready must not change what it says.
    const bool wasStopped = stopped;
    headless.ShareStopFlag(self.stopped);
    if (prepared) headless.PrepareForRun();
    if (began) window.BeginRun();
    window.SetCloseMode(closeMode);
    // The kept prints paint the image again; they were echoed already.
    headless.SetHeadless(nullptr, nullptr);
    size_t offset = 0;
    for (const Kept& entry : kept) {
        if (entry.kind == Kept::Kind::Clear) {
            window.Console().ClearScreen(entry.colour);
        } else {
            window.Console().PrintText(keptText.substr(offset, entry.length), entry.newLine);
            offset += entry.length;
        }
    }
    headless.SetHeadless(out, stdin);
    // The text buffer holds everything printed, also what no kept print
    // painted again.
    headless.ConsoleText().printedText = printedText;
    self.stopped = wasStopped;
    self.kept.clear();
    self.keptText.clear();
    self.keptWeight = 0;
}

void DeferredScreen::ForgetKept()
{
    kept.clear();
    keptText.clear();
    keptWeight = 0;
}

void DeferredScreen::ClearWhenRowPassesBottom()
{
    // What PrintConsoleText does for a print that fits its row; the clear
    // takes the current brush, which nothing changes before the window.
    if (!RowPassesBottom(*this, metrics)) return;
    ForgetKept();
    Keep(Kept { Kept::Kind::Clear, NewLine::No, -1, 0 }, {});
    textRow = textColumn = 0;
}

void DeferredScreen::Keep(const Kept& entry, const AnsiString& text)
{
    kept.push_back(entry);
    keptText += text;
    keptWeight += text.size() + entryWeight;
}

void DeferredScreen::FlushOutput(Flush when)
{
    // The window's rule: at most one flush each 20 ms while printing goes
    // on, and what is left goes out when the event pump next runs after that.
    constexpr auto interval = std::chrono::milliseconds(20);
    const auto now = std::chrono::steady_clock::now();
    if (when == Flush::WhenDue && now - lastFlush < interval) {
        flushPending = true;
        return;
    }
    lastFlush = now;
    flushPending = false;
    if (out) std::fflush(out);
}

void DeferredScreen::FlushWhenDue()
{
    if (idleScreen && idleScreen->flushPending) idleScreen->FlushOutput(Flush::WhenDue);
}

void DeferredScreen::PrepareForRun()
{
    prepared = true;
    if (form) return form->PrepareForRun();
    stopped = false;
    closeMode = 0;
}

void DeferredScreen::AfterRun()
{
    if (form) return form->AfterRun();
    closeMode = 0;
    stopped = true;
    FlushOutput(Flush::Now);
}

bool DeferredScreen::SaveImagePng(const AnsiString& fileName)
{
    return Form().SaveImagePng(fileName);
}

void DeferredScreen::BeginRun()
{
    if (form) return form->Screen().BeginRun();
    began = true;
    stopped = false;
    closeMode = 0;
    textRow = textColumn = 0;
    ForgetKept();
}

bool DeferredScreen::TakeCloseRequest()
{
    // Only the window asks to close.
    if (!form) return false;
    return form->Screen().TakeCloseRequest();
}

void DeferredScreen::SetCloseMode(int mode)
{
    if (form) return form->Screen().SetCloseMode(mode);
    closeMode = mode;
}

RunInput& DeferredScreen::Input()
{
    if (form) return form->Screen().Input();
    return windowlessInput;
}

RunMedia& DeferredScreen::Media()
{
    if (form) return form->Screen().Media();
    return windowlessMedia;
}

void DeferredScreen::PrintText(const AnsiString& text, NewLine newLine)
{
    const bool mayWrap
        = text.size() > static_cast<size_t>(columnsWithoutWindow - std::min(textColumn, columnsWithoutWindow));
    if (form || mayWrap || keptWeight + text.size() + entryWeight > keptTextLimit)
        return Window().Console().PrintText(text, newLine);
    // No row wraps here: each print is one piece.
    if (text.find('\r') == AnsiString::npos) {
        // The common case, as PrintConsoleText does it for a text that fits
        // its row, echoed as it is.
        ClearWhenRowPassesBottom();
        if (printedText.size() > printedTextLimit) printedText.clear();
        printedText += text;
        if (out) std::fwrite(text.data(), 1, text.size(), out);
        if (newLine == NewLine::Yes) {
            textColumn = 0;
            ++textRow;
            printedText += "\r\n";
            if (out) std::fputc('\n', out);
        } else {
            textColumn += static_cast<int>(text.size());
        }
    } else {
        EchoingSurface surface(out, [this] { ClearWhenRowPassesBottom(); });
        PrintConsoleText(*this, metrics, text, newLine, surface);
    }
    Keep(Kept { Kept::Kind::Print, newLine, -1, text.size() }, text);
    FlushOutput(Flush::WhenDue);
}

void DeferredScreen::ClearScreen(int colour)
{
    if (form) return Window().Console().ClearScreen(colour);
    ForgetKept();
    Keep(Kept { Kept::Kind::Clear, NewLine::No, colour, 0 }, {});
    textRow = textColumn = 0;
}

AnsiString DeferredScreen::TextBuffer() const
{
    if (form) return Window().Console().TextBuffer();
    return printedText;
}

// The rest of the console needs the window.

void DeferredScreen::TextAt(int x, int y, const AnsiString& text)
{
    Window().Console().TextAt(x, y, text);
}

AnsiString DeferredScreen::InputLine(const AnsiString& prompt)
{
    return Window().Console().InputLine(prompt);
}

AnsiString DeferredScreen::InputLineInPlace(const AnsiString& prompt)
{
    return Window().Console().InputLineInPlace(prompt);
}

int DeferredScreen::WaitKeyWithPrompt(const AnsiString& prompt)
{
    return Window().Console().WaitKeyWithPrompt(prompt);
}

int DeferredScreen::PrintAndWaitKey(const AnsiString& text)
{
    return Window().Console().PrintAndWaitKey(text);
}

void DeferredScreen::SetTextBuffer(const AnsiString& text)
{
    Window().Console().SetTextBuffer(text);
}

void DeferredScreen::SetPromptText(const AnsiString& text)
{
    Window().Console().SetPromptText(text);
}

void DeferredScreen::SetInputText(const AnsiString& text)
{
    Window().Console().SetInputText(text);
}

bool DeferredScreen::ControlBarVisible() const
{
    return Window().Console().ControlBarVisible();
}

// Without the window no media plays: stopping the wave player or asking after
// a slot is nothing, and the rest makes the window.

void DeferredScreen::WindowlessMedia::PlayWave(const AnsiString& file, bool background, bool loop)
{
    if (file.empty()) return;
    screen.Window().Media().PlayWave(file, background, loop);
}

void DeferredScreen::WindowlessMedia::MediaPlay(int slot, const AnsiString& file, bool loop)
{
    screen.Window().Media().MediaPlay(slot, file, loop);
}

void DeferredScreen::WindowlessMedia::MediaRecord(int slot, const AnsiString& file)
{
    screen.Window().Media().MediaRecord(slot, file);
}

void DeferredScreen::WindowlessMedia::SetVideoWindowMetrics(int left, int top, int width, int height)
{
    screen.Window().Media().SetVideoWindowMetrics(left, top, width, height);
}

void DeferredScreen::WindowlessMedia::VideoWindowMetrics(int& left, int& top, int& width, int& height)
{
    screen.Window().Media().VideoWindowMetrics(left, top, width, height);
}

void DeferredScreen::WindowlessMedia::SetScreenMetrics(
    int left, int top, int width, int height, bool bar, bool sizeable)
{
    screen.Window().Media().SetScreenMetrics(left, top, width, height, bar, sizeable);
}

void DeferredScreen::WindowlessMedia::ScreenMetrics(
    int& left, int& top, int& width, int& height, bool& bar, bool& sizeable)
{
    screen.Window().Media().ScreenMetrics(left, top, width, height, bar, sizeable);
}
