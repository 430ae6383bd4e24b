#include "ide/editor/BasicScheme.h"
#include "ide/editor/SchemePainter.h"
#include "ide/editor/SxEditor.h"
#include "platform/AnsiText.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

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
