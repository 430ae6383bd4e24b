#pragma once

#include "ide/editor/CellGlyphs.h"
#include "ide/editor/EditorCore.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPixmap>
#include <QTimer>

#include <vector>

class QMenu;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TBorderStyle { bsNone, bsSingle };

// The code editor control: a fixed-pitch view over an EditorCore that paints
// only the lines it shows, draws its own caret, takes Tab and composed
// characters, and turns keys and mouse into the model's edits.
class TsxEditor : public QAbstractScrollArea, public EditorCore {
public:
    explicit TsxEditor(QWidget* parent = nullptr);
    ~TsxEditor() override;

    // The font of the control, used when no painter is attached.
    void SetFont(const TFontInfo& f);
    void SetBorderStyle(TBorderStyle style);
    TBorderStyle BorderStyle() const { return borderStyle; }
    void SetScrollBars(TScrollStyle style);
    TScrollStyle ScrollBars() const { return scrollBars; }
    void SetScrollBarsAuto(bool b);
    // The bars in use: ScrollBars, or with ScrollBarsAuto those the text needs.
    TScrollStyle GetTrueScrollBars() const;
    int GutterCharSize() const { return gutterCharSize; }
    void SetGutterCharSize(int n);
    // Images for bookmarks (from ImageBookmarksBase) and line markers.
    void SetImages(const std::vector<QPixmap>* images);
    void SetPopupMenu(QMenu* menu) { popupMenu = menu; }

    Qt::CursorShape Cursor = Qt::IBeamCursor;
    Qt::CursorShape GutterCursor = Qt::ArrowCursor;
    Qt::CursorShape SelCursor = Qt::ArrowCursor;
    Qt::CursorShape DragCursor = Qt::DragMoveCursor;

    // Re-measures the font and rebuilds the view (the font-changed message).
    void FontChanged();
    void CalcMetrix();

    void RepaintAll() override;
    void RepaintText(int a, int b, bool toBottom) override;
    void RepaintTextLine(int n) override;
    void RepaintGutter(int a, int b) override;
    void RepaintGutterLine(int n) override;
    void UpdateScrollBars() override;
    void FullUpdate() override;

    QRect CaretRect() const;
    // How far below a line's top its text stands on the baseline.
    int BaselineOffset() const { return baseAscent; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

    void CaretMoved() override;
    void ScrolledBy(int lines, int columns) override;
    void InsertModeChanged() override;
    void FocusTaken() override;
    bool HasFocus() const override;
    void ShowHint(const AnsiString& hint, int x, int y) override;
    int LineNumberWidth(int number) const override;
    void HideHint() override;
    bool ClipboardHasText() const override;
    AnsiString ClipboardText() const override;
    void SetClipboardText(const AnsiString& s) override;

private:
    struct Highlight {
        int start = 0; // 1-based, inclusive
        int end = 0; // exclusive; Unbounded reaches the right edge
        bool any = false;
        QColor front;
        QColor back;
    };
    static constexpr int Unbounded = 1 << 28;

    Highlight LineHighlight(int n, const QColor& selFront, const QColor& selBack) const;
    void PaintTextLine(QPainter& p, int n, int y);
    void PaintGutterLine(QPainter& p, int n, int y);
    void PaintCaret(QPainter& p);
    const TFontInfo& FontInUse() const;
    QRect LineRect(int n) const;
    void UpdateCursorShape(int px, int py);
    void ApplyScrollBarPolicy();

    // The visible pieces of the line being painted, drawn once every
    // background of the line is down.
    struct TextSegment {
        int from;
        int to;
        QColor front;
        TFontStyles style;
    };
    std::vector<TextSegment> segments;
    CellGlyphs glyphs;
    int baseAscent = 0;
    TFontInfo controlFont;
    TFontInfo measuredFont;
    QFont baseFont;
    // The line numbers' font: the text's face, plain, at GutterCharSize.
    QFont digitsFont;
    int gutterCharSize = 8;
    int gutterDigitHeight = 0;
    TBorderStyle borderStyle = TBorderStyle::bsSingle;
    TScrollStyle scrollBars = TScrollStyle::ssBoth;
    const std::vector<QPixmap>* images = nullptr;
    QMenu* popupMenu = nullptr;
    QPixmap bookmarkPixmaps[10];
    QTimer caretTimer;
    bool caretOn = true;
    QRect lastCaretRect;
    bool inFullUpdate = false;
    bool syncingScrollBars = false;
    bool hintShown = false;
    QPoint pressPoint;
    bool pressed = false;
};

// The largest text height ("Wg") and width ("W" and "m") of a font over all
// its bold, italic, underline and strike-out combinations; widths are rounded
// up to whole pixels, the width a column needs to hold its glyph.
void GetCharMaxSize(const QFont& font, int& height, int& width);
// The same for one text.
void GetStrMaxSize(const QFont& font, const QString& s, int& height, int& width);
// A Windows colour value (red in the low byte) as a Qt colour.
QColor ColorOf(TColor c);
