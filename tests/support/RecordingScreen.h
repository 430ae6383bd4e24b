#pragma once

#include "interpreter/RunScreen.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class Canvas;

// A run-time screen with no widget: it records every call a run makes as one
// line of text ("print hello|nl", "line 1,2,3,4,-1,-1"), answers input lines and
// keys from queues, and reports events that a test set. When a queue runs dry
// a wait ends as closing the screen would: the run is stopped. It has no
// media: those calls go to the screen without media.
class RecordingScreen : public RunConsole, public RunScreen, public RunDrawing, public RunInput, public RunControls {
public:
    RecordingScreen();
    ~RecordingScreen() override;

    RunDrawing& Drawing() override { return *this; }
    RunInput& Input() override { return *this; }
    RunControls& Controls() override { return *this; }

    std::vector<std::string> calls;
    // Everything printed, each ended line followed by "\n".
    std::string printed;
    std::deque<std::string> lines;
    std::deque<int> keys;
    bool controlEvent[9] = {};
    int keyCode = 0;
    int mouseButtons = 0;
    bool closeRequested = false;
    int closeMode = 0;

    void BeginRun() override;
    bool TakeCloseRequest() override;
    void SetCloseMode(int mode) override;

    void PrintText(const AnsiString& text, NewLine newLine) override;
    void TextAt(int x, int y, const AnsiString& text) override;
    AnsiString InputLine(const AnsiString& prompt) override;
    AnsiString InputLineInPlace(const AnsiString& prompt) override;
    int WaitKeyWithPrompt(const AnsiString& prompt) override;
    int PrintAndWaitKey(const AnsiString& text) override;

    bool ControlEventPending(ControlFamily family) const override;
    int KeyCode() const override { return keyCode; }
    int MouseButtons() const override { return mouseButtons; }

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

    Canvas& RobotCanvas(bool page) override;
    const Palette& ScreenPalette() const override;

    // State of the simple statement families, set by tests and by the calls.
    std::string textBuffer;
    bool controlBarVisible = true;
    int penWidth = 1;
    int keyChar = 0;
    int mouseX = 0;
    int mouseY = 0;
    int penX = 0;
    int penY = 0;
    int pixelIndex = 0; // what every pixel inside the image reads as
    int penColourIndex = 0;
    int brushColourIndex = 15;
    int imageCursor = 0;

    AnsiString TextBuffer() const override { return textBuffer; }
    void SetTextBuffer(const AnsiString& text) override;
    void SetPromptText(const AnsiString& text) override;
    void SetInputText(const AnsiString& text) override;
    bool ControlBarVisible() const override { return controlBarVisible; }
    void ClearScreen(int colour) override;
    void SetPenWidth(int width) override;
    int PenWidth() const override { return penWidth; }
    void SetDrawTarget(int n) override;
    void CopyRectToBuffer(int x1, int y1, int x2, int y2) override;
    void CopyRectToBufferWH(int x, int y, int width, int height) override;
    void PasteBuffer(int x, int y) override;
    void PrintScreenImage() override;
    int GetKeyChar() const override { return keyChar; }
    void MousePosition(int& x, int& y) const override;
    int GetPixelIndex(int x, int y) const override;
    int GetColorIndex(int which) const override { return which == 1 ? brushColourIndex : penColourIndex; }
    void PenPosition(int& x, int& y) const override;
    void ImageSize(int& width, int& height) const override;
    int ImageCursor() const override { return imageCursor; }
    void ImagePointOnScreen(int& x, int& y) const override;
    Canvas& DrawingCanvas() override;
    void DrawBezierPoints(const int* xy, int count, int width, int colour) override;

    // Run-time controls: every call recorded with the property's name
    // ("set ButtonEnabled b,1"); getters answer controlNumber and
    // "text of PROPERTY", and each family's last event is lastEvents.
    int controlNumber = 7;
    std::string lastEvents[9];
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

private:
    void Record(const std::string& name, std::initializer_list<double> numbers, const AnsiString& text = {});
    std::unique_ptr<Canvas> image;
    std::unique_ptr<Canvas> page;
    std::unique_ptr<Palette> palette;
};
