#pragma once

#include "ide/editor/CellGlyphs.h"
#include "ide/editor/EditorPrinting.h"

#include <QFont>
#include <QPainter>

class QPrinter;

// Prints on a Qt printer (a real one over the system's print service, or a
// PDF file) in the given font. Coordinates start at the corner of the page
// layout's margins, so the text stays inside them.
class QtPrintSurface : public PrintSurface {
public:
    QtPrintSurface(QPrinter& printer, const TFontInfo& font, int pointSize);
    int PageWidth() const override;
    int PageHeight() const override;
    int TextWidth(const AnsiString& text) const override;
    int TextHeight(const AnsiString& text) const override;
    int CellWidth() const override { return glyphs.CellWidth(); }
    bool Begin(const AnsiString& title, int copies) override;
    void NewPage() override;
    void Text(int x, int y, const AnsiString& text, TColor colour, TFontStyles style) override;
    void CellText(int x, int y, const AnsiString& text, TColor colour, TFontStyles style) override;
    void End() override;

private:
    QFont FontFor(TFontStyles style) const;
    QPrinter& printer;
    QFont font;
    QPainter painter;
    CellGlyphs glyphs;
};

// The margins a new printer of the environment starts with, on every side:
// the printer's own default margins put the text a few millimetres from the
// paper's edge. Printer Setup may change them; printing keeps what it set.
constexpr double DefaultPageMarginMillimetres = 20.0;
void SetDefaultPageMargins(QPrinter& printer);
