#include "tests/support/RecordingScreen.h"

#include "canvas/Canvas.h"
#include "interpreter/ControlPropertyTable.h"
#include "pictures/Palette.h"
#include "support/FloatText.h"

#include <QSize>

#include <utility>
#include <variant>

namespace {

constexpr int ImageWidth = 800;
constexpr int ImageHeight = 600;

const char* const familyNames[]
    = { "Button", "Edit", "ListBox", "RBGroup", "CheckBox", "Slider", "Spinner", "Memo", "Timer" };

const char* FamilyName(ControlFamily family)
{
    return familyNames[static_cast<int>(family)];
}

const char* PropertyName(ControlProperty property)
{
    return RowOf(property).name;
}

// A creation struct's members in order: the name, then the numbers joined by
// commas, then each text after a "|".
std::string Members(
    const AnsiString& name, std::initializer_list<int> numbers, std::initializer_list<const AnsiString*> texts)
{
    std::string line = name;
    char separator = ' ';
    for (int number : numbers) {
        line += separator + std::to_string(number);
        separator = ',';
    }
    for (const AnsiString* text : texts)
        line += "|" + *text;
    return line;
}

template <typename... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

RecordingScreen::RecordingScreen()
    : RunScreen(static_cast<RunConsole&>(*this))
    , palette(std::make_unique<Palette>())
{ }

RecordingScreen::~RecordingScreen() = default;

void RecordingScreen::Record(const std::string& name, std::initializer_list<double> numbers, const AnsiString& text)
{
    std::string call = name;
    char separator = ' ';
    for (double number : numbers) {
        call += separator;
        call += FloatToStr(number);
        separator = ',';
    }
    if (!text.empty() || name == "print") {
        call += separator;
        call += text;
    }
    calls.push_back(call);
}

void RecordingScreen::BeginRun()
{
    stopped = false;
    closeRequested = false;
    closeMode = 0;
    calls.push_back("begin");
}

bool RecordingScreen::TakeCloseRequest()
{
    const bool requested = closeRequested;
    closeRequested = false;
    return requested;
}

void RecordingScreen::SetCloseMode(int mode)
{
    closeMode = mode;
}

void RecordingScreen::PrintText(const AnsiString& text, NewLine newLine)
{
    printed += text;
    if (newLine == NewLine::Yes) printed += '\n';
    Record("print", {}, newLine == NewLine::Yes ? text + "|nl" : text);
}

void RecordingScreen::TextAt(int x, int y, const AnsiString& text)
{
    Record("textat", { double(x), double(y) }, text);
}

AnsiString RecordingScreen::InputLine(const AnsiString& prompt)
{
    Record("input", {}, prompt);
    if (lines.empty()) {
        stopped = true;
        return {};
    }
    AnsiString line = lines.front();
    lines.pop_front();
    return line;
}

AnsiString RecordingScreen::InputLineInPlace(const AnsiString& prompt)
{
    Record("inputinplace", {}, prompt);
    if (lines.empty()) {
        stopped = true;
        return {};
    }
    AnsiString line = lines.front();
    lines.pop_front();
    return line;
}

int RecordingScreen::WaitKeyWithPrompt(const AnsiString& prompt)
{
    Record("waitkey", {}, prompt);
    if (keys.empty()) {
        stopped = true;
        return 0;
    }
    const int key = keys.front();
    keys.pop_front();
    return key;
}

int RecordingScreen::PrintAndWaitKey(const AnsiString& text)
{
    Record("printwaitkey", {}, text);
    if (keys.empty()) {
        stopped = true;
        return 0;
    }
    const int key = keys.front();
    keys.pop_front();
    return key;
}

bool RecordingScreen::ControlEventPending(ControlFamily family) const
{
    return controlEvent[static_cast<int>(family)];
}

void RecordingScreen::SetColors(int fore, int back)
{
    Record("setcolors", { double(fore), double(back) });
}

void RecordingScreen::SetPixel(int x, int y, int colour)
{
    Record("setpixel", { double(x), double(y), double(colour) });
}

void RecordingScreen::SetPenPosition(int x, int y)
{
    Record("penpos", { double(x), double(y) });
}

void RecordingScreen::TextAtWithFont(
    int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore, int back)
{
    Record("textfont", { double(x), double(y), double(size), double(style), double(fore), double(back) },
        text + "|" + fontName);
}

void RecordingScreen::OverlayText(
    int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore)
{
    Record("overlay", { double(x), double(y), double(size), double(style), double(fore) }, text + "|" + fontName);
}

void RecordingScreen::DrawEllipseOrRect(int kind, int x1, int y1, int x2, int y2, int fore, int back)
{
    Record("shape", { double(kind), double(x1), double(y1), double(x2), double(y2), double(fore), double(back) });
}

void RecordingScreen::DrawRectOutline(int kind, int x1, int y1, int x2, int y2, int width, int colour)
{
    Record("outline", { double(kind), double(x1), double(y1), double(x2), double(y2), double(width), double(colour) });
}

void RecordingScreen::DrawLine(int x1, int y1, int x2, int y2, int width, int colour)
{
    Record("line", { double(x1), double(y1), double(x2), double(y2), double(width), double(colour) });
}

void RecordingScreen::LineToXY(int x, int y, int width, int colour)
{
    Record("lineto", { double(x), double(y), double(width), double(colour) });
}

void RecordingScreen::DrawArc(int x1, int y1, int x2, int y2, double start, double sweep, int width, int colour)
{
    Record("arc", { double(x1), double(y1), double(x2), double(y2), start, sweep, double(width), double(colour) });
}

void RecordingScreen::DrawPie(int x1, int y1, int x2, int y2, double start, double sweep, int fore, int back)
{
    Record("pie", { double(x1), double(y1), double(x2), double(y2), start, sweep, double(fore), double(back) });
}

void RecordingScreen::FloodFillSurface(int x, int y, int fill, int target)
{
    Record("floodfill", { double(x), double(y), double(fill), double(target) });
}

void RecordingScreen::FloodFillToBorder(int x, int y, int fill, int border)
{
    Record("floodfill2", { double(x), double(y), double(fill), double(border) });
}

void RecordingScreen::DrawPathString(const AnsiString& text, int x, int y, int step, int colour)
{
    Record("path", { double(x), double(y), double(step), double(colour) }, text);
}

void RecordingScreen::SetMousePos(int x, int y)
{
    Record("mousepos", { double(x), double(y) });
}

void RecordingScreen::SetImageCursor(int n)
{
    Record("cursor", { double(n) });
}

// The canvases are made on first use: a canvas needs the application's fonts,
// which a test that only records calls does not have.
Canvas& RecordingScreen::RobotCanvas(bool onPage)
{
    std::unique_ptr<Canvas>& canvas = onPage ? page : image;
    if (!canvas) {
        canvas = std::make_unique<Canvas>(QSize(ImageWidth, ImageHeight));
        canvas->Fill(0xFFFFFF);
    }
    return *canvas;
}

const Palette& RecordingScreen::ScreenPalette() const
{
    return *palette;
}

void RecordingScreen::SetTextBuffer(const AnsiString& text)
{
    textBuffer = text;
    Record("settextbuff", {}, text);
}

void RecordingScreen::SetPromptText(const AnsiString& text)
{
    Record("prompt", {}, text);
}

void RecordingScreen::SetInputText(const AnsiString& text)
{
    Record("inputtext", {}, text);
}

void RecordingScreen::ClearScreen(int colour)
{
    Record("clear", { double(colour) });
}

void RecordingScreen::SetPenWidth(int width)
{
    if (width >= 0) penWidth = width;
    Record("penwidth", { double(width) });
}

void RecordingScreen::SetDrawTarget(int n)
{
    Record("flip", { double(n) });
}

Canvas& RecordingScreen::DrawingCanvas()
{
    return RobotCanvas(false);
}

void RecordingScreen::CopyRectToBuffer(int x1, int y1, int x2, int y2)
{
    Record("savescr", { double(x1), double(y1), double(x2), double(y2) });
}

void RecordingScreen::CopyRectToBufferWH(int x, int y, int width, int height)
{
    Record("savescrwh", { double(x), double(y), double(width), double(height) });
}

void RecordingScreen::PasteBuffer(int x, int y)
{
    Record("restorescr", { double(x), double(y) });
}

void RecordingScreen::PrintScreenImage()
{
    Record("printscr", {});
}

void RecordingScreen::MousePosition(int& x, int& y) const
{
    x = mouseX;
    y = mouseY;
}

int RecordingScreen::GetPixelIndex(int x, int y) const
{
    if (x < 0 || y < 0 || x >= ImageWidth || y >= ImageHeight) return -1;
    return pixelIndex;
}

void RecordingScreen::PenPosition(int& x, int& y) const
{
    x = penX;
    y = penY;
}

void RecordingScreen::ImageSize(int& width, int& height) const
{
    width = ImageWidth;
    height = ImageHeight;
}

void RecordingScreen::ImagePointOnScreen(int&, int&) const { }

void RecordingScreen::DrawBezierPoints(const int* xy, int count, int width, int colour)
{
    std::string points;
    for (int k = 0; k < 2 * count; ++k)
        points += (k ? "," : "") + std::to_string(xy[k]);
    Record("bezier", { double(count), double(width), double(colour) }, points);
}

void RecordingScreen::AddControl(const NewControl& control)
{
    const std::string members = std::visit(
        Overloaded {
            [](const NewButton& m) {
                return Members(m.name, { m.left, m.top, m.width, m.height }, { &m.hint });
            },
            [](const NewEdit& m) {
                return Members(m.name, { m.left, m.top, m.width, m.height }, { &m.text, &m.hint });
            },
            [](const NewListBox& m) {
                return Members(m.name, { m.left, m.top, m.width }, { &m.items, &m.hint });
            },
            [](const NewRBGroup& m) {
                return Members(
                    m.name, { m.left, m.top, m.width, m.height, m.columns }, { &m.caption, &m.buttons, &m.hint });
            },
            [](const NewCheckBox& m) {
                return Members(m.name, { m.left, m.top, m.checked, m.captionLeft }, { &m.caption, &m.hint });
            },
            [](const NewSlider& m) {
                return Members(m.name,
                    { m.left, m.top, m.length, m.minimum, m.maximum, m.vertical, m.tickStep, m.pageStep }, { &m.hint });
            },
            [](const NewSpinner& m) {
                return Members(m.name,
                    { m.left, m.top, m.width, m.height, m.minimum, m.maximum, m.increment, m.horizontal, m.wrap },
                    { &m.hint });
            },
            [](const NewMemo& m) {
                return Members(m.name, { m.left, m.top, m.width, m.height }, { &m.text, &m.hint });
            },
            [](const NewTimer& m) { return Members(m.name, { m.period }, {}); },
        },
        control);
    calls.push_back(std::string("add ") + familyNames[control.index()] + " " + members);
}

void RecordingScreen::ControlAction(ControlProperty action, const AnsiString& name, const AnsiString& text)
{
    calls.push_back(std::string("action ") + PropertyName(action) + " " + name + "|" + text);
}

void RecordingScreen::SetControlProperty(ControlProperty property, const AnsiString& name, int value)
{
    calls.push_back(std::string("set ") + PropertyName(property) + " " + name + "," + std::to_string(value));
}

int RecordingScreen::GetControlProperty(ControlProperty property, const AnsiString& name)
{
    calls.push_back(std::string("get ") + PropertyName(property) + " " + name);
    return controlNumber;
}

AnsiString RecordingScreen::GetControlText(ControlProperty property, const AnsiString& name, int n)
{
    calls.push_back(std::string("text ") + PropertyName(property) + " " + name + "," + std::to_string(n));
    return std::string("text of ") + PropertyName(property);
}

void RecordingScreen::SetControlDim(
    ControlFamily family, const AnsiString& name, int left, int top, int width, int height)
{
    calls.push_back(std::string("dim ") + FamilyName(family) + " " + Members(name, { left, top, width, height }, {}));
}

void RecordingScreen::SetControlFont(
    ControlFamily family, const AnsiString& name, const AnsiString& font, int size, int style, int colour)
{
    calls.push_back(
        std::string("font ") + FamilyName(family) + " " + Members(name, { size, style, colour }, { &font }));
}

void RecordingScreen::SetMemoSelection(const AnsiString& name, int line, int column, int length)
{
    calls.push_back("memoselection " + Members(name, { line, column, length }, {}));
}

void RecordingScreen::SetMemoSelected(const AnsiString& name, int position, int length)
{
    calls.push_back("memoselected " + Members(name, { position, length }, {}));
}

AnsiString RecordingScreen::TakeLastEvent(ControlFamily family)
{
    calls.push_back(std::string("takeevent ") + FamilyName(family));
    return std::exchange(lastEvents[static_cast<int>(family)], std::string());
}
