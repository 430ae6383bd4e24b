#include "ide/editor/SxEditor.h"

#include "ide/editor/CustomPainter.h"
#include "ide/editor/QtKeyMap.h"
#include "platform/AnsiText.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QToolTip>

#include <algorithm>
#include <cmath>

QColor ColorOf(TColor c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

namespace {

QFont MakeFont(const TFontInfo& info, TFontStyles style)
{
    QFont f(QString::fromLatin1(info.Name.c_str()));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSize(std::max(1, info.Size));
    f.setBold(style & FontStyle::Bold);
    f.setItalic(style & FontStyle::Italic);
    f.setUnderline(style & FontStyle::Underline);
    f.setStrikeOut(style & FontStyle::StrikeOut);
    return f;
}

QFont WithStyle(QFont f, int style)
{
    f.setBold(style & FontStyle::Bold);
    f.setItalic(style & FontStyle::Italic);
    f.setUnderline(style & FontStyle::Underline);
    f.setStrikeOut(style & FontStyle::StrikeOut);
    return f;
}

// The built-in bookmark images: a small numbered flag per bookmark.
QPixmap MakeBookmarkPixmap(int n)
{
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(0, 128, 255));
    p.drawRect(0, 0, 11, 11);
    QFont f;
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 12, 12), Qt::AlignCenter, QString::number(n));
    return pm;
}

} // namespace

void GetStrMaxSize(const QFont& font, const QString& s, int& height, int& width)
{
    // Widths are rounded up: a text given this many whole pixels holds all of
    // its glyphs, where the rounded advance (11 for 11.39) would cut them.
    height = 0;
    width = 0;
    for (int style = 0; style <= 15; ++style) {
        const QFont styled = WithStyle(font, style);
        height = std::max(height, QFontMetrics(styled).height());
        width = std::max(width, static_cast<int>(std::ceil(QFontMetricsF(styled).horizontalAdvance(s) - 0.01)));
    }
}

void GetCharMaxSize(const QFont& font, int& height, int& width)
{
    int h1 = 0, w1 = 0, h2 = 0, w2 = 0;
    GetStrMaxSize(font, QStringLiteral("W"), h1, w1);
    GetStrMaxSize(font, QStringLiteral("m"), h2, w2);
    int hg = 0, wg = 0;
    GetStrMaxSize(font, QStringLiteral("Wg"), hg, wg);
    height = std::max({ h1, h2, hg });
    width = std::max(w1, w2);
}

TsxEditor::TsxEditor(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Cursor);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::StyledPanel);
    for (int n = 0; n < 10; ++n)
        bookmarkPixmaps[n] = MakeBookmarkPixmap(n);
    caretTimer.setInterval(std::max(100, QApplication::cursorFlashTime() / 2));
    connect(&caretTimer, &QTimer::timeout, this, [this] {
        caretOn = !caretOn;
        viewport()->update(CaretRect());
    });
    ApplyScrollBarPolicy();
    FontChanged();
}

TsxEditor::~TsxEditor()
{
    if (hintShown) QToolTip::hideText();
}

// --- Fonts and metrics ---

const TFontInfo& TsxEditor::FontInUse() const
{
    return Painter() ? Painter()->Font() : controlFont;
}

void TsxEditor::SetFont(const TFontInfo& f)
{
    controlFont = f;
    Font = f;
    FontChanged();
}

void TsxEditor::SetGutterCharSize(int n)
{
    gutterCharSize = std::max(1, n);
    FontChanged();
}

void TsxEditor::FontChanged()
{
    measuredFont = FontInUse();
    baseFont = MakeFont(measuredFont, 0);
    digitsFont = baseFont;
    digitsFont.setPointSize(gutterCharSize);
    gutterDigitHeight = QFontMetrics(digitsFont).height();
    int height = 0, width = 0;
    GetCharMaxSize(baseFont, height, width);
    glyphs.SetFont(baseFont, width);
    // A line holds the whole ink of every glyph: where accents or descenders
    // reach past the font's own ascent or descent, the line grows by those
    // pixels, or the lines above and below would cut them off.
    int inkAbove = 0, inkBelow = 0;
    glyphs.InkExtent(inkAbove, inkBelow);
    const int ascent = QFontMetrics(baseFont).ascent();
    baseAscent = std::max(ascent, inkAbove);
    height = baseAscent + std::max(height - ascent, inkBelow);
    SetMetrics(height, width, VisibleLines(), VisibleColumns());
    FullUpdate();
}

void TsxEditor::CalcMetrix()
{
    const int lines = viewport()->height() / LineHeight();
    const int columns = (viewport()->width() - GutterWidthInUse()) / CharWidth();
    SetMetrics(LineHeight(), CharWidth(), lines, columns);
}

void TsxEditor::FullUpdate()
{
    if (inFullUpdate) return;
    inFullUpdate = true;
    // A painter that came, went or changed its font changes the metrics.
    if (!(FontInUse() == measuredFont)) {
        inFullUpdate = false;
        FontChanged();
        return;
    }
    UpdateGutterNumbersWidth();
    CalcMetrix();
    EditorCore::FullUpdate();
    inFullUpdate = false;
}

int TsxEditor::LineNumberWidth(int number) const
{
    return QFontMetrics(digitsFont).horizontalAdvance(QString::number(number));
}

void TsxEditor::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    FullUpdate();
}

// --- Repaint requests ---

QRect TsxEditor::LineRect(int n) const
{
    return QRect(0, (n - TopLine()) * LineHeight(), viewport()->width(), LineHeight());
}

void TsxEditor::RepaintAll()
{
    viewport()->update();
}

void TsxEditor::RepaintText(int a, int b, bool toBottom)
{
    if (a > b) std::swap(a, b);
    const int top = TopLine();
    const int bottom = top + VisibleLines();
    if (b < top || a > bottom) return;
    const int first = std::max(a, top);
    const int last = (toBottom || b > bottom) ? bottom : b;
    viewport()->update(QRect(0, (first - top) * LineHeight(), viewport()->width(), (last - first + 1) * LineHeight()));
}

void TsxEditor::RepaintTextLine(int n)
{
    viewport()->update(LineRect(n));
}

void TsxEditor::RepaintGutter(int a, int b)
{
    if (!Gutter()) return;
    if (a > b) std::swap(a, b);
    const int top = TopLine();
    const int first = std::max(a, top);
    const int last = std::min(b, top + VisibleLines());
    if (last < first) return;
    viewport()->update(QRect(0, (first - top) * LineHeight(), GutterWidthInUse(), (last - first + 1) * LineHeight()));
}

void TsxEditor::RepaintGutterLine(int n)
{
    RepaintGutter(n, n);
}

TScrollStyle TsxEditor::GetTrueScrollBars() const
{
    if (!ScrollBarsAuto) return scrollBars;
    const bool tall = Lines().Count() >= VisibleLines();
    const bool wide = Lines().LongestDisplayLength() >= VisibleColumns();
    return tall && wide ? TScrollStyle::ssBoth
        : tall          ? TScrollStyle::ssVertical
        : wide          ? TScrollStyle::ssHorizontal
                        : TScrollStyle::ssNone;
}

void TsxEditor::ApplyScrollBarPolicy()
{
    const TScrollStyle inUse = GetTrueScrollBars();
    const bool vertical = inUse == TScrollStyle::ssVertical || inUse == TScrollStyle::ssBoth;
    const bool horizontal = inUse == TScrollStyle::ssHorizontal || inUse == TScrollStyle::ssBoth;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TsxEditor::UpdateScrollBars()
{
    syncingScrollBars = true;
    ApplyScrollBarPolicy();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, Lines().Count() - 1));
    v->setPageStep(VisibleLines());
    v->setSingleStep(1);
    v->setValue(TopLine());
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, WordWrap() ? 0 : GetMaxRightChar());
    h->setPageStep(VisibleColumns());
    h->setSingleStep(1);
    h->setValue(LeftChar());
    syncingScrollBars = false;
}

void TsxEditor::scrollContentsBy(int, int)
{
    if (syncingScrollBars) return;
    SetTopLine(verticalScrollBar()->value());
    if (!WordWrap()) SetLeftChar(horizontalScrollBar()->value());
}

void TsxEditor::SetScrollBars(TScrollStyle style)
{
    scrollBars = style;
    UpdateScrollBars();
}

void TsxEditor::SetScrollBarsAuto(bool b)
{
    ScrollBarsAuto = b;
    FullUpdate();
}

void TsxEditor::SetBorderStyle(TBorderStyle style)
{
    borderStyle = style;
    setFrameShape(style == TBorderStyle::bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}

void TsxEditor::SetImages(const std::vector<QPixmap>* list)
{
    images = list;
    RepaintAll();
}

void TsxEditor::ScrolledBy(int lines, int columns)
{
    if (lines != 0) {
        if (std::abs(lines) >= VisibleLines())
            viewport()->update();
        else
            viewport()->scroll(0, -lines * LineHeight());
    }
    if (columns != 0) {
        const QRect textArea(GutterWidthInUse(), 0, viewport()->width() - GutterWidthInUse(), viewport()->height());
        if (std::abs(columns) >= VisibleColumns())
            viewport()->update(textArea);
        else
            viewport()->scroll(-columns * CharWidth(), 0, textArea);
    }
}

// --- Painting ---

TsxEditor::Highlight TsxEditor::LineHighlight(int n, const QColor& selFront, const QColor& selBack) const
{
    Highlight h;
    const TLineMarker* marker = nullptr;
    for (int i = 0; i < const_cast<TsxEditor*>(this)->LineMarkers().Count(); ++i) {
        const TLineMarker* m = const_cast<TsxEditor*>(this)->LineMarkers().GetMarker(i);
        if (m->line == n) {
            marker = m;
            break;
        }
    }
    if (marker) {
        h = { 1, Unbounded, true, ColorOf(marker->frontColour), ColorOf(marker->backColour) };
        return h;
    }
    if (!BlockNotEmpty() || (HideSelection && !hasFocus())) return h;
    TqzPoint b, e;
    GetNormalBlock(b, e);
    if (n < b.y || n > e.y) return h;
    h.front = selFront;
    h.back = selBack;
    const int length = n < Lines().Count() ? static_cast<int>(Lines()[n].size()) : 0;
    switch (SelTypeInUse()) {
    case stSimple:
    case stEOL:
        h.start = n == b.y ? b.x + 1 : 1;
        h.end = n == e.y ? std::min(e.x + 1, length + 1) : Unbounded;
        if (SelTypeInUse() == stEOL) h.end = std::min(h.end, length + 1);
        break;
    case stVertical:
        h.start = std::min(BlockBegin().x, BlockEnd().x) + 1;
        h.end = std::max(BlockBegin().x, BlockEnd().x) + 1;
        break;
    case stLine:
        h.start = 1;
        h.end = Unbounded;
        break;
    }
    h.any = h.end > h.start;
    return h;
}

void TsxEditor::PaintTextLine(QPainter& p, int n, int y)
{
    TsxCustomPainter* scheme = Painter();
    const QColor selFront = ColorOf(scheme ? scheme->GetColor(2) : SelFontColor);
    const QColor selBack = ColorOf(scheme ? scheme->GetColor(3) : SelColor);
    const QColor background = ColorOf(scheme ? scheme->GetColor(0) : Color);
    const TFontInfo& font = FontInUse();
    const int gutterX = GutterWidthInUse();
    const int cw = CharWidth();
    const int lh = LineHeight();
    const int width = viewport()->width();
    const int left = LeftChar();
    auto columnX = [&](int column) { return gutterX + (column - 1 - left) * cw; };

    if (n < 0 || n >= Lines().Count()) {
        p.fillRect(QRect(gutterX, y, width - gutterX, lh), background);
        return;
    }
    const Highlight h = LineHighlight(n, selFront, selBack);
    AnsiString line;
    if (scheme) {
        scheme->SetLineIndex(n);
        line = scheme->CurrentLineText();
    } else {
        line = Lines()[n];
    }
    const int length = static_cast<int>(line.size());
    const int lastVisible = left + VisibleColumns() + 1;

    // Backgrounds first, glyphs over them all: a glyph that leans or reaches
    // past its cell (italics, '_') keeps its ink where the next run begins.
    segments.clear();
    auto addSegment = [&](int from, int to, const QColor& front, const QColor& back, TFontStyles style) {
        // Columns from..to-1 (1-based), cut to the visible window.
        from = std::max(from, left + 1);
        to = std::min(to, lastVisible + 1);
        if (to <= from) return;
        p.fillRect(QRect(columnX(from), y, (to - from) * cw, lh), back);
        segments.push_back({ from, to, front, style });
    };

    TsxPaintAttr attr;
    int column = 1;
    while (column <= length) {
        attr.Style = font.Style;
        attr.ColorFront = font.Color;
        attr.ColorBack = scheme ? scheme->GetColor(0) : Color;
        int last = scheme ? scheme->Paintline(column, attr) : length;
        last = std::clamp(last, column, length);
        const int end = last + 1;
        if (column <= lastVisible && end > left + 1) {
            const QColor front = ColorOf(attr.ColorFront);
            const QColor back = ColorOf(attr.ColorBack);
            if (!h.any || end <= h.start || column >= h.end) {
                addSegment(column, end, front, back, attr.Style);
            } else {
                addSegment(column, std::max(column, h.start), front, back, attr.Style);
                addSegment(std::max(column, h.start), std::min(end, h.end), h.front, h.back, attr.Style);
                addSegment(std::min(end, h.end), end, front, back, attr.Style);
            }
        }
        column = end;
    }
    // Right of the text.
    const QColor afterEnd = ColorOf(scheme ? scheme->GetColorAfterLineEnd() : Color);
    const int textEnd = std::max(columnX(length + 1), gutterX);
    p.fillRect(QRect(textEnd, y, width - textEnd, lh), afterEnd);
    if (h.any && h.end > length + 1 && SelTypeInUse() != stEOL) {
        const int from = std::max(h.start, length + 1);
        const int x0 = std::max(columnX(from), gutterX);
        const int x1 = h.end >= Unbounded ? width : std::max(columnX(h.end), gutterX);
        if (x1 > x0) p.fillRect(QRect(x0, y, x1 - x0, lh), h.back);
    }
    for (const TextSegment& segment : segments)
        glyphs.Draw(p, columnX(segment.from), y + baseAscent, line.data() + segment.from - 1, segment.to - segment.from,
            segment.style, segment.front);
}

void TsxEditor::PaintGutterLine(QPainter& p, int n, int y)
{
    if (!Gutter()) return;
    const int w = GutterWidthInUse();
    const int lh = LineHeight();
    const QColor colour = ColorOf(Painter() ? Painter()->GetColor(1) : GutterColor());
    p.fillRect(QRect(0, y, w, lh), colour);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(w - 2, y, w - 2, y + lh - 1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(w - 1, y, w - 1, y + lh - 1);
    bool imageDrawn = false;
    const int mark = BookmarkOnLine(n);
    if (mark >= 0 && n < std::max(1, Lines().Count())) {
        const QPoint at(w / 2 - 6, y + 2);
        const int index = ImageBookmarksBase + mark;
        if (images && ImageBookmarksBase >= 0 && index < static_cast<int>(images->size()))
            p.drawPixmap(QRect(at, QSize(12, 12)), (*images)[static_cast<size_t>(index)]);
        else
            p.drawPixmap(at, bookmarkPixmaps[mark]);
        imageDrawn = true;
    }
    const int markerIndex = LineMarkers().IndexOfMarkerByLine(n);
    if (images && markerIndex >= 0) {
        const int image = LineMarkers().GetMarker(markerIndex)->imageIndex;
        if (image >= 0 && image < static_cast<int>(images->size())) {
            p.drawPixmap(QRect(0, y + 2, 16, 16), (*images)[static_cast<size_t>(image)]);
            imageDrawn = true;
        }
    }
    if (!imageDrawn && GutterShowLines() && n < Lines().Count()) {
        p.setFont(digitsFont);
        p.setPen(Qt::black);
        const int top = gutterDigitHeight < lh ? y + (lh - gutterDigitHeight) / 2 : y;
        p.drawText(QRect(0, top, w - 4, gutterDigitHeight), Qt::AlignRight | Qt::AlignVCenter,
            QString::number(n + GutterLinesOffset()));
    }
}

QRect TsxEditor::CaretRect() const
{
    const int x = (CaretX() - LeftChar()) * CharWidth() + GutterWidthInUse();
    const int y = (CaretY() - TopLine()) * LineHeight();
    const int w = InsertMode() ? 2 : CharWidth();
    return QRect(x, y + 1, w, std::max(1, LineHeight() - 2));
}

void TsxEditor::PaintCaret(QPainter& p)
{
    if (!hasFocus() || !caretOn) return;
    const QRect r = CaretRect();
    if (r.left() < GutterWidthInUse()) return;
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(r, Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TsxEditor::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    const QRect area = e->rect();
    const int lh = LineHeight();
    const int firstRow = std::max(0, area.top() / lh);
    const int lastRow = area.bottom() / lh;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int n = TopLine() + row;
        const int y = row * lh;
        PaintTextLine(p, n, y);
        PaintGutterLine(p, n, y);
    }
    PaintCaret(p);
}

// --- Caret ---

void TsxEditor::CaretMoved()
{
    viewport()->update(lastCaretRect);
    lastCaretRect = CaretRect();
    caretOn = true;
    if (hasFocus()) caretTimer.start();
    viewport()->update(lastCaretRect);
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TsxEditor::InsertModeChanged()
{
    CaretMoved();
}

void TsxEditor::FocusTaken()
{
    setFocus(Qt::MouseFocusReason);
}

bool TsxEditor::HasFocus() const
{
    return hasFocus();
}

void TsxEditor::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    caretOn = true;
    caretTimer.start();
    if (HideSelection && BlockNotEmpty()) RepaintAll();
    viewport()->update(CaretRect());
}

void TsxEditor::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    caretTimer.stop();
    if (HideSelection && BlockNotEmpty()) RepaintAll();
    viewport()->update(CaretRect());
}

// --- Keys ---

bool TsxEditor::event(QEvent* e)
{
    // Tab reaches the editor unless its behaviour lets focus move on; with a
    // modifier it always passes to the form.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab && k->modifiers() == Qt::NoModifier && TabBehavior != tbExit) {
            keyPressEvent(k);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TsxEditor::keyPressEvent(QKeyEvent* e)
{
    const int shift = ShiftStateOf(e->modifiers());
    BeginKeyStroke(shift);
    int key = VirtualKeyOf(e->key());
    if (key == 0 && (shift & ShiftState::Ctrl)) {
        const int digit = DigitOfShiftedKey(e->key());
        if (digit >= 0) key = Vk::Digit0 + digit;
    }
    if (key == Vk::Tab && (shift != 0 || TabBehavior == tbExit)) {
        e->ignore();
        return;
    }
    bool handled = false;
    if (key != 0) {
        int k = key;
        handled = KeyPreview(k, shift);
        if (!handled) KeyDown(k, shift);
        if (EditActionHandled()) {
            e->accept();
            return;
        }
    }
    if (handled) {
        e->accept();
        return;
    }
    // Backspace and Enter arrive as their characters; with Ctrl held they are
    // the control characters DEL and LF, which the text does not take.
    if (key == Vk::Back) {
        KeyPress((shift & ShiftState::Ctrl) ? '\x7f' : '\b');
    } else if (key == Vk::Return) {
        KeyPress((shift & ShiftState::Ctrl) ? '\n' : '\r');
    } else if (!(shift & (ShiftState::Ctrl | ShiftState::Alt))) {
        const QString typed = e->text();
        for (char32_t c : typed.toUcs4()) {
            char byte = 0;
            if (c >= 32 && c != 127 && platform::characterToByte(c, byte)) KeyPress(byte);
        }
    }
    e->accept();
}

void TsxEditor::keyReleaseEvent(QKeyEvent* e)
{
    KeyUp(VirtualKeyOf(e->key()), ShiftStateOf(e->modifiers()));
    e->accept();
}

void TsxEditor::inputMethodEvent(QInputMethodEvent* e)
{
    const QString committed = e->commitString();
    if (!committed.isEmpty()) BeginKeyStroke(0);
    for (char32_t c : committed.toUcs4()) {
        char byte = 0;
        if (c >= 32 && c != 127 && platform::characterToByte(c, byte)) KeyPress(byte);
    }
    e->accept();
}

QVariant TsxEditor::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return !ReadOnly();
    case Qt::ImCursorRectangle:
        return QRectF(CaretRect().translated(viewport()->pos()));
    case Qt::ImFont:
        return baseFont;
    case Qt::ImCursorPosition:
        return CaretX();
    case Qt::ImSurroundingText:
        return CaretY() < Lines().Count() ? platform::toQString(Lines()[CaretY()]) : QString();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// --- Mouse ---

namespace {

MouseButton ButtonOf(Qt::MouseButton b)
{
    return b == Qt::RightButton ? MouseButton::Right : b == Qt::MiddleButton ? MouseButton::Middle : MouseButton::Left;
}

} // namespace

void TsxEditor::UpdateCursorShape(int px, int py)
{
    if (Dragging()) {
        viewport()->setCursor(DragCursor);
        return;
    }
    switch (MouseWhere(px, py)) {
    case mwGutter:
        viewport()->setCursor(GutterCursor);
        break;
    case mwSelected:
        viewport()->setCursor(SelCursor);
        break;
    default:
        viewport()->setCursor(Cursor);
        break;
    }
}

void TsxEditor::mousePressEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    pressPoint = pos;
    pressed = true;
    MouseDown(ButtonOf(e->button()), ShiftStateOf(e->modifiers()), pos.x(), pos.y());
    UpdateCursorShape(pos.x(), pos.y());
    e->accept();
}

void TsxEditor::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    MouseMove(ShiftStateOf(e->modifiers()), pos.x(), pos.y(), e->buttons() & Qt::LeftButton);
    UpdateCursorShape(pos.x(), pos.y());
    e->accept();
}

void TsxEditor::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    MouseUp(ButtonOf(e->button()), ShiftStateOf(e->modifiers()), pos.x(), pos.y());
    if (pressed && (pos - pressPoint).manhattanLength() < QApplication::startDragDistance())
        MouseClick(pos.x(), pos.y());
    pressed = false;
    UpdateCursorShape(pos.x(), pos.y());
    e->accept();
}

void TsxEditor::mouseDoubleClickEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    pressed = false;
    MouseDblClick(pos.x(), pos.y());
    e->accept();
}

void TsxEditor::wheelEvent(QWheelEvent* e)
{
    MouseWheel(e->angleDelta().y());
    e->accept();
}

void TsxEditor::contextMenuEvent(QContextMenuEvent* e)
{
    if (!popupMenu) {
        e->ignore();
        return;
    }
    QPoint at = e->pos();
    if (e->reason() == QContextMenuEvent::Keyboard) {
        const QRect caret = CaretRect();
        at = viewport()->mapTo(this, QPoint(caret.left(), caret.top() + LineHeight()));
    }
    popupMenu->popup(mapToGlobal(at));
    e->accept();
}

void TsxEditor::ShowHint(const AnsiString& hint, int x, int y)
{
    QToolTip::showText(viewport()->mapToGlobal(QPoint(x, y)), platform::toQString(hint), this);
    hintShown = true;
}

void TsxEditor::HideHint()
{
    if (hintShown) QToolTip::hideText();
    hintShown = false;
}

// --- Clipboard: CR LF inside, LF for the other programs of the desktop ---

bool TsxEditor::ClipboardHasText() const
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && mime->hasText();
}

AnsiString TsxEditor::ClipboardText() const
{
    QString s = QGuiApplication::clipboard()->text();
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return platform::fromQString(s);
}

void TsxEditor::SetClipboardText(const AnsiString& s)
{
    QString t = platform::toQString(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QGuiApplication::clipboard()->setText(t);
}
