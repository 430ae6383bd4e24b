#include "ide/editor/BasicScheme.h"
#include "ide/editor/SchemePainter.h"
#include "ide/editor/SxEditor.h"
#include "platform/AnsiText.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "test_editor";
    static char* argv[] = { name, nullptr };
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        ed = std::make_unique<TsxEditor>();
        ed->resize(600, 400);
        ed->show();
        ed->SetText("first line\r\nprint hello world\r\nthird");
        ed->UndoList().Clear();
    }

    void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
        QApplication::sendEvent(ed.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
        QApplication::sendEvent(ed.get(), &release);
    }

    void Type(const QString& s)
    {
        for (QChar c : s)
            Key(c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : 0, Qt::NoModifier, QString(c));
    }

    QPoint CellCentre(int column, int line) const
    {
        return QPoint(ed->GutterWidthInUse() + (column - ed->LeftChar()) * ed->CharWidth() + 1,
            (line - ed->TopLine()) * ed->LineHeight() + ed->LineHeight() / 2);
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::MouseButton button = Qt::LeftButton)
    {
        QMouseEvent e(type, QPointF(at), ed->viewport()->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(ed->viewport(), &e);
    }

    AnsiString Line(int n) const { return ed->Lines()[n]; }

    std::unique_ptr<TsxEditor> ed;
};

} // namespace

TEST_F(WidgetTest, TypedKeysEditTheText)
{
    ed->SetBlockBegin({ 5, 0 });
    Type("XY");
    Key(Qt::Key_Backspace, Qt::NoModifier, "\b");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Line(0), "firstX");
    EXPECT_EQ(Line(1), " line");
    Key(Qt::Key_Z, Qt::ControlModifier, "z"); // undo the Enter
    EXPECT_EQ(Line(0), "firstX line");
    Key(Qt::Key_Escape, Qt::NoModifier, "\x1b");
    EXPECT_EQ(Line(0), "firstX line");
}

TEST_F(WidgetTest, ReceivesTabUnlessItExits)
{
    ed->TabBehavior = tbFixed;
    ed->SetTabScale(4);
    ed->SetBlockBegin({ 1, 0 });
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(Line(0), "f   irst line");
    EXPECT_EQ(ed->CaretX(), 4);
    ed->TabBehavior = tbExit;
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(Line(0), "f   irst line");
}

TEST_F(WidgetTest, ShortcutsTakeNoCharacters)
{
    Key(Qt::Key_A, Qt::ControlModifier, "a");
    EXPECT_EQ(ed->SelText(), "first line\r\nprint hello world\r\nthird");
    ed->SetBlockBegin({ 0, 2 });
    Key(Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, "!");
    EXPECT_EQ(ed->Bookmark(1), (TqzPoint { 0, 2 }));
    EXPECT_EQ(Line(2), "third");
    ed->KeysCopy = ShortCut('K', ShiftState::Ctrl);
    ed->SetBlockBegin({ 0, 2 });
    ed->SetBlockEnd({ 3, 2 });
    Key(Qt::Key_K, Qt::ControlModifier, "k");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "thi");
    EXPECT_EQ(Line(2), "third");
}

TEST_F(WidgetTest, ComposedCharactersAreTypedThroughTheCodePage)
{
    ed->SetBlockBegin({ 0, 2 });
    QInputMethodEvent compose;
    compose.setCommitString(QString::fromUtf8("é€✓"));
    QApplication::sendEvent(ed.get(), &compose);
    // A character without a byte in the code page is left out.
    EXPECT_EQ(Line(2), "\xE9\x80third");
    EXPECT_EQ(platform::toQString(Line(2)), QString::fromUtf8("é€third"));
}

TEST_F(WidgetTest, MouseSelectsAndDoubleClickPicksAWord)
{
    Mouse(QEvent::MouseButtonPress, CellCentre(2, 1), Qt::LeftButton);
    Mouse(QEvent::MouseMove, CellCentre(9, 1), Qt::LeftButton, Qt::NoButton);
    Mouse(QEvent::MouseButtonRelease, CellCentre(9, 1), Qt::NoButton);
    EXPECT_EQ(ed->SelText(), "int hel");
    Mouse(QEvent::MouseButtonDblClick, CellCentre(13, 1), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, CellCentre(13, 1), Qt::NoButton);
    EXPECT_EQ(ed->SelText(), "world");
    // Dragging the selection moves it.
    Mouse(QEvent::MouseButtonPress, CellCentre(13, 1), Qt::LeftButton);
    Mouse(QEvent::MouseMove, CellCentre(0, 0), Qt::LeftButton, Qt::NoButton);
    Mouse(QEvent::MouseButtonRelease, CellCentre(0, 0), Qt::NoButton);
    EXPECT_EQ(Line(0), "worldfirst line");
    EXPECT_EQ(Line(1), "print hello ");
    ed->Undo();
    EXPECT_EQ(Line(0), "first line");
    EXPECT_EQ(Line(1), "print hello world");
}

TEST_F(WidgetTest, GutterClicksReportTheLine)
{
    int clickedLine = -1;
    ed->OnGutterClick = [&](void*, int, int, int line) { clickedLine = line; };
    const QPoint gutter(4, ed->LineHeight() * 2 + 2);
    Mouse(QEvent::MouseButtonPress, gutter, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, gutter, Qt::NoButton);
    EXPECT_EQ(clickedLine, 2);
}

TEST_F(WidgetTest, PaintsSelectionMarkersAndLineNumbers)
{
    ed->HideSelection = false;
    ed->SetGutterShowLines(true);
    ed->LineMarkers().Add(2, 0xFFFFFF, 0x008000, -1, "hint");
    ed->SetBlockBegin({ 3, 0 });
    ed->SetBlockEnd({ 2, 1 });
    const QImage image = ed->viewport()->grab().toImage();
    auto colourAt = [&](int column, int line) {
        const QPoint p = CellCentre(column, line) + QPoint(ed->CharWidth() / 2, 0);
        return image.pixelColor(p).rgb() & 0xFFFFFF;
    };
    const QRgb selection = ColorOf(ed->SelColor).rgb() & 0xFFFFFF;
    const QRgb marker = ColorOf(0x008000).rgb() & 0xFFFFFF;
    const QRgb background = ColorOf(ed->Color).rgb() & 0xFFFFFF;
    EXPECT_EQ(colourAt(40, 0), selection); // stSimple reaches the right edge
    EXPECT_EQ(colourAt(40, 1), background); // the last block line stops at its end
    EXPECT_EQ(colourAt(40, 2), marker);
    EXPECT_EQ(colourAt(40, 5), background); // below the text
    ed->SelType = stEOL;
    ed->SetBlockBegin({ 3, 0 });
    ed->SetBlockEnd({ 2, 1 });
    const QImage eol = ed->viewport()->grab().toImage();
    EXPECT_EQ(eol.pixelColor(CellCentre(40, 0)).rgb() & 0xFFFFFF, background);
    ed->SelType = stSimple;
}

TEST_F(WidgetTest, ScrollBarsAndWheelMoveTheTopLine)
{
    AnsiString text;
    for (int n = 0; n < 200; ++n)
        text += "line " + std::to_string(n) + "\r\n";
    ed->SetText(text);
    EXPECT_EQ(ed->verticalScrollBar()->maximum(), 199);
    ed->verticalScrollBar()->setValue(50);
    EXPECT_EQ(ed->TopLine(), 50);
    QWheelEvent wheel(QPointF(50, 50), ed->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(ed->viewport(), &wheel);
    EXPECT_EQ(ed->TopLine(), 51);
    ed->SetBlockBegin({ 0, 150 });
    EXPECT_GE(150, ed->TopLine());
    EXPECT_LT(150, ed->TopLine() + ed->VisibleLines());
    EXPECT_EQ(ed->verticalScrollBar()->value(), ed->TopLine());
}

TEST_F(WidgetTest, ClipboardUsesLineFeedsOutside)
{
    ed->SetBlockBegin({ 0, 0 });
    ed->SetBlockEnd({ 5, 1 });
    ed->CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "first line\nprint");
    QGuiApplication::clipboard()->setText(QString::fromUtf8("a\nb€"));
    ed->SetBlockBegin({ 0, 2 });
    ed->PasteFromClipboard();
    EXPECT_EQ(Line(2), "a");
    EXPECT_EQ(Line(3), "b\x80third");
}

TEST_F(WidgetTest, PainterAttachesAndFollowsChanges)
{
    TsxPainter painter;
    SetupBasicScheme(painter);
    ed->SetPainter(&painter);
    EXPECT_EQ(painter.Lines(), &ed->Lines());
    painter.FindWords("Commands")->SetWordsText("print");
    const QImage image = ed->viewport()->grab().toImage();
    EXPECT_FALSE(image.isNull());
    ed->SetPainter(nullptr);
    EXPECT_EQ(painter.Lines(), nullptr);
}

TEST_F(WidgetTest, APainterDestroyedFirstIsDropped)
{
    auto painter = std::make_unique<TsxPainter>();
    SetupBasicScheme(*painter);
    TFontInfo big = painter->Font();
    big.Size = 20;
    painter->SetFont(big);
    ed->SetPainter(painter.get());
    const int bigHeight = ed->LineHeight();
    painter.reset();
    EXPECT_EQ(ed->Painter(), nullptr);
    EXPECT_LT(ed->LineHeight(), bigHeight); // back to the control's own font
    EXPECT_FALSE(ed->viewport()->grab().toImage().isNull());
}

namespace {

QFont StyledFont(const TFontInfo& info, TFontStyles style)
{
    QFont font(QString::fromLatin1(info.Name.c_str()));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(info.Size);
    font.setBold(style & FontStyle::Bold);
    font.setItalic(style & FontStyle::Italic);
    return font;
}

// Line n as it should look, made without the editor's drawing: every
// character drawn alone at its column's left edge, in its run's style and
// colours, over the backgrounds of all the line's cells.
QImage ReferenceLine(TsxEditor& ed, TsxCustomPainter& painter, int n)
{
    const int cw = ed.CharWidth();
    const int left = ed.GutterWidthInUse();
    QImage image(ed.viewport()->width(), ed.LineHeight(), QImage::Format_RGB32);
    image.fill(ColorOf(painter.GetColor(0)));
    painter.SetLineIndex(n);
    const AnsiString line = painter.CurrentLineText();
    const int length = static_cast<int>(line.size());
    std::vector<TsxPaintAttr> cells;
    for (int column = 1; column <= length;) {
        TsxPaintAttr attr;
        attr.Style = painter.Font().Style;
        attr.ColorFront = painter.Font().Color;
        attr.ColorBack = painter.GetColor(0);
        const int last = std::clamp(painter.Paintline(column, attr), column, length);
        for (; column <= last; ++column)
            cells.push_back(attr);
    }
    QPainter p(&image);
    for (int k = 0; k < length; ++k)
        p.fillRect(QRect(left + k * cw, 0, cw, ed.LineHeight()), ColorOf(cells[static_cast<size_t>(k)].ColorBack));
    const int ascent = ed.BaselineOffset();
    for (int k = 0; k < length; ++k) {
        const TsxPaintAttr& attr = cells[static_cast<size_t>(k)];
        p.setFont(StyledFont(painter.Font(), attr.Style));
        p.setPen(ColorOf(attr.ColorFront));
        const auto byte = static_cast<unsigned char>(line[static_cast<size_t>(k)]);
        p.drawText(
            QPoint(left + k * cw, ascent), QString(QChar(static_cast<char16_t>(platform::byteToCharacter(byte)))));
    }
    return image;
}

// The columns [first, last] that hold ink (pixels other than the background)
// in a picture of one character.
bool InkColumns(const QImage& image, QRgb background, int& first, int& last)
{
    first = image.width();
    last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) first = std::min(first, x), last = std::max(last, x);
    return last >= 0;
}

} // namespace

// At every text size each glyph is drawn whole at its column's left edge, the
// way it looks alone; the caret and the selection sit on the same edges. A
// glyph placed by the font's fractional advance drifts from its column and
// loses the pixels that the next run's background covers.
TEST_F(WidgetTest, EveryGlyphSitsWholeInItsColumnAtEverySize)
{
    TsxPainter painter;
    SetupBasicScheme(painter);
    painter.FindWords("Commands")->SetWordsText("rlocate");
    AnsiString text = "rlocate 100,\"abc\" rlocate x1=(2+y)*3 ' comment\r\n";
    AnsiString printable;
    for (int code = 0x21; code <= 0xFF; ++code) {
        const char32_t c = platform::byteToCharacter(static_cast<unsigned char>(code));
        // A text layout hides a lone soft hyphen (0xAD); the editor shows it as any other byte.
        if (code != 0x7F && code != 0xAD && (c < 0x80 || c >= 0xA0)) printable += static_cast<char>(code);
    }
    for (size_t k = 0; k < printable.size(); k += 24)
        text += printable.substr(k, 24) + "\r\n";
    ed->resize(820, 1000);
    ed->SetGutterShowLines(true);
    ed->SetPainter(&painter);
    ed->SetText(text);

    QStringList faces { "Courier New" };
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(family) && !faces.contains(family)) faces << family;
    for (const QString& face : faces) {
        for (int size = 6; size <= 30; ++size) {
            SCOPED_TRACE(face.toStdString() + " at " + std::to_string(size));
            TFontInfo font = painter.Font();
            font.Name = platform::fromQString(face);
            font.Size = size;
            painter.SetFont(font);
            const int cw = ed->CharWidth();
            const int lh = ed->LineHeight();
            const int left = ed->GutterWidthInUse();
            ASSERT_GE(cw, QFontMetricsF(StyledFont(font, 0)).horizontalAdvance('M') - 0.01);
            const QImage shown = ed->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const int lines = std::min(ed->Lines().Count(), shown.height() / lh);
            for (int n = 0; n < lines; ++n) {
                const QImage expected = ReferenceLine(*ed, painter, n);
                const QImage got = shown.copy(0, n * lh, shown.width(), lh);
                int wrong = 0;
                for (int y = 0; y < lh; ++y)
                    for (int x = left; x < shown.width(); ++x)
                        wrong += got.pixel(x, y) != expected.pixel(x, y);
                EXPECT_EQ(wrong, 0) << "line " << n;
            }
            // Upright glyphs keep their ink in their own column: a column is
            // as wide as the glyph's advance (a pixel of edge shading, or two
            // where a bold glyph is drawn wider than its advance, aside).
            for (int style : { 0, static_cast<int>(FontStyle::Bold) }) {
                const QFont styled = StyledFont(font, static_cast<TFontStyles>(style));
                for (char c : AnsiString("rlocateWm0@#%\"abc")) {
                    QImage glyph(3 * cw, lh, QImage::Format_RGB32);
                    glyph.fill(Qt::white);
                    QPainter p(&glyph);
                    p.setFont(styled);
                    p.setPen(Qt::black);
                    p.drawText(QPoint(cw, QFontMetrics(StyledFont(font, 0)).ascent()), QString(QChar(c)));
                    p.end();
                    int first = 0, last = 0;
                    ASSERT_TRUE(InkColumns(glyph, qRgb(255, 255, 255), first, last));
                    EXPECT_GE(first, cw - 2) << c;
                    EXPECT_LE(last, 2 * cw + 1) << c;
                }
            }
        }
    }

    // The caret and a selection begin on the left edge of their column.
    painter.SetFont(TFontInfo { "Courier New", 14 });
    ed->HideSelection = false;
    ed->SetBlockBegin({ 70, 1 });
    EXPECT_EQ(ed->CaretRect().left(), ed->GutterWidthInUse() + (70 - ed->LeftChar()) * ed->CharWidth());
    ed->SetBlockBegin({ 8, 0 });
    ed->SetBlockEnd({ 11, 0 });
    const QImage selected = ed->viewport()->grab().toImage();
    const int x = ed->GutterWidthInUse() + (8 - ed->LeftChar()) * ed->CharWidth();
    const QRgb selection = ColorOf(painter.GetColor(3)).rgb();
    EXPECT_EQ(selected.pixel(x, 0), selection);
    EXPECT_NE(selected.pixel(x - 1, 0), selection);
    EXPECT_EQ(selected.pixel(x + 3 * ed->CharWidth() - 1, 0), selection);
    EXPECT_NE(selected.pixel(x + 3 * ed->CharWidth(), 0), selection);
    ed->SetPainter(nullptr);
}

// The gutter grows to the widest line number and shrinks back with the text:
// a number wider than the gutter lost its leading digits (400000 as 00000).
TEST_F(WidgetTest, LineNumbersPastNinetyNineThousandStayWhole)
{
    ed->SetGutterWidth(42);
    ed->SetGutterShowLines(true);
    const int narrow = ed->GutterWidthInUse();
    EXPECT_EQ(narrow, 42);
    AnsiString text;
    for (int n = 0; n < 400000; ++n)
        text += "x\r\n";
    ed->SetText(text);
    ed->SetTopLine(ed->Lines().Count() - 1);
    const int wide = ed->GutterWidthInUse();
    EXPECT_GT(wide, 42);
    EXPECT_EQ(ed->GutterWidth(), 42); // the setting stays as it was
    EXPECT_EQ(ed->CaretRect().left(), wide);

    // The last number's ink in the gutter is as wide as the number drawn alone.
    QFont digits = StyledFont(ed->Font, 0);
    digits.setPointSize(ed->GutterCharSize());
    auto inkWidth = [](const QImage& image, QRgb background) {
        int first = 0, last = 0;
        return InkColumns(image, background, first, last) ? last - first + 1 : 0;
    };
    const QImage shown = ed->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage cell = shown.copy(0, 0, wide - 2, ed->LineHeight());
    QImage alone(200, ed->LineHeight(), QImage::Format_RGB32);
    alone.fill(Qt::white);
    QPainter p(&alone);
    p.setFont(digits);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, 190, ed->LineHeight()), Qt::AlignRight | Qt::AlignVCenter, "400000");
    p.end();
    EXPECT_EQ(inkWidth(cell, ColorOf(ed->GutterColor()).rgb()), inkWidth(alone, qRgb(255, 255, 255)));
    // A click just right of the old width is in the gutter now.
    EXPECT_EQ(ed->MouseWhere(wide - 3, 2), mwGutter);

    ed->SetText("short\r\ntext");
    EXPECT_EQ(ed->GutterWidthInUse(), narrow);
    ed->SetText(text);
    ed->SetGutterShowLines(false);
    EXPECT_EQ(ed->GutterWidthInUse(), narrow);
}
