#pragma once

#include "base/Values.h"

class Canvas;
class Palette;

// The drawing services the drawing statements bind, the pictures read from
// and written to the image, and the surface the robot moves on.
//
// Colour arguments: 0..15 a palette entry, other values colours; positions of
// -1 stand for the pen position's coordinate where the window's drawing says
// so.
class RunDrawing {
public:
    virtual ~RunDrawing() = default;

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
    // A poly-Bezier curve through count points (x and y in turn), using the
    // largest 3k + 1 of them.
    virtual void DrawBezierPoints(const int* xy, int count, int width, int colour) = 0;
    // A negative width leaves the pen as it is.
    virtual void SetPenWidth(int width) = 0;
    virtual int PenWidth() const = 0;
    // 0 draw on the visible image, above 0 on the off-screen page, below 0
    // copy the page to the visible image.
    virtual void SetDrawTarget(int n) = 0;

    // The pixel's palette index, or its colour; -1 outside the image.
    virtual int GetPixelIndex(int x, int y) const = 0;
    // The pen (0) or brush (1) colour as a palette index or colour.
    virtual int GetColorIndex(int which) const = 0;
    virtual void PenPosition(int& x, int& y) const = 0;
    virtual void ImageSize(int& width, int& height) const = 0;
    // An image pixel as a desktop position (where a dialog would appear over it).
    virtual void ImagePointOnScreen(int& x, int& y) const = 0;

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

    // --- The robot's surface ------------------------------------------------------
    // The visible image, or the off-screen page when page is true.
    virtual Canvas& RobotCanvas(bool page) = 0;
    virtual const Palette& ScreenPalette() const = 0;
};
