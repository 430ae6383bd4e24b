#pragma once

#include "base/Values.h"
#include "interpreter/ControlCreation.h"
#include "interpreter/ControlProperty.h"

class Canvas;
class Palette;

enum class NewLine { No, Yes };

// The operations of RunScreen::MediaControl.
namespace MediaOp {
enum : int {
    CloseAll = -1, // empties every slot first
    Pause = 0,
    Resume = 1,
    Close = 2,
    Mode = 3,
    Save = 4,
    Show = 5,
    Hide = 6,
    IsVideo = 7,
    VideoWidth = 8,
    VideoHeight = 9,
};
} // namespace MediaOp

// What a run uses of the run-time screen: the console, run control, the event
// sources of the screen, the drawing services the drawing statements bind,
// and the surface the robot moves on. The window implements it; tests use a
// recording stand-in. Every call happens on the interpreter's (GUI) thread.
//
// Colour arguments: 0..15 a palette entry, other values colours; positions of
// -1 stand for the pen position's coordinate where the window's drawing says
// so.
class RunScreen {
public:
    virtual ~RunScreen() = default;

    // --- Run control --------------------------------------------------------
    // Set when the user stops the run (or closes the screen, or input ends);
    // every wait ends on it. Plain data because the run loop reads it before
    // every statement and the robot and the debugger hold on to it.
    bool stopped = true;
    // Called as a run starts: clears the stop, a pending close request, the
    // close mode and page mode, and resets the screen's drawing state.
    virtual void BeginRun() = 0;
    // True once when the user asked to close the screen while an onabort
    // handler is armed (the request is cleared).
    virtual bool TakeCloseRequest() = 0;
    // 2 while an onabort handler is armed: closing then asks the program.
    virtual void SetCloseMode(int mode) = 0;

    // --- Console --------------------------------------------------------------
    virtual void PrintText(const AnsiString& text, NewLine newLine) = 0;
    virtual void TextAt(int x, int y, const AnsiString& text) = 0;
    virtual AnsiString InputLine(const AnsiString& prompt) = 0;
    virtual AnsiString InputLineInPlace(const AnsiString& prompt) = 0;
    virtual int WaitKeyWithPrompt(const AnsiString& prompt) = 0;
    virtual int PrintAndWaitKey(const AnsiString& text) = 0;

    // --- Event sources ----------------------------------------------------------
    // True while the family's last event names a control.
    virtual bool ControlEventPending(ControlFamily family) const = 0;
    // The key code of the key held, 0 when none.
    virtual int KeyCode() const = 0;
    // The mouse buttons held over the image (bits), 0 when none.
    virtual int MouseButtons() const = 0;

    // --- Drawing ------------------------------------------------------------------
    virtual void SetColors(int fore, int back) = 0;
    virtual void SetPixel(int x, int y, int colour) = 0;
    virtual void SetPenPosition(int x, int y) = 0;
    virtual void TextAtWithFont(
        int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore, int back)
        = 0;
    virtual void OverlayText(
        int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore)
        = 0;
    virtual void DrawEllipseOrRect(int kind, int x1, int y1, int x2, int y2, int fore, int back) = 0;
    virtual void DrawRectOutline(int kind, int x1, int y1, int x2, int y2, int width, int colour) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, int width, int colour) = 0;
    virtual void LineToXY(int x, int y, int width, int colour) = 0;
    virtual void DrawArc(int x1, int y1, int x2, int y2, double start, double sweep, int width, int colour) = 0;
    virtual void DrawPie(int x1, int y1, int x2, int y2, double start, double sweep, int fore, int back) = 0;
    virtual void FloodFillSurface(int x, int y, int fill, int target) = 0;
    virtual void FloodFillToBorder(int x, int y, int fill, int border) = 0;
    virtual void DrawPathString(const AnsiString& text, int x, int y, int step, int colour) = 0;
    virtual void SetMousePos(int x, int y) = 0;
    virtual void SetImageCursor(int n) = 0;

    // --- The robot's surface ------------------------------------------------------
    // The visible image, or the off-screen page when page is true.
    virtual Canvas& RobotCanvas(bool page) = 0;
    virtual const Palette& ScreenPalette() const = 0;

    // --- State and commands of the simple statement families --------------------
    // The text buffer: everything printed, rows joined by CR LF.
    virtual AnsiString TextBuffer() const = 0;
    virtual void SetTextBuffer(const AnsiString& text) = 0;
    // The prompt label beside the input box, and the input box's text.
    virtual void SetPromptText(const AnsiString& text) = 0;
    virtual void SetInputText(const AnsiString& text) = 0;
    // Whether the strip that holds the input box is shown.
    virtual bool ControlBarVisible() const = 0;
    // -1 the background colour.
    virtual void ClearScreen(int colour) = 0;
    // A negative width leaves the pen as it is.
    virtual void SetPenWidth(int width) = 0;
    virtual int PenWidth() const = 0;
    // 0 draw on the visible image, above 0 on the off-screen page, below 0
    // copy the page to the visible image.
    virtual void SetDrawTarget(int n) = 0;
    // --- Pictures ---------------------------------------------------------------
    // The surface drawing goes to now (the visible image or the off-screen
    // page): the picture statements read and write its pixels directly.
    virtual Canvas& DrawingCanvas() = 0;
    // The rectangle buffer of savescr, savescrwh and restorescr.
    virtual void CopyRectToBuffer(int x1, int y1, int x2, int y2) = 0;
    virtual void CopyRectToBufferWH(int x, int y, int width, int height) = 0;
    virtual void PasteBuffer(int x, int y) = 0;
    // Prints the screen image on the screen's printer; nothing without one.
    virtual void PrintScreenImage() = 0;
    // The character of the last key typed, 0 when none.
    virtual int GetKeyChar() const = 0;
    // The last mouse position over the image.
    virtual void MousePosition(int& x, int& y) const = 0;
    // The pixel's palette index, or its colour; -1 outside the image.
    virtual int GetPixelIndex(int x, int y) const = 0;
    // The pen (0) or brush (1) colour as a palette index or colour.
    virtual int GetColorIndex(int which) const = 0;
    virtual void PenPosition(int& x, int& y) const = 0;
    virtual void ImageSize(int& width, int& height) const = 0;
    // The cursor number of the image (setcursor).
    virtual int ImageCursor() const = 0;
    // An image pixel as a desktop position (where a dialog would appear over it).
    virtual void ImagePointOnScreen(int& x, int& y) const = 0;
    // A poly-Bezier curve through count points (x and y in turn), using the
    // largest 3k + 1 of them.
    virtual void DrawBezierPoints(const int* xy, int count, int width, int colour) = 0;

    // --- Run-time controls ----------------------------------------------------
    // The controls a program makes, addressed by family and name. A name no
    // control of the family has does nothing; getters then give 0 or "".
    // Properties are named (control_properties.inc); one of another family,
    // or one the call does not serve, does nothing. A screen without
    // controls (the default) ignores them all.
    // A new control in the first empty slot of its family.
    virtual void AddControl(const NewControl& control) { (void)control; }
    // The commands (removal, focus, clearing) with an empty text, and the
    // text setters.
    virtual void ControlAction(ControlProperty action, const AnsiString& name, const AnsiString& text)
    {
        (void)action, (void)name, (void)text;
    }
    virtual void SetControlProperty(ControlProperty property, const AnsiString& name, int value)
    {
        (void)property, (void)name, (void)value;
    }
    virtual int GetControlProperty(ControlProperty property, const AnsiString& name)
    {
        (void)property, (void)name;
        return 0;
    }
    // n is the item, button or line of the queries that take one.
    virtual AnsiString GetControlText(ControlProperty property, const AnsiString& name, int n)
    {
        (void)property, (void)name, (void)n;
        return {};
    }
    // Each value that is not negative replaces that dimension.
    virtual void SetControlDim(ControlFamily family, const AnsiString& name, int left, int top, int width, int height)
    {
        (void)family, (void)name, (void)left, (void)top, (void)width, (void)height;
    }
    virtual void SetControlFont(
        ControlFamily family, const AnsiString& name, const AnsiString& font, int size, int style, int colour)
    {
        (void)family, (void)name, (void)font, (void)size, (void)style, (void)colour;
    }
    virtual void SetMemoSelection(const AnsiString& name, int line, int column, int length)
    {
        (void)name, (void)line, (void)column, (void)length;
    }
    virtual void SetMemoSelected(const AnsiString& name, int position, int length)
    {
        (void)name, (void)position, (void)length;
    }
    // The family's last-event text (the name of the control), emptied.
    virtual AnsiString TakeLastEvent(ControlFamily family)
    {
        (void)family;
        return {};
    }
    // The last key code and mouse value, reset to 0.
    virtual int TakeLastKey() { return 0; }
    virtual int TakeLastMouse() { return 0; }

    // --- Media ------------------------------------------------------------------
    // Numbered media slots that play sound and video files or record wave
    // audio, the wave player, the video window and the screen window's
    // metrics. File names are local ones, already resolved; an empty name is
    // a file that cannot be played or written. A screen without media (the
    // default) plays nothing, and every query gives 0.
    // Plays file in slot (a negative slot is slot 0), from its start, looping
    // when loop is true; a file that cannot be played empties the slot.
    virtual void MediaPlay(int slot, const AnsiString& file, bool loop) { (void)slot, (void)file, (void)loop; }
    // Records wave audio from the default input for a later op 4 to write
    // into file; without an input the slot is emptied.
    virtual void MediaRecord(int slot, const AnsiString& file) { (void)slot, (void)file; }
    // One of MediaOp; 0 for an empty slot. Mode gives 0 not ready, 1 stopped,
    // 2 playing, 3 recording or 5 paused.
    virtual int MediaControl(int slot, int op)
    {
        (void)slot, (void)op;
        return 0;
    }
    // The wave player: an empty name stops it. Without background the call
    // returns when the sound has ended (or the run stopped).
    virtual void PlayWave(const AnsiString& file, bool background, bool loop)
    {
        (void)file, (void)background, (void)loop;
    }
    virtual bool WaveBusy() { return false; }
    // The video window's frame: values below 0 (left, top) or not above 0
    // (width, height) leave that dimension as it is.
    virtual void SetVideoWindowMetrics(int left, int top, int width, int height)
    {
        (void)left, (void)top, (void)width, (void)height;
    }
    virtual void VideoWindowMetrics(int& left, int& top, int& width, int& height) { left = top = width = height = 0; }
    // The screen window's frame, its control bar and whether its border is
    // sizeable; the same rules for the dimensions left as they are.
    virtual void SetScreenMetrics(int left, int top, int width, int height, bool bar, bool sizeable)
    {
        (void)left, (void)top, (void)width, (void)height, (void)bar, (void)sizeable;
    }
    virtual void ScreenMetrics(int& left, int& top, int& width, int& height, bool& bar, bool& sizeable)
    {
        left = top = width = height = 0;
        bar = sizeable = false;
    }
};
