#pragma once

#include "base/Values.h"
#include "ide/editor/PaintAttr.h"

class EditorCore;

// Printing an editor's text page by page with the painter's colouring, under
// an optional header (caption, page number, date and time). The pages go to a
// surface: a printer through Qt, or a test's recorder.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // In pixels of the surface, at the print font.
    virtual int TextWidth(const AnsiString& text) const = 0;
    virtual int TextHeight(const AnsiString& text) const = 0;
    // Starts the document; false when the surface cannot print.
    virtual bool Begin(const AnsiString& title, int copies) = 0;
    virtual void NewPage() = 0;
    // The width of a column of program text: whole pixels, at least the
    // print font's "X", so that every character of a line keeps its column.
    virtual int CellWidth() const { return TextWidth("X"); }
    // Free text (the header).
    virtual void Text(int x, int y, const AnsiString& text, TColor colour, TFontStyles style) = 0;
    // Program text: character k in the column that starts at x + k * CellWidth().
    virtual void CellText(int x, int y, const AnsiString& text, TColor colour, TFontStyles style) = 0;
    virtual bool Aborted() const { return false; }
    virtual void End() = 0;
};

namespace EditorPrinting {

// The print options, as the settings keep them.
enum Option { Colour = 1, Caption = 2, PageNumber = 4, Selected = 8, Syntax = 16, Time = 32 };

struct Job {
    int options = 0;
    AnsiString caption;
    // The text's own font, used where the options leave out the painter's.
    TFontStyles fontStyle = 0;
    TColor fontColour = 0;
    // The header's time, "yyyy/mm/dd hh:nn:ss"; empty takes the clock.
    AnsiString time;
};

// The number of pages the text (or its selected lines) needs.
int TotalPages(const EditorCore& editor, const PrintSurface& surface, const Job& job);

// Prints pages fromPage to toPage (all when toPage < fromPage or fromPage < 1).
void Print(EditorCore& editor, PrintSurface& surface, const Job& job, int fromPage, int toPage, int copies);

} // namespace EditorPrinting
