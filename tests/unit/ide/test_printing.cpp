#include "ide/IdeSettings.h"
#include "ide/PreferencesModel.h"
#include "ide/editor/BasicScheme.h"
#include "ide/editor/EditorPrinting.h"
#include "ide/editor/QtPrintSurface.h"
#include "ide/editor/SchemePainter.h"
#include "ide/editor/SxEditor.h"
#include "interpreter/Codes_class.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include <string>
#include <vector>

namespace {

// Pages of 50 lines of 9 pixels ("X" is 8 high, a line 8 + 8 div 8), each
// character 6 wide; every call is recorded.
class RecordingSurface : public PrintSurface {
public:
    struct Page {
        std::vector<std::string> header;
        std::vector<std::string> lines;
    };
    std::vector<Page> pages;
    struct Run {
        std::string text;
        TColor colour;
        TFontStyles style;
    };
    std::vector<Run> runs;
    bool ended = false;
    int copies = 0;
    // Texts at the top of a page are the header's when the job has one.
    bool header = true;

    int PageWidth() const override { return 600; }
    int PageHeight() const override { return 50 * 9; }
    int TextWidth(const AnsiString& text) const override { return 6 * static_cast<int>(text.size()); }
    int TextHeight(const AnsiString&) const override { return 8; }
    bool Begin(const AnsiString&, int count) override
    {
        copies = count;
        pages.emplace_back();
        return true;
    }
    void NewPage() override { pages.emplace_back(); }
    void Text(int x, int y, const AnsiString& text, TColor colour, TFontStyles style) override
    {
        runs.push_back({ text, colour, style });
        Page& page = pages.back();
        if (y == 0 && header) {
            page.header.push_back(text);
        } else if (x == 0 || page.lines.empty()) {
            page.lines.push_back(text);
        } else {
            page.lines.back() += text;
        }
        (void)x;
    }
    void CellText(int x, int y, const AnsiString& text, TColor colour, TFontStyles style) override
    {
        Text(x, y, text, colour, style);
    }
    void End() override { ended = true; }
};

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AnsiString text;
        for (int k = 1; k <= 120; ++k)
            text += "line " + std::to_string(k) + (k < 120 ? "\r\n" : "");
        editor.SetText(text);
    }
    TsxEditor editor;
};

TEST_F(PrintingTest, PagesWithAndWithoutAHeader)
{
    struct Case {
        const char* name;
        int options;
        int from, to;
        std::vector<size_t> linesPerPage;
        std::vector<std::string> headers;
        std::string firstLine;
    };
    const Case cases[] = {
        { "page numbers", EditorPrinting::PageNumber, 1, 3, { 49, 49, 22 }, { "Page:1/3", "Page:2/3", "Page:3/3" },
            "line 1" },
        { "no header", 0, 1, 3, { 50, 50, 20 }, { "", "", "" }, "line 1" },
        { "page 2 of 3", EditorPrinting::PageNumber, 2, 2, { 49 }, { "Page:2/3" }, "line 50" },
        { "all pages when the range is empty", EditorPrinting::PageNumber, 0, 0, { 49, 49, 22 },
            { "Page:1/3", "Page:2/3", "Page:3/3" }, "line 1" },
    };
    for (const Case& c : cases) {
        RecordingSurface surface;
        surface.header = c.options != 0;
        EditorPrinting::Job job;
        job.options = c.options;
        EXPECT_EQ(EditorPrinting::TotalPages(editor, surface, job), 3) << c.name;
        EditorPrinting::Print(editor, surface, job, c.from, c.to, 0);
        ASSERT_EQ(surface.pages.size(), c.linesPerPage.size()) << c.name;
        for (size_t k = 0; k < surface.pages.size(); ++k) {
            EXPECT_EQ(surface.pages[k].lines.size(), c.linesPerPage[k]) << c.name << " page " << k;
            EXPECT_EQ(surface.pages[k].header.empty() ? "" : surface.pages[k].header.back(), c.headers[k]) << c.name;
        }
        EXPECT_EQ(surface.pages[0].lines.front(), c.firstLine) << c.name;
        EXPECT_TRUE(surface.ended);
        EXPECT_EQ(surface.copies, 1);
    }
}

TEST_F(PrintingTest, TheHeaderCarriesCaptionTimeAndPage)
{
    RecordingSurface surface;
    EditorPrinting::Job job;
    job.options = EditorPrinting::Time;
    job.caption = "prog.bas";
    job.time = "2026/01/02 03:04:05";
    editor.SetText("one line");
    EditorPrinting::Print(editor, surface, job, 1, 1, 2);
    EXPECT_EQ(
        surface.pages.at(0).header, (std::vector<std::string> { "prog.bas", "Time:2026/01/02 03:04:05 Page:1/1" }));
    EXPECT_EQ(surface.copies, 2);
}

TEST_F(PrintingTest, SelectedLinesOnly)
{
    editor.SetBlockBegin({ 0, 59 });
    editor.SetBlockEnd({ 3, 61 });
    RecordingSurface surface;
    EditorPrinting::Job job;
    job.options = EditorPrinting::Selected | EditorPrinting::PageNumber;
    EditorPrinting::Print(editor, surface, job, 1, 3, 1);
    ASSERT_EQ(surface.pages.size(), 1u);
    EXPECT_EQ(surface.pages[0].lines, (std::vector<std::string> { "line 60", "line 61", "line 62" }));
    EXPECT_EQ(surface.pages[0].header.back(), "Page:1/1");
}

TEST_F(PrintingTest, ColoursAndStylesFollowTheOptions)
{
    TsxPainter painter;
    SetupBasicScheme(painter);
    AnsiString commands;
    Vocabulary::instance().KeywordList(0, commands);
    painter.FindWords(BasicWordGroups[0])->SetWordsText(commands);
    PreferencesModel defaults;
    defaults.EditorDefaults();
    IdeSettingsFile::ApplyToPainter(defaults.settings, painter);
    editor.SetPainter(&painter);
    editor.SetText("print x");

    auto printRuns = [&](int options) {
        RecordingSurface surface;
        surface.header = false;
        EditorPrinting::Job job;
        job.options = options;
        EditorPrinting::Print(editor, surface, job, 1, 1, 1);
        return surface.runs;
    };
    const auto plain = printRuns(0);
    for (const auto& run : plain) {
        EXPECT_EQ(run.colour, 0u) << run.text;
        EXPECT_EQ(run.style, 0) << run.text;
    }
    const auto styled = printRuns(EditorPrinting::Colour | EditorPrinting::Syntax);
    ASSERT_FALSE(styled.empty());
    EXPECT_EQ(styled[0].text, "print");
    EXPECT_EQ(styled[0].colour, 0x008000u);
    EXPECT_EQ(styled[0].style, FontStyle::Bold);
    editor.SetPainter(nullptr);
}

TEST_F(PrintingTest, APdfHasThePagesCounted)
{
    QTemporaryDir folder;
    const QString path = folder.path() + "/out.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QtPrintSurface surface(printer, TFontInfo {}, 10);
    EditorPrinting::Job job;
    job.options = EditorPrinting::PageNumber;
    const int total = EditorPrinting::TotalPages(editor, surface, job);
    EXPECT_GE(total, 2);
    EditorPrinting::Print(editor, surface, job, 1, total, 1);
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(pdf.readAll());
    EXPECT_EQ(content.count(QRegularExpression("/Type\\s*/Page[^s]")), total);
}

// The page descriptions of a PDF that Qt wrote: its compressed streams that
// draw text, unpacked.
std::vector<std::string> PageContents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray pdf = file.readAll();
    std::vector<std::string> pages;
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at)) {
        at += 7;
        const qsizetype end = pdf.indexOf("endstream", at);
        if (end < 0) break;
        // qUncompress reads zlib data behind its expected size.
        QByteArray packed(4, '\0');
        packed[0] = 0x01; // 16 MB at most
        packed += pdf.mid(at, end - at);
        const QByteArray page = qUncompress(packed);
        if (page.contains("BT")) pages.push_back(page.toStdString());
        at = end;
    }
    return pages;
}

TEST_F(PrintingTest, APrintoutKeepsTheMarginsAndEveryColumn)
{
    TsxPainter painter;
    SetupBasicScheme(painter);
    painter.FindWords("Commands")->SetWordsText("rlocate");
    editor.SetPainter(&painter);
    editor.SetText("rlocate 100,\"abc\" rlocate");
    QTemporaryDir folder;
    const QString path = folder.path() + "/out.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetDefaultPageMargins(printer);
    QtPrintSurface surface(printer, TFontInfo {}, 14);
    EditorPrinting::Job job;
    job.options = EditorPrinting::Syntax | EditorPrinting::Colour;
    EditorPrinting::Print(editor, surface, job, 1, 1, 1);
    editor.SetPainter(nullptr);
    const std::vector<std::string> pages = PageContents(path);
    ASSERT_EQ(pages.size(), 1u);
    const QString page = QString::fromStdString(pages[0]);

    // The page's drawing starts at the corner of the margins (in points).
    const QRegularExpressionMatch origin
        = QRegularExpression(R"(([-\d.]+) 0 0 ([-\d.]+) ([-\d.]+) ([-\d.]+) cm)").match(page);
    ASSERT_TRUE(origin.hasMatch());
    const QPageLayout layout = printer.pageLayout();
    EXPECT_NEAR(origin.captured(3).toDouble(), layout.margins(QPageLayout::Point).left(), 1.0);
    EXPECT_NEAR(origin.captured(4).toDouble(),
        layout.fullRect(QPageLayout::Point).height() - layout.margins(QPageLayout::Point).top(), 1.0);

    // Every run starts on a column's edge and every glyph in it one column
    // further: the characters fill the columns from 0, each once.
    const int cell = surface.CellWidth();
    std::vector<int> columns;
    QRegularExpressionMatchIterator runs
        = QRegularExpression(R"(BT\n(.*?)ET)", QRegularExpression::DotMatchesEverythingOption).globalMatch(page);
    while (runs.hasNext()) {
        const QString run = runs.next().captured(1);
        QRegularExpressionMatchIterator moves = QRegularExpression(R"(([-\d.]+) [-\d.]+ Td)").globalMatch(run);
        int x = 0;
        for (bool first = true; moves.hasNext(); first = false) {
            const double move = moves.next().captured(1).toDouble();
            ASSERT_EQ(move, std::floor(move)) << run.toStdString();
            ASSERT_EQ(static_cast<int>(move) % cell, 0) << run.toStdString();
            ASSERT_TRUE(first || move > 0) << run.toStdString();
            x = first ? static_cast<int>(move) : x + static_cast<int>(move);
            columns.push_back(x / cell);
        }
    }
    std::sort(columns.begin(), columns.end());
    std::vector<int> expected(editor.Lines()[0].size());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(columns, expected);
}

} // namespace
