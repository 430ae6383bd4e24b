#include "ide/editor/EditorCore.h"

#include "ide/editor/CustomPainter.h"

#include <algorithm>

EditorCore::EditorCore()
    : undo(*this)
    , markers(*this)
{
    bookmarks.fill(TqzPoint { -1, -1 });
    ownText.SetKeepTrailingSpaces(trailingSpace);
    ownText.AddNotify({ &EditorCore::TextChanged, this });
}

EditorCore::~EditorCore()
{
    if (painter) {
        painter->DelNotify({ &EditorCore::PainterChanged, this });
        painter->DelFreeNotify({ &EditorCore::PainterFreed, this });
        if (painter->Lines() == text) painter->SetLines(nullptr);
    }
    text->DelNotify({ &EditorCore::TextChanged, this });
}

// --- Text ---

const AnsiString& EditorCore::LineOrEmpty(int y) const
{
    static const AnsiString empty;
    return (y >= 0 && y < text->Count()) ? (*text)[y] : empty;
}

int EditorCore::LineLength(int y) const
{
    return static_cast<int>(LineOrEmpty(y).size());
}

void EditorCore::SetLines(const TqzText& source)
{
    text->Assign(source);
    text->SetModified(false);
    RepaintAll();
}

void EditorCore::SetText(const AnsiString& s)
{
    text->SetText(s);
    RepaintAll();
}

void EditorCore::Clear()
{
    text->Clear();
    blockBegin = blockEnd = TqzPoint {};
    UpdateCaret(0, 0, false, true);
    RepaintAll();
}

void EditorCore::SetDirectText(TqzText* other)
{
    TqzText* next = other ? other : &ownText;
    if (next == text) return;
    text->DelNotify({ &EditorCore::TextChanged, this });
    text = next;
    text->SetKeepTrailingSpaces(trailingSpace);
    text->AddNotify({ &EditorCore::TextChanged, this });
    if (painter) {
        painter->SetLines(text);
        painter->InvalidateTokenLines(-1);
    }
    blockBegin = blockEnd = TqzPoint {};
    UpdateCaret(0, 0, false, true);
    FullUpdate();
}

void EditorCore::TextChanged(void* self, void* /*sender*/)
{
    static_cast<EditorCore*>(self)->OnTextChanged();
}

void EditorCore::OnTextChanged()
{
    const int first = std::max(0, text->UpdateFirst());
    if (text->ContentChanged() && painter) painter->InvalidateTokenLines(first);
    RepaintText(first, std::max(first, text->UpdateLast()), true);
    if (gutterShowLines) RepaintGutter(first, topLine + visibleLines);
    if (text->Loaded()) {
        blockBegin = blockEnd = TqzPoint {};
        UpdateCaret(0, 0, false, true);
    }
    // A line count that gains or loses a digit widens or narrows the gutter,
    // which moves every column.
    if (UpdateGutterNumbersWidth()) FullUpdate();
    // The scroll ranges follow the line count whatever the bar settings.
    UpdateScrollBars();
    if (text->ContentChanged()) {
        textChangedSinceCaret = true;
        if (OnChange) OnChange(this);
    }
}

// --- Painter ---

void EditorCore::SetPainter(TsxCustomPainter* p)
{
    if (painter == p) return;
    if (painter) {
        painter->DelNotify({ &EditorCore::PainterChanged, this });
        painter->DelFreeNotify({ &EditorCore::PainterFreed, this });
        if (painter->Lines() == text) painter->SetLines(nullptr);
    }
    painter = p;
    if (painter) {
        painter->AddNotify({ &EditorCore::PainterChanged, this });
        painter->AddFreeNotify({ &EditorCore::PainterFreed, this });
        painter->SetLines(text);
        painter->SetTabWidth(tabScale);
        painter->InvalidateTokenLines(-1);
    }
    FullUpdate();
}

void EditorCore::PainterDestroyed(TsxCustomPainter* p)
{
    if (p == painter) {
        painter = nullptr;
        FullUpdate();
    }
}

void EditorCore::PainterChanged(void* self, void* /*sender*/)
{
    auto* editor = static_cast<EditorCore*>(self);
    // Tokens may have changed: the open-token states are found again as lines are painted.
    if (editor->painter) editor->painter->InvalidateTokenLines(-1);
    editor->FullUpdate();
}

void EditorCore::PainterFreed(void* self, void* sender)
{
    static_cast<EditorCore*>(self)->PainterDestroyed(static_cast<TsxCustomPainter*>(sender));
}

void EditorCore::FullUpdate()
{
    text->SetMaxWidth(wordWrap ? std::max(1, visibleColumns) : -1);
    UpdateScrollBars();
    RepaintAll();
}

bool EditorCore::UpdateGutterNumbersWidth()
{
    const int before = GutterWidthInUse();
    gutterNumbersWidth = 0;
    if (gutterShowLines) {
        const int first = gutterLinesOffset;
        const int last = std::max(1, text->Count()) - 1 + gutterLinesOffset;
        // Digits right-aligned 4 pixels before the edge, 2 pixels clear of the gutter's left side.
        const int widest = std::max(LineNumberWidth(first), LineNumberWidth(last));
        if (widest > 0) gutterNumbersWidth = widest + 6;
    }
    return GutterWidthInUse() != before;
}

void EditorCore::SetMetrics(int newLineHeight, int newCharWidth, int newVisibleLines, int newVisibleColumns)
{
    lineHeight = std::max(1, newLineHeight);
    charWidth = std::max(1, newCharWidth);
    visibleLines = std::max(1, newVisibleLines);
    visibleColumns = std::max(1, newVisibleColumns);
}

// --- Caret and block ---

void EditorCore::UpdateCaret(int x, int y, bool fromWrap, bool scroll)
{
    x = std::max(0, x);
    const int count = text->Count();
    if (wordWrap) {
        leftChar = 0;
        y = std::clamp(y, 0, std::max(0, count));
        if (fromWrap) {
            // Carry the column over the display lines that follow; past the
            // text every line counts as a window wide.
            auto widthOf = [&](int line) { return line < count ? LineLength(line) : visibleColumns; };
            while (x > widthOf(y)) {
                x -= widthOf(y) + 1;
                ++y;
            }
        }
        y = std::clamp(y, 0, std::max(0, count));
        x = std::min(x, y < count ? LineLength(y) : 0);
    } else {
        y = std::clamp(y, 0, std::max(0, count - 1));
    }
    if (scroll) {
        if (x < leftChar)
            SetLeftChar(x);
        else if (x >= leftChar + visibleColumns)
            SetLeftChar(x - visibleColumns + 1);
        if (y < topLine)
            SetTopLine(y);
        else if (y >= topLine + visibleLines)
            SetTopLine(y - visibleLines + 1);
    }
    caretX = x;
    caretY = y;
    textChangedSinceCaret = false;
    CaretMoved();
    if (OnCaretXY) OnCaretXY(this, x, y, y);
}

void EditorCore::SetCaretX(int x)
{
    SetBlockBegin({ x, caretY });
}
void EditorCore::SetCaretY(int y)
{
    SetBlockBegin({ caretX, y });
}

void EditorCore::SetBlockBegin(TqzPoint p)
{
    p.x = std::max(0, p.x);
    p.y = std::clamp(p.y, 0, std::max(0, text->Count() - 1));
    if (BlockNotEmpty()) {
        TqzPoint b, e;
        GetNormalBlock(b, e);
        RepaintText(b.y, e.y, false);
    }
    blockBegin = blockEnd = p;
    selTypeInUse = SelType;
    UpdateCaret(p.x, p.y, false, true);
}

void EditorCore::SetBlockEnd(TqzPoint p)
{
    p.x = std::max(0, p.x);
    p.y = std::clamp(p.y, 0, std::max(0, text->Count() - 1));
    UpdateCaret(p.x, p.y, false, true);
    TqzPoint old = blockEnd;
    blockEnd = p;
    if (selTypeInUse == stVertical && old.x != p.x) old = blockBegin;
    RepaintText(old.y, p.y, false);
}

void EditorCore::RestoreBlock(TqzPoint begin, TqzPoint end, bool columnMode)
{
    blockBegin = begin;
    blockEnd = end;
    selTypeInUse = columnMode ? stVertical : stSimple;
    RepaintAll();
}

void EditorCore::GetNormalBlock(TqzPoint& begin, TqzPoint& end) const
{
    begin = blockBegin;
    end = blockEnd;
    if (end.y < begin.y || (end.y == begin.y && end.x < begin.x)) std::swap(begin, end);
}

// --- Scrolling ---

void EditorCore::SetTopLine(int n)
{
    const int count = text->Count();
    if (n >= count) n = count - 1;
    n = std::max(0, n);
    if (n == topLine) return;
    const int delta = n - topLine;
    topLine = n;
    ScrolledBy(delta, 0);
    UpdateScrollBars();
    CaretMoved();
}

void EditorCore::SetLeftChar(int n)
{
    n = std::max(0, n);
    if (wordWrap) n = 0;
    if (n == leftChar) return;
    const int delta = n - leftChar;
    leftChar = n;
    ScrolledBy(0, delta);
    UpdateScrollBars();
    CaretMoved();
}

int EditorCore::GetMaxRightChar() const
{
    const int longest = text->LongestDisplayLength() + 1;
    return longest > 1024 ? longest : 1024;
}

void EditorCore::MouseWheel(int delta)
{
    const int16_t wheel = static_cast<int16_t>(delta);
    const int step = 120 / (static_cast<int>(MouseWheelSpeed) + 1);
    SetTopLine(topLine - wheel / step);
}

// --- Properties ---

void EditorCore::SetInsertMode(bool b)
{
    insertMode = b;
    InsertModeChanged();
    if (OnIsertChange) OnIsertChange(this);
}

void EditorCore::SetReadOnly(bool b)
{
    readOnly = b;
    if (OnIsertChange) OnIsertChange(this);
}

void EditorCore::SetWordWrap(bool b)
{
    wordWrap = b;
    leftChar = 0;
    FullUpdate();
}

void EditorCore::SetTrailingSpace(bool b)
{
    trailingSpace = b;
    text->SetKeepTrailingSpaces(b);
    FullUpdate();
}

void EditorCore::SetTabScale(int n)
{
    tabScale = std::max(1, n);
    if (painter) painter->SetTabWidth(tabScale);
    FullUpdate();
}

void EditorCore::SetGutter(bool b)
{
    gutter = b;
    FullUpdate();
}

void EditorCore::SetGutterWidth(int n)
{
    gutterWidth = std::max(0, n);
    if (gutter) FullUpdate();
}

void EditorCore::SetGutterShowLines(bool b)
{
    gutterShowLines = b;
    if (UpdateGutterNumbersWidth())
        FullUpdate();
    else
        RepaintGutter(topLine, topLine + visibleLines);
}

void EditorCore::SetGutterLinesOffset(int n)
{
    gutterLinesOffset = n;
    if (UpdateGutterNumbersWidth())
        FullUpdate();
    else
        RepaintGutter(topLine, topLine + visibleLines);
}

void EditorCore::SetGutterColor(TColor c)
{
    gutterColor = c;
    RepaintGutter(topLine, topLine + visibleLines);
}

// --- Bookmarks ---

void EditorCore::BookmarkSet(int n, int x, int y, bool clear)
{
    if (n < 0 || n > 9) return;
    const int oldLine = bookmarks[static_cast<size_t>(n)].y;
    bookmarks[static_cast<size_t>(n)] = clear ? TqzPoint { -1, -1 } : TqzPoint { x, y };
    if (oldLine >= 0) RepaintGutterLine(oldLine);
    if (!clear) RepaintGutterLine(y);
}

void EditorCore::BookmarkToggle(int n)
{
    if (n < 0 || n > 9) return;
    TqzPoint& mark = bookmarks[static_cast<size_t>(n)];
    if (mark.y == caretY) {
        mark = { -1, -1 };
    } else {
        int oldLine = mark.y;
        mark = { caretX, caretY };
        if (oldLine >= 0) RepaintGutterLine(oldLine);
    }
    RepaintGutterLine(caretY);
}

TqzPoint EditorCore::Bookmark(int n) const
{
    return (n >= 0 && n <= 9) ? bookmarks[static_cast<size_t>(n)] : TqzPoint { -1, -1 };
}

int EditorCore::BookmarkOnLine(int line) const
{
    for (int n = 0; n < 10; ++n)
        if (bookmarks[static_cast<size_t>(n)].y == line) return n;
    return -1;
}
