#include "ide/editor/EditorPrinting.h"

#include "ide/editor/CustomPainter.h"
#include "ide/editor/EditorCore.h"
#include "ide/editor/QzText.h"

#include <QDateTime>

#include <algorithm>

namespace EditorPrinting {

namespace {

bool HasHeader(int options)
{
    return options & (Caption | PageNumber | Time);
}

struct Metrics {
    int lineHeight = 1;
    int charWidth = 1;
    int linesPerPage = 1;
};

Metrics MetricsOf(const PrintSurface& surface)
{
    Metrics m;
    m.charWidth = std::max(1, surface.CellWidth());
    const int h = std::max(1, surface.TextHeight("X"));
    m.lineHeight = h + h / 8;
    m.linesPerPage = std::max(2, surface.PageHeight() / m.lineHeight);
    return m;
}

// The lines to print: the selected ones, or all.
void LineRange(const EditorCore& editor, const Job& job, int& first, int& last)
{
    if ((job.options & Selected) && editor.BlockNotEmpty()) {
        first = std::min(editor.BlockBegin().y, editor.BlockEnd().y);
        last = std::max(editor.BlockBegin().y, editor.BlockEnd().y);
        last = std::min(last, editor.Lines().Count() - 1);
        return;
    }
    first = 0;
    last = editor.Lines().Count() - 1;
}

void PrintHeader(PrintSurface& surface, const Job& job, const Metrics& m, int& y, const AnsiString& pageText)
{
    if (!job.caption.empty()) surface.Text(0, 0, job.caption, 0, 0);
    AnsiString text = pageText;
    if (job.options & Time) {
        const AnsiString now = job.time.empty()
            ? AnsiString(QDateTime::currentDateTime().toString("yyyy/MM/dd hh:mm:ss").toLatin1().constData())
            : job.time;
        text = "Time:" + now + " " + text;
    }
    if (!text.empty())
        surface.Text(surface.PageWidth() - surface.TextWidth(text) - surface.TextWidth("W"), 0, text, 0, 0);
    y = m.lineHeight;
}

void PrintLine(EditorCore& editor, PrintSurface& surface, const Job& job, const Metrics& m, int line, int& y)
{
    TsxCustomPainter* scheme = editor.Painter();
    AnsiString text;
    if (scheme) {
        scheme->SetLineIndex(line);
        text = scheme->CurrentLineText();
    } else {
        text = editor.Lines()[line];
    }
    const int length = static_cast<int>(text.size());
    int column = 1;
    while (column <= length) {
        TsxPaintAttr attr;
        attr.Style = job.fontStyle;
        attr.ColorFront = (job.options & Colour) ? job.fontColour : 0;
        int last = scheme ? scheme->Paintline(column, attr) : length;
        last = std::clamp(last, column, length);
        const TColor colour = (job.options & Colour) ? attr.ColorFront : 0;
        const TFontStyles style = (job.options & Syntax) ? attr.Style : job.fontStyle;
        surface.CellText((column - 1) * m.charWidth, y,
            text.substr(static_cast<size_t>(column - 1), static_cast<size_t>(last - column + 1)), colour, style);
        column = last + 1;
    }
    y += m.lineHeight;
}

} // namespace

int TotalPages(const EditorCore& editor, const PrintSurface& surface, const Job& job)
{
    const Metrics m = MetricsOf(surface);
    int first = 0, last = 0;
    LineRange(editor, job, first, last);
    const int lines = std::max(0, last - first + 1);
    const int perPage = HasHeader(job.options) ? m.linesPerPage - 1 : m.linesPerPage;
    return std::max(1, (lines + perPage - 1) / perPage);
}

void Print(EditorCore& editor, PrintSurface& surface, const Job& job, int fromPage, int toPage, int copies)
{
    const Metrics m = MetricsOf(surface);
    const int total = TotalPages(editor, surface, job);
    if (!surface.Begin(job.caption, copies > 0 ? copies : 1)) return;
    const bool header = HasHeader(job.options);
    const int perPage = header ? m.linesPerPage - 1 : m.linesPerPage;

    int first = 0, last = 0;
    int page = 1;
    LineRange(editor, job, first, last);
    // The selected lines are numbered as pages of their own ("Page:1/1"),
    // which is what the total counts.
    if ((job.options & Selected) && editor.BlockNotEmpty()) {
        page = 1;
    } else if (!(toPage < fromPage || fromPage < 1)) {
        first = (fromPage - 1) * perPage;
        last = std::min(toPage * perPage, editor.Lines().Count()) - 1;
        page = fromPage;
    }
    auto pageText = [&] { return "Page:" + std::to_string(page) + "/" + std::to_string(total); };

    int y = 0;
    if (header) PrintHeader(surface, job, m, y, pageText());
    for (int line = first; line <= last; ++line) {
        if (surface.Aborted()) return;
        PrintLine(editor, surface, job, m, line, y);
        if (surface.PageHeight() < y + m.lineHeight && line < last) {
            y = 0;
            if (surface.Aborted()) return;
            surface.NewPage();
            ++page;
            if (header) PrintHeader(surface, job, m, y, pageText());
        }
    }
    if (!surface.Aborted()) surface.End();
}

} // namespace EditorPrinting
