#pragma once

#include "ide/editor/EditorPrinting.h"

#include <QFont>
#include <QPainter>

class QPrinter;

// Prints on a Qt printer (a real one over the system's print service, or a
// PDF file) in the given font.
class QtPrintSurface : public PrintSurface {
public:
    QtPrintSurface(QPrinter& printer, const TFontInfo& font, int pointSize);
    int PageWidth() const override;
    int PageHeight() const override;
    int TextWidth(const AnsiString& text) const override;
    int TextHeight(const AnsiString& text) const override;
    bool Begin(const AnsiString& title, int copies) override;
    void NewPage() override;
    void Text(int x, int y, const AnsiString& text, TColor colour, TFontStyles style) override;
    void End() override;

private:
    QFont FontFor(TFontStyles style) const;
    QPrinter& printer;
    QFont font;
    QPainter painter;
};
