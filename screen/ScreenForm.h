#pragma once

#include "base/DArray.h"
#include "base/Values.h"
#include "canvas/Canvas.h"
#include "interpreter/RunScreen.h"
#include "pictures/Palette.h"
#include "runner/Console.h"
#include "runner/HeadlessWindow.h"
#include "screen/ControlSlots.h"
#include "screen/InputHistory.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

class InputBox;
class MediaService;
class QLineEdit;
class QToolButton;
class ScreenImageView;
class StatusLabel;

// The run-time screen: the window on which a running program prints, reads
// input, draws and receives keys and mouse clicks. A run reaches it through
// RunScreen, on the GUI thread; the flags below are the only communication
// between the window's handlers and a run.
//
// The console state (textRow, textColumn, printedText) is inherited so that it
// reads as the form's own; the wrapping rules live in Console.h. A headless
// run drives it as a HeadlessWindow.
class TScreenForm : public QWidget,
                    public ConsoleState,
                    public RunConsole,
                    public RunScreen,
                    public RunDrawing,
                    public RunInput,
                    public RunControls,
                    public RunMedia,
                    public HeadlessWindow {
public:
    explicit TScreenForm(QWidget* parent = nullptr);
    ~TScreenForm() override;

    // Console.
    void PrintText(const AnsiString& text, NewLine newLine) override;
    int WaitKeyWithPrompt(const AnsiString& prompt) override;
    int PrintAndWaitKey(const AnsiString& text) override;
    int GetKeyChar() const override { return lastKeyChar; }
    int GetKeyCode() const { return lastKeyCode; }
    AnsiString InputLine(const AnsiString& prompt) override;
    AnsiString InputLineInPlace(const AnsiString& prompt) override;
    void ClearScreen(int colour) override;

    // Around a run.
    void BeginRun() override;
    void SetCloseMode(int mode) override { closeMode = mode; }
    void ResetScreen();
    bool TakeCloseRequest() override;
    void PrepareForRun() override;
    void AfterRun() override;
    RunScreen& Screen() override { return *this; }
    ConsoleState& ConsoleText() override { return *this; }
    void ShareStopFlag(bool& flag) override { stopFlag = &flag; }

    // The window serves every role itself (the console too).
    RunDrawing& Drawing() override { return *this; }
    RunInput& Input() override { return *this; }
    RunControls& Controls() override { return *this; }
    RunMedia& Media() override { return *this; }

    // Colour arguments: 0..15 select a palette entry, other values are colours.
    int PaletteColor(int c) const { return palette.PaletteColor(c); }
    int PaletteIndexOf(int colour) const { return palette.PaletteIndexOf(colour); }

    // Drawing on the current canvas (ScreenDrawing*.cpp). Colour arguments:
    // 0..15 a palette entry, other values colours; positions of -1 stand for
    // the pen position's coordinate where a method says so. Shapes and lines
    // set the colours they are given for themselves only, and a width above 0
    // for themselves only.
    void SetColors(int fore, int back) override;
    int GetColorIndex(int which) const override;
    void SetPenWidth(int width) override;
    void SetPixel(int x, int y, int colour) override;
    int GetPixelIndex(int x, int y) const override;
    void TextAt(int x, int y, const AnsiString& text) override;
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
    void DrawBezier(const QPoint* points, int count, int width, int colour);
    void FloodFillSurface(int x, int y, int fill, int target) override;
    void FloodFillToBorder(int x, int y, int fill, int border) override;
    void DrawPathString(const AnsiString& text, int x, int y, int step, int colour) override;
    void CopyRectToBuffer(int x1, int y1, int x2, int y2) override;
    void CopyRectToBufferWH(int x, int y, int width, int height) override;
    void PasteBuffer(int x, int y) override;
    void SetDrawTarget(int n) override;
    void DrawBezierPoints(const int* xy, int count, int width, int colour) override;
    Canvas& DrawingCanvas() override { return *canvas; }

    // Run-time controls (ScreenControls.cpp).
    void AddControl(const NewControl& control) override;
    void ControlAction(ControlProperty action, const AnsiString& name, const AnsiString& text) override;
    void SetControlProperty(ControlProperty property, const AnsiString& name, int value) override;
    int GetControlProperty(ControlProperty property, const AnsiString& name) override;
    AnsiString GetControlText(ControlProperty property, const AnsiString& name, int n) override;
    void SetControlDim(ControlFamily family, const AnsiString& name, int left, int top, int width, int height) override;
    void SetControlFont(
        ControlFamily family, const AnsiString& name, const AnsiString& font, int size, int style, int colour) override;
    AnsiString TakeLastEvent(ControlFamily family) override;
    int TakeLastKey() override;
    int TakeLastMouse() override;
    void SetMemoSelection(const AnsiString& name, int line, int column, int length) override;
    void SetMemoSelected(const AnsiString& name, int position, int length) override;
    // Creation, family by family (ScreenControlFamilies.cpp): each control
    // goes into the first empty slot of its family, its handlers bound.
    void AddButton(const NewButton& made);
    void AddEdit(const NewEdit& made);
    void AddListBox(const NewListBox& made);
    void AddRBGroup(const NewRBGroup& made);
    void AddCheckBox(const NewCheckBox& made);
    void AddSlider(const NewSlider& made);
    void AddSpinner(const NewSpinner& made);
    void AddMemo(const NewMemo& made);
    void AddTimer(const NewTimer& made);
    // Keys reach the screen again after a click, or Esc or Enter in a box:
    // the focus goes to the hidden edit.
    void ReturnKeysToScreen();
    // The mouse pointer: moves it over the image, and sets the image's cursor
    // (0 the default, -1 to -21 the standard cursors; see imageCursor).
    void SetMousePos(int x, int y) override;
    void SetImageCursor(int n) override;
    void SetPenPosition(int x, int y) override;

    // Media slots, the wave player, the video window and the window metrics
    // (screen/ScreenMedia.cpp).
    void MediaPlay(int slot, const AnsiString& file, bool loop) override;
    void MediaRecord(int slot, const AnsiString& file) override;
    int MediaControl(int slot, int op) override;
    void PlayWave(const AnsiString& file, bool background, bool loop) override;
    bool WaveBusy() override;
    void SetVideoWindowMetrics(int left, int top, int width, int height) override;
    void VideoWindowMetrics(int& left, int& top, int& width, int& height) override;
    void SetScreenMetrics(int left, int top, int width, int height, bool bar, bool sizeable) override;
    void ScreenMetrics(int& left, int& top, int& width, int& height, bool& bar, bool& sizeable) override;
    // The media service, loaded on first use (one that does nothing when its
    // module cannot be loaded).
    MediaService& MediaServices();

    // State and commands of the simple statement families (ScreenQueries.cpp).
    AnsiString TextBuffer() const override { return printedText; }
    void SetTextBuffer(const AnsiString& text) override { printedText = text; }
    void SetPromptText(const AnsiString& text) override;
    void SetInputText(const AnsiString& text) override;
    bool ControlBarVisible() const override;
    int PenWidth() const override { return canvas->penWidth; }
    void PrintScreenImage() override;
    void MousePosition(int& x, int& y) const override;
    void PenPosition(int& x, int& y) const override;
    void ImageSize(int& width, int& height) const override;
    int ImageCursor() const override { return imageCursor; }
    void ImagePointOnScreen(int& x, int& y) const override;

    // Event sources and the robot's surface, as a run sees them.
    bool ControlEventPending(ControlFamily family) const override;
    int KeyCode() const override { return lastKeyCode; }
    int MouseButtons() const override { return mouseButtons; }
    Canvas& RobotCanvas(bool page) override { return page ? ScreenPageBitmap : imageCanvas; }
    const Palette& ScreenPalette() const override { return palette; }

    // The work of every activation (the key state starts afresh, mouse moves
    // report no keys until a button is pressed), and of the first one the
    // sizing. The window calls it when it is
    // activated; a caller may call it directly. It never touches the state of
    // a run, which PrepareForRun resets.
    void FormActivate();
    // The window was destroyed by another program: the run stops whatever
    // the close mode, and the form hides.
    void WindowDestroyed();
    // The desktop size that the first activation sizes the form for; by
    // default the size of the screen the form is on.
    void SetDesktopSize(QSize size) { desktopSize = size; }

    // Headless console: printed text goes to out as it is painted (CR LF as
    // "\n"), input lines and keys come from in; the end of in ends every wait
    // as closing the screen would. Null streams switch it off.
    void SetHeadless(FILE* out, FILE* in) override;
    bool IsHeadless() const { return headless; }
    // Saves the visible image as a PNG file; false when it cannot be written.
    bool SaveImagePng(const AnsiString& fileName) const override;

    // Tool buttons.
    void PrintScreenClick();
    void CutTextBufferClick();
    void ClearTextBufferClick();
    void ViewEditorClick();
    void HoltProgramClick();
    void DebugONClick();
    void TurnSteppingOnClick();

    // Hooks into the environment, which fills them in once its windows exist.
    std::function<void()> onViewEditor;
    std::function<void()> onDebugOn;
    std::function<void()> onSteppingOn;
    // Called when closing the screen stops a run (the Run command is enabled
    // again, the video window closed).
    std::function<void()> onScreenClosed;
    // The current file of the editor, shown in the caption.
    std::function<AnsiString()> currentFileName;

    // The stop flag the window sets and its waits watch: its own `stopped`,
    // or the flag of the screen that made it for a headless run, so that the
    // run loop and every wait read the one flag.
    bool* stopFlag = &stopped;
    // State that the window's handlers and a run share (with the stop flag).
    bool closeRequested = false;
    int closeMode = 0;
    int mouseX = 0;
    int mouseY = 0;
    int mouseButtons = 0;
    int lastKeyChar = 0;
    int lastKeyCode = 0;
    int imageWidth = 800;
    int imageHeight = 600;
    bool inputDone = true;
    bool inputActive = false;
    bool firstActivation = true;
    bool mouseTrackingOff = true;
    bool pageMode = false;
    int lineHeight = 17;
    int charWidth = 9;
    int columns = 88;
    AnsiString windowTitle;
    AnsiString editTextOnEnter;
    AnsiString focusedEditName;
    InputHistory inputHistory;
    int defaultFontColor = 0;
    int defaultBrushColor = 0;
    int defaultPenColor = 0;
    int defaultPenWidth = 1;
    int bufferWidth = 0;
    int bufferHeight = 0;
    // The cursor number of the image as setcursor left it (0 after activation).
    int imageCursor = 0;
    Palette palette;

    // The visible image and the off-screen page, and the one drawing goes to.
    Canvas imageCanvas;
    Canvas ScreenPageBitmap;
    Canvas* canvas = &imageCanvas;
    // The rectangle buffer of savescr and restorescr.
    QImage ScreenSaveBitmap;
    // Destination and source of image copies.
    QRect copyDestination;
    QRect copySource;

    // The nine families of run-time controls.
    ControlSlots Buttons, EditBoxes, ListBoxes, RBGroups, CheckBoxes, Sliders, Spinners, Memos, Timers;
    // The last event of each family: the name of the control, empty when none.
    AnsiString lastButton, lastEdit, lastRBGroup, lastListBox, lastSlider, lastCheckBox, lastSpinner, lastTimer,
        lastMemo;

    // Widgets.
    ScreenImageView* Image1 = nullptr;
    QWidget* ControlBar1 = nullptr;
    StatusLabel* Label1 = nullptr;
    InputBox* InputEditBox_0 = nullptr;
    InputBox* InputEditBox_00 = nullptr;
    QLineEdit* DummyEdit = nullptr;
    QToolButton* PrintScreen = nullptr;
    QToolButton* CutTextBuffer = nullptr;
    QToolButton* ClearTextBuffer = nullptr;
    QToolButton* ViewEditor = nullptr;
    QToolButton* HoltProgram = nullptr;
    QToolButton* DebugON = nullptr;
    QToolButton* TurnSteppingOn = nullptr;

    // Key handlers of the form (it sees every key of its window first).
    void FormKeyDown(int virtualKey, int shiftState);
    void FormKeyPress(int typedByte);
    void FormKeyUp();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class PrintSurface;
    class KeyPreview;

    void BuildToolBar();
    void LayOutChildren();
    // The smallest window that still shows the tool bar's parts side by side
    // below a row of the image; no limit while the tool bar is hidden.
    void ApplyMinimumSize();
    void SizeImages(int width, int height);
    void ResetForRun();
    void UpdateCaption();
    void ResetCanvasDefaults(Canvas& target);
    bool FormClose();
    void StopOnClose();
    void Image1Mouse(int action, QMouseEvent* event);
    bool InputEditBox_0KeyPress(QKeyEvent* event);
    bool InputEditBox_00KeyPress(QKeyEvent* event);
    bool BrowseHistory(InputBox* box, int typedByte);
    int WaitForKey();
    AnsiString ReadHeadlessLine();
    int ReadHeadlessKey();
    enum class Flush { WhenDue, Now };
    void FlushHeadlessOutput(Flush when);
    void EndWaitsAtEndOfInput();
    ConsoleMetrics Metrics() const;

    int rememberedHeight = 0;
    int rememberedWidth = 0;
    int rememberedTop = 0;
    int rememberedLeft = 0;
    // A character typed while a key wait runs, kept even when its key is
    // released before the wait looks.
    int latchedKeyChar = 0;
    std::optional<QSize> desktopSize;
    bool headless = false;
    FILE* headlessOut = nullptr;
    FILE* headlessIn = nullptr;
    std::chrono::steady_clock::time_point lastHeadlessFlush;
    bool headlessFlushPending = false; // a timer will flush what is left
    KeyPreview* keyPreview = nullptr;
    std::unique_ptr<MediaService> media;
    // False while scrsetmetrics has given the window a fixed border.
    bool sizeableBorder = true;
    void CloseMedia();
    void RestoreSizeableBorder();
};
