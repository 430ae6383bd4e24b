#include "screen/DeferredScreen.h"

#include "platform/Application.h"
#include "screen/ScreenSizing.h"

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
    : out(output)
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

template <typename Call> decltype(auto) DeferredScreen::Forward(Call&& call) const
{
    auto& self = const_cast<DeferredScreen&>(*this);
    RunScreen& window = Form().Screen();
    window.stopped = stopped;
    struct PassBack {
        DeferredScreen& self;
        RunScreen& window;
        ~PassBack() { self.stopped = window.stopped; }
    } passBack { self, window };
    return call(window);
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
    if (prepared) headless.PrepareForRun();
    if (began) window.BeginRun();
    window.SetCloseMode(closeMode);
    // The kept prints paint the image again; they were echoed already.
    headless.SetHeadless(nullptr, nullptr);
    size_t offset = 0;
    for (const Kept& entry : kept) {
        if (entry.kind == Kept::Kind::Clear) {
            window.ClearScreen(entry.colour);
        } else {
            window.PrintText(keptText.substr(offset, entry.length), entry.newLine);
            offset += entry.length;
        }
    }
    headless.SetHeadless(out, stdin);
    // The text buffer holds everything printed, also what no kept print
    // painted again.
    headless.Console().printedText = printedText;
    window.stopped = stopped;
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
    if (form) {
        Forward([this](RunScreen&) { form->PrepareForRun(); });
        return;
    }
    stopped = false;
    closeMode = 0;
}

void DeferredScreen::AfterRun()
{
    if (form) {
        Forward([this](RunScreen&) { form->AfterRun(); });
        return;
    }
    closeMode = 0;
    stopped = true;
    FlushOutput(Flush::Now);
}

bool DeferredScreen::SaveImagePng(const AnsiString& fileName)
{
    return Forward([&](RunScreen&) { return form->SaveImagePng(fileName); });
}

void DeferredScreen::BeginRun()
{
    if (form) return Forward([](RunScreen& window) { window.BeginRun(); });
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
    return Forward([](RunScreen& window) { return window.TakeCloseRequest(); });
}

void DeferredScreen::SetCloseMode(int mode)
{
    if (form) return Forward([mode](RunScreen& window) { window.SetCloseMode(mode); });
    closeMode = mode;
}

void DeferredScreen::PrintText(const AnsiString& text, NewLine newLine)
{
    const bool mayWrap
        = text.size() > static_cast<size_t>(columnsWithoutWindow - std::min(textColumn, columnsWithoutWindow));
    if (form || mayWrap || keptWeight + text.size() + entryWeight > keptTextLimit)
        return Forward([&](RunScreen& window) { window.PrintText(text, newLine); });
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
    if (form) return Forward([colour](RunScreen& window) { window.ClearScreen(colour); });
    ForgetKept();
    Keep(Kept { Kept::Kind::Clear, NewLine::No, colour, 0 }, {});
    textRow = textColumn = 0;
}

AnsiString DeferredScreen::TextBuffer() const
{
    if (form) return Forward([](RunScreen& window) { return window.TextBuffer(); });
    return printedText;
}

// Without the window no key, mouse button or control event can have come, and
// no media plays.

bool DeferredScreen::ControlEventPending(ControlFamily family) const
{
    if (!form) return false;
    return Forward([family](RunScreen& window) { return window.ControlEventPending(family); });
}

int DeferredScreen::KeyCode() const
{
    if (!form) return 0;
    return Forward([](RunScreen& window) { return window.KeyCode(); });
}

int DeferredScreen::MouseButtons() const
{
    if (!form) return 0;
    return Forward([](RunScreen& window) { return window.MouseButtons(); });
}

int DeferredScreen::GetKeyChar() const
{
    if (!form) return 0;
    return Forward([](RunScreen& window) { return window.GetKeyChar(); });
}

AnsiString DeferredScreen::TakeLastEvent(ControlFamily family)
{
    if (!form) return {};
    return Forward([family](RunScreen& window) { return window.TakeLastEvent(family); });
}

int DeferredScreen::TakeLastKey()
{
    if (!form) return 0;
    return Forward([](RunScreen& window) { return window.TakeLastKey(); });
}

int DeferredScreen::TakeLastMouse()
{
    if (!form) return 0;
    return Forward([](RunScreen& window) { return window.TakeLastMouse(); });
}

int DeferredScreen::MediaControl(int slot, int op)
{
    if (!form) return 0;
    return Forward([=](RunScreen& window) { return window.MediaControl(slot, op); });
}

void DeferredScreen::PlayWave(const AnsiString& file, bool background, bool loop)
{
    // Stopping the wave player that never played is nothing.
    if (!form && file.empty()) return;
    Forward([&](RunScreen& window) { window.PlayWave(file, background, loop); });
}

bool DeferredScreen::WaveBusy()
{
    if (!form) return false;
    return Forward([](RunScreen& window) { return window.WaveBusy(); });
}

// Everything else needs the window.

void DeferredScreen::TextAt(int x, int y, const AnsiString& text)
{
    Forward([&](RunScreen& window) { window.TextAt(x, y, text); });
}

AnsiString DeferredScreen::InputLine(const AnsiString& prompt)
{
    return Forward([&](RunScreen& window) { return window.InputLine(prompt); });
}

AnsiString DeferredScreen::InputLineInPlace(const AnsiString& prompt)
{
    return Forward([&](RunScreen& window) { return window.InputLineInPlace(prompt); });
}

int DeferredScreen::WaitKeyWithPrompt(const AnsiString& prompt)
{
    return Forward([&](RunScreen& window) { return window.WaitKeyWithPrompt(prompt); });
}

int DeferredScreen::PrintAndWaitKey(const AnsiString& text)
{
    return Forward([&](RunScreen& window) { return window.PrintAndWaitKey(text); });
}

void DeferredScreen::SetColors(int fore, int back)
{
    Forward([=](RunScreen& window) { window.SetColors(fore, back); });
}

void DeferredScreen::SetPixel(int x, int y, int colour)
{
    Forward([=](RunScreen& window) { window.SetPixel(x, y, colour); });
}

void DeferredScreen::SetPenPosition(int x, int y)
{
    Forward([=](RunScreen& window) { window.SetPenPosition(x, y); });
}

void DeferredScreen::TextAtWithFont(
    int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore, int back)
{
    Forward([&](RunScreen& window) { window.TextAtWithFont(x, y, text, fontName, size, style, fore, back); });
}

void DeferredScreen::OverlayText(
    int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore)
{
    Forward([&](RunScreen& window) { window.OverlayText(x, y, text, fontName, size, style, fore); });
}

void DeferredScreen::DrawEllipseOrRect(int kind, int x1, int y1, int x2, int y2, int fore, int back)
{
    Forward([=](RunScreen& window) { window.DrawEllipseOrRect(kind, x1, y1, x2, y2, fore, back); });
}

void DeferredScreen::DrawRectOutline(int kind, int x1, int y1, int x2, int y2, int width, int colour)
{
    Forward([=](RunScreen& window) { window.DrawRectOutline(kind, x1, y1, x2, y2, width, colour); });
}

void DeferredScreen::DrawLine(int x1, int y1, int x2, int y2, int width, int colour)
{
    Forward([=](RunScreen& window) { window.DrawLine(x1, y1, x2, y2, width, colour); });
}

void DeferredScreen::LineToXY(int x, int y, int width, int colour)
{
    Forward([=](RunScreen& window) { window.LineToXY(x, y, width, colour); });
}

void DeferredScreen::DrawArc(int x1, int y1, int x2, int y2, double start, double sweep, int width, int colour)
{
    Forward([=](RunScreen& window) { window.DrawArc(x1, y1, x2, y2, start, sweep, width, colour); });
}

void DeferredScreen::DrawPie(int x1, int y1, int x2, int y2, double start, double sweep, int fore, int back)
{
    Forward([=](RunScreen& window) { window.DrawPie(x1, y1, x2, y2, start, sweep, fore, back); });
}

void DeferredScreen::FloodFillSurface(int x, int y, int fill, int target)
{
    Forward([=](RunScreen& window) { window.FloodFillSurface(x, y, fill, target); });
}

void DeferredScreen::FloodFillToBorder(int x, int y, int fill, int border)
{
    Forward([=](RunScreen& window) { window.FloodFillToBorder(x, y, fill, border); });
}

void DeferredScreen::DrawPathString(const AnsiString& text, int x, int y, int step, int colour)
{
    Forward([&](RunScreen& window) { window.DrawPathString(text, x, y, step, colour); });
}

void DeferredScreen::SetMousePos(int x, int y)
{
    Forward([=](RunScreen& window) { window.SetMousePos(x, y); });
}

void DeferredScreen::SetImageCursor(int n)
{
    Forward([=](RunScreen& window) { window.SetImageCursor(n); });
}

Canvas& DeferredScreen::RobotCanvas(bool page)
{
    return Forward([=](RunScreen& window) -> Canvas& { return window.RobotCanvas(page); });
}

const Palette& DeferredScreen::ScreenPalette() const
{
    return Forward([](RunScreen& window) -> const Palette& { return window.ScreenPalette(); });
}

void DeferredScreen::SetTextBuffer(const AnsiString& text)
{
    Forward([&](RunScreen& window) { window.SetTextBuffer(text); });
}

void DeferredScreen::SetPromptText(const AnsiString& text)
{
    Forward([&](RunScreen& window) { window.SetPromptText(text); });
}

void DeferredScreen::SetInputText(const AnsiString& text)
{
    Forward([&](RunScreen& window) { window.SetInputText(text); });
}

bool DeferredScreen::ControlBarVisible() const
{
    return Forward([](RunScreen& window) { return window.ControlBarVisible(); });
}

void DeferredScreen::SetPenWidth(int width)
{
    Forward([=](RunScreen& window) { window.SetPenWidth(width); });
}

int DeferredScreen::PenWidth() const
{
    return Forward([](RunScreen& window) { return window.PenWidth(); });
}

void DeferredScreen::SetDrawTarget(int n)
{
    Forward([=](RunScreen& window) { window.SetDrawTarget(n); });
}

Canvas& DeferredScreen::DrawingCanvas()
{
    return Forward([](RunScreen& window) -> Canvas& { return window.DrawingCanvas(); });
}

void DeferredScreen::CopyRectToBuffer(int x1, int y1, int x2, int y2)
{
    Forward([=](RunScreen& window) { window.CopyRectToBuffer(x1, y1, x2, y2); });
}

void DeferredScreen::CopyRectToBufferWH(int x, int y, int width, int height)
{
    Forward([=](RunScreen& window) { window.CopyRectToBufferWH(x, y, width, height); });
}

void DeferredScreen::PasteBuffer(int x, int y)
{
    Forward([=](RunScreen& window) { window.PasteBuffer(x, y); });
}

void DeferredScreen::PrintScreenImage()
{
    Forward([](RunScreen& window) { window.PrintScreenImage(); });
}

void DeferredScreen::MousePosition(int& x, int& y) const
{
    Forward([&](RunScreen& window) { window.MousePosition(x, y); });
}

int DeferredScreen::GetPixelIndex(int x, int y) const
{
    return Forward([=](RunScreen& window) { return window.GetPixelIndex(x, y); });
}

int DeferredScreen::GetColorIndex(int which) const
{
    return Forward([=](RunScreen& window) { return window.GetColorIndex(which); });
}

void DeferredScreen::PenPosition(int& x, int& y) const
{
    Forward([&](RunScreen& window) { window.PenPosition(x, y); });
}

void DeferredScreen::ImageSize(int& width, int& height) const
{
    Forward([&](RunScreen& window) { window.ImageSize(width, height); });
}

int DeferredScreen::ImageCursor() const
{
    return Forward([](RunScreen& window) { return window.ImageCursor(); });
}

void DeferredScreen::ImagePointOnScreen(int& x, int& y) const
{
    Forward([&](RunScreen& window) { window.ImagePointOnScreen(x, y); });
}

void DeferredScreen::DrawBezierPoints(const int* xy, int count, int width, int colour)
{
    Forward([=](RunScreen& window) { window.DrawBezierPoints(xy, count, width, colour); });
}

void DeferredScreen::AddControl(const NewControl& control)
{
    Forward([&](RunScreen& window) { window.AddControl(control); });
}

void DeferredScreen::ControlAction(ControlProperty action, const AnsiString& name, const AnsiString& text)
{
    Forward([&](RunScreen& window) { window.ControlAction(action, name, text); });
}

void DeferredScreen::SetControlProperty(ControlProperty property, const AnsiString& name, int value)
{
    Forward([&](RunScreen& window) { window.SetControlProperty(property, name, value); });
}

int DeferredScreen::GetControlProperty(ControlProperty property, const AnsiString& name)
{
    return Forward([&](RunScreen& window) { return window.GetControlProperty(property, name); });
}

AnsiString DeferredScreen::GetControlText(ControlProperty property, const AnsiString& name, int n)
{
    return Forward([&](RunScreen& window) { return window.GetControlText(property, name, n); });
}

void DeferredScreen::SetControlDim(
    ControlFamily family, const AnsiString& name, int left, int top, int width, int height)
{
    Forward([&](RunScreen& window) { window.SetControlDim(family, name, left, top, width, height); });
}

void DeferredScreen::SetControlFont(
    ControlFamily family, const AnsiString& name, const AnsiString& font, int size, int style, int colour)
{
    Forward([&](RunScreen& window) { window.SetControlFont(family, name, font, size, style, colour); });
}

void DeferredScreen::SetMemoSelection(const AnsiString& name, int line, int column, int length)
{
    Forward([&](RunScreen& window) { window.SetMemoSelection(name, line, column, length); });
}

void DeferredScreen::SetMemoSelected(const AnsiString& name, int position, int length)
{
    Forward([&](RunScreen& window) { window.SetMemoSelected(name, position, length); });
}

void DeferredScreen::MediaPlay(int slot, const AnsiString& file, bool loop)
{
    Forward([&](RunScreen& window) { window.MediaPlay(slot, file, loop); });
}

void DeferredScreen::MediaRecord(int slot, const AnsiString& file)
{
    Forward([&](RunScreen& window) { window.MediaRecord(slot, file); });
}

void DeferredScreen::SetVideoWindowMetrics(int left, int top, int width, int height)
{
    Forward([=](RunScreen& window) { window.SetVideoWindowMetrics(left, top, width, height); });
}

void DeferredScreen::VideoWindowMetrics(int& left, int& top, int& width, int& height)
{
    Forward([&](RunScreen& window) { window.VideoWindowMetrics(left, top, width, height); });
}

void DeferredScreen::SetScreenMetrics(int left, int top, int width, int height, bool bar, bool sizeable)
{
    Forward([=](RunScreen& window) { window.SetScreenMetrics(left, top, width, height, bar, sizeable); });
}

void DeferredScreen::ScreenMetrics(int& left, int& top, int& width, int& height, bool& bar, bool& sizeable)
{
    Forward([&](RunScreen& window) { window.ScreenMetrics(left, top, width, height, bar, sizeable); });
}
