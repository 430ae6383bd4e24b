#include "ide/editor/QtPrintSurface.h"

#include "platform/AnsiText.h"
#include "platform/gui/Colors.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>
#include <cmath>

QtPrintSurface::QtPrintSurface(QPrinter& target, const TFontInfo& info, int pointSize)
    : printer(target)
    , font(platform::toQString(info.Name))
{
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(pointSize > 0 ? pointSize : 10);
    // Measured and drawn at the printer's resolution; a column is the widest
    // "X" of the faces rounded up to whole printer pixels.
    font = QFont(font, &printer);
    int cell = 1;
    for (int style = 0; style <= (FontStyle::Bold | FontStyle::Italic); ++style) {
        const QFontMetricsF metrics(FontFor(static_cast<TFontStyles>(style)), &printer);
        cell = std::max(cell, static_cast<int>(std::ceil(metrics.horizontalAdvance('X') - 0.01)));
    }
    glyphs.SetFont(font, cell);
}

int QtPrintSurface::PageWidth() const
{
    return printer.pageLayout().paintRectPixels(printer.resolution()).width();
}

int QtPrintSurface::PageHeight() const
{
    return printer.pageLayout().paintRectPixels(printer.resolution()).height();
}

int QtPrintSurface::TextWidth(const AnsiString& text) const
{
    return QFontMetrics(font, &printer).horizontalAdvance(platform::toQString(text));
}

int QtPrintSurface::TextHeight(const AnsiString& text) const
{
    return QFontMetrics(font, &printer).boundingRect(platform::toQString(text)).height();
}

bool QtPrintSurface::Begin(const AnsiString& title, int copies)
{
    printer.setDocName(platform::toQString(title));
    printer.setCopyCount(copies);
    return painter.begin(&printer);
}

void QtPrintSurface::NewPage()
{
    printer.newPage();
}

QFont QtPrintSurface::FontFor(TFontStyles style) const
{
    QFont styled = font;
    styled.setBold(style & FontStyle::Bold);
    styled.setItalic(style & FontStyle::Italic);
    styled.setUnderline(style & FontStyle::Underline);
    styled.setStrikeOut(style & FontStyle::StrikeOut);
    return styled;
}

void QtPrintSurface::Text(int x, int y, const AnsiString& text, TColor colour, TFontStyles style)
{
    painter.setFont(FontFor(style));
    painter.setPen(platform::toQColor(static_cast<int>(colour)));
    painter.drawText(x, y + QFontMetrics(font, &printer).ascent(), platform::toQString(text));
}

void QtPrintSurface::CellText(int x, int y, const AnsiString& text, TColor colour, TFontStyles style)
{
    glyphs.Draw(painter, x, y + QFontMetrics(font, &printer).ascent(), text.data(), static_cast<int>(text.size()),
        style, platform::toQColor(static_cast<int>(colour)));
}

void QtPrintSurface::End()
{
    painter.end();
}

void SetDefaultPageMargins(QPrinter& printer)
{
    const double m = DefaultPageMarginMillimetres;
    printer.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}
