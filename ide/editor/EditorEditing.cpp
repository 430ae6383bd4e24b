#include "ide/editor/EditorCore.h"

#include "ide/editor/TextHelpers.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

std::vector<AnsiString> SplitPieces(const AnsiString& s)
{
    std::vector<AnsiString> pieces(1);
    for (size_t k = 0; k < s.size(); ++k) {
        char c = s[k];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && k + 1 < s.size() && s[k + 1] == '\n') ++k;
            pieces.emplace_back();
        } else {
            pieces.back().push_back(c);
        }
    }
    return pieces;
}

bool After(TqzPoint a, TqzPoint b)
{
    return a.y > b.y || (a.y == b.y && a.x >= b.x);
}

// A position that re-wrapping does not move: the logical line and the column in it. Lines past the text count
// on from its last logical line. Without wrap, display lines are the logical lines.
struct LogicalPoint {
    int line = 0;
    int column = 0;
};

LogicalPoint ToLogical(const TqzText& t, TqzPoint p)
{
    if (t.Count() == 0 || t.MaxWidth() < 0) return { p.y, p.x };
    int line = 0;
    int offset = 0; // where display line k starts in its logical line
    const int last = std::min(p.y, t.Count() - 1);
    for (int k = 1; k <= last; ++k) {
        if (t.GetTrueLineIndex(k) != t.GetTrueLineIndex(k - 1)) {
            ++line;
            offset = 0;
        } else {
            offset += t.IndexItem(k - 1).DisplayLength;
        }
    }
    if (p.y >= t.Count()) return { line + 1 + (p.y - t.Count()), p.x };
    return { line, offset + p.x };
}

TqzPoint FromLogical(const TqzText& t, LogicalPoint at)
{
    if (t.Count() == 0 || t.MaxWidth() < 0) return { at.column, at.line };
    int line = 0;
    for (int k = 0; k < t.Count(); ++k) {
        if (k > 0 && t.GetTrueLineIndex(k) != t.GetTrueLineIndex(k - 1)) ++line;
        if (line < at.line) continue;
        // A column at a piece's end stays on that piece, as the caret does.
        int column = at.column;
        while (column > t.IndexItem(k).DisplayLength && k + 1 < t.Count()
            && t.GetTrueLineIndex(k + 1) == t.GetTrueLineIndex(k)) {
            column -= t.IndexItem(k).DisplayLength;
            ++k;
        }
        return { column, k };
    }
    return { at.column, t.Count() + at.line - line - 1 };
}

} // namespace

// Runs an edit inside one text update and one undo block, so that it is
// announced once and undone in one step. With word wrap on, editing one display
// line re-wraps the rest of its logical line, so line-by-line records could not
// restore it: the outermost scope then records the whole logical lines around
// the edit as one text replacement instead.
class EditorCore::EditScope {
public:
    EditScope(EditorCore& editor, int firstLine, int lastLine)
        : ed(editor)
    {
        ed.text->BeginUpdate();
        const bool outermost = ed.undo.BlockDepth() == 0;
        ed.undo.BeginUndoBlock();
        if (outermost && ed.wordWrap) {
            if (ed.text->Count() == 0) {
                // An empty text has no line to take a snapshot of: the line every edit starts from is recorded
                // as inserted first, so that undoing the snapshot and then it leaves the text empty again.
                ed.undo.AddUndoInsString(0);
                ed.text->Add("");
            }
            Snapshot(firstLine, lastLine);
        }
    }
    ~EditScope()
    {
        if (snapshot) {
            TqzText& t = *ed.text;
            int end = t.Count() - 1 - linesAfter;
            if (end >= first) {
                // Wrap the edited lines afresh, so that the display lines always
                // follow from the logical text alone and recorded positions stay
                // valid when later edits are undone. Caret and block keep their
                // place in the logical text.
                const LogicalPoint caret = ToLogical(*ed.text, { ed.caretX, ed.caretY });
                const LogicalPoint begin = ToLogical(*ed.text, ed.blockBegin);
                const LogicalPoint finish = ToLogical(*ed.text, ed.blockEnd);
                t.ReplaceSelBlockXY(LogicalText(first, end), { 0, first }, { t.IndexItem(end).DisplayLength, end });
                end = t.Count() - 1 - linesAfter;
                ed.blockBegin = FromLogical(*ed.text, begin);
                ed.blockEnd = FromLogical(*ed.text, finish);
                const TqzPoint at = FromLogical(*ed.text, caret);
                ed.UpdateCaret(at.x, at.y, false, true);
            }
            ed.undo.SetSnapshotting(false);
            snapshot->length = end >= first ? t.PointToIndex({ t.IndexItem(end).DisplayLength, end }) - start : 0;
        }
        ed.undo.EndUndoBlock();
        ed.text->EndUpdate();
    }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

private:
    void Snapshot(int firstLine, int lastLine)
    {
        const TqzText& t = *ed.text;
        first = std::clamp(firstLine - 1, 0, t.Count() - 1);
        while (first > 0 && t.GetTrueLineIndex(first - 1) == t.GetTrueLineIndex(first))
            --first;
        int last = std::clamp(lastLine + 1, first, t.Count() - 1);
        last = std::max(last, t.GetNextTrueLineIndex(last) - 1);
        start = t.PointToIndex({ 0, first });
        linesAfter = t.Count() - 1 - last;
        snapshot = ed.undo.AddUndoText(start, 0, LogicalText(first, last));
        if (snapshot) ed.undo.SetSnapshotting(true);
    }

    // Display lines first..last joined into their logical lines.
    AnsiString LogicalText(int firstLine, int lastLine) const
    {
        const TqzText& t = *ed.text;
        AnsiString logical;
        for (int k = firstLine; k <= lastLine; ++k) {
            if (k > firstLine && t.GetTrueLineIndex(k) != t.GetTrueLineIndex(k - 1)) logical += "\r\n";
            logical += t[k];
        }
        return logical;
    }

    EditorCore& ed;
    TUndoItem* snapshot = nullptr;
    int first = 0;
    int start = 0;
    int linesAfter = 0;
};

int EditorCore::EditFirstLine() const
{
    return std::min({ caretY, blockBegin.y, blockEnd.y });
}

int EditorCore::EditLastLine() const
{
    return std::max({ caretY, blockBegin.y, blockEnd.y });
}

// --- Selection as text ---

int EditorCore::SelStart() const
{
    TqzPoint b, e;
    GetNormalBlock(b, e);
    if (selTypeInUse == stLine) b.x = 0;
    return text->PointToIndex(b);
}

void EditorCore::SetSelStart(int n)
{
    SetBlockBegin(text->IndexToPoint(n));
}

int EditorCore::SelLength() const
{
    TqzPoint b, e;
    GetNormalBlock(b, e);
    if (selTypeInUse == stLine) {
        if (!BlockNotEmpty()) return 0;
        return text->PointToIndex({ LineLength(e.y), e.y }) - text->PointToIndex({ 0, b.y });
    }
    return text->PointToIndex(e) - text->PointToIndex(b);
}

void EditorCore::SetSelLength(int n)
{
    SetBlockEnd(text->IndexToPoint(SelStart() + std::max(0, n)));
}

AnsiString EditorCore::SelText() const
{
    TqzPoint b, e;
    GetNormalBlock(b, e);
    AnsiString r;
    if (selTypeInUse == stVertical) {
        const int left = std::min(blockBegin.x, blockEnd.x);
        const int right = std::max(blockBegin.x, blockEnd.x);
        for (int y = b.y; y <= e.y && y < text->Count(); ++y) {
            if (y > b.y) r += "\r\n";
            const AnsiString& line = (*text)[y];
            if (left < static_cast<int>(line.size()))
                r += line.substr(static_cast<size_t>(left), static_cast<size_t>(right - left));
        }
        return r;
    }
    const int start = SelStart();
    const int length = SelLength();
    if (length <= 0) return r;
    TqzPoint from = text->IndexToPoint(start);
    TqzPoint to = text->IndexToPoint(start + length);
    for (int y = from.y; y <= to.y && y < text->Count(); ++y) {
        const AnsiString& line = (*text)[y];
        const int size = static_cast<int>(line.size());
        const int a = y == from.y ? std::min(from.x, size) : 0;
        const int z = y == to.y ? std::min(to.x, size) : size;
        if (y > from.y) r += "\r\n";
        if (z > a) r += line.substr(static_cast<size_t>(a), static_cast<size_t>(z - a));
    }
    return r;
}

void EditorCore::SetSelText(const AnsiString& s)
{
    if (readOnly || (s.empty() && !BlockNotEmpty())) return;
    EditScope scope(*this, EditFirstLine(), text->Count());
    if (BlockNotEmpty()) ClearBlock(true);
    InsertBlock(s);
}

void EditorCore::ClearBlock(bool moveCaret)
{
    if (readOnly || !BlockNotEmpty()) return;
    if (text->Count() == 0) {
        // A block on an empty text holds nothing to remove.
        blockBegin = blockEnd = TqzPoint {};
        if (moveCaret) SetBlockBegin({});
        return;
    }
    TqzPoint b, e;
    GetNormalBlock(b, e);
    TqzPoint at = b;
    {
        EditScope scope(*this, EditFirstLine(), text->Count());
        if (selTypeInUse == stVertical) {
            const int left = std::min(blockBegin.x, blockEnd.x);
            const int right = std::max(blockBegin.x, blockEnd.x);
            for (int y = b.y; y <= e.y && y < text->Count(); ++y) {
                AnsiString line = (*text)[y];
                if (left >= static_cast<int>(line.size())) continue;
                undo.AddUndoString(y);
                line.erase(static_cast<size_t>(left), static_cast<size_t>(right - left));
                text->Put(y, line);
            }
            at = { left, e.y };
        } else {
            const int start = SelStart();
            const int length = SelLength();
            undo.AddUndoText(start, 0, SelText());
            text->ReplaceSelBlock("", start, length);
            at = text->IndexToPoint(start);
            if (selTypeInUse != stLine && b.x > at.x && b.y == at.y) at.x = b.x;
        }
        // Inside the edit, so that a re-wrap at its end carries the caret along.
        if (moveCaret) {
            SetBlockBegin(at);
        } else {
            blockBegin = blockEnd = at;
            RepaintAll();
        }
    }
}

void EditorCore::EnsureLine(int y)
{
    while (text->Count() <= y) {
        undo.AddUndoInsString(text->Count());
        text->Add("");
    }
}

void EditorCore::InsertBlock(const AnsiString& s)
{
    if (s.empty() || readOnly) return;
    TqzPoint b, e;
    GetNormalBlock(b, e);
    TqzPoint caretTo = b;
    {
        EditScope scope(*this, EditFirstLine(), text->Count());
        EnsureLine(b.y);
        if (columnPaste) {
            std::vector<AnsiString> pieces = SplitPieces(s);
            for (size_t k = 0; k < pieces.size(); ++k) {
                const int y = b.y + static_cast<int>(k);
                EnsureLine(y);
                undo.AddUndoString(y);
                AnsiString line = (*text)[y];
                SetLengthWithChar(line, b.x, ' ');
                line.insert(static_cast<size_t>(b.x), pieces[k]);
                text->Put(y, line);
                caretTo = { b.x + static_cast<int>(pieces[k].size()), y };
            }
        } else {
            undo.AddUndoString(b.y);
            AnsiString inserted = s;
            const int length = LineLength(b.y);
            if (b.x > length) inserted.insert(0, static_cast<size_t>(b.x - length), ' ');
            const int start = text->PointToIndex(b);
            // The insertion's end, counted in logical lines: word wrap may cut both it and the text around it.
            LogicalPoint end = ToLogical(*text, text->IndexToPoint(start));
            const std::vector<AnsiString> pieces = SplitPieces(inserted);
            end.line += static_cast<int>(pieces.size()) - 1;
            end.column = (pieces.size() == 1 ? end.column : 0) + static_cast<int>(pieces.back().size());
            TUndoItem* item = undo.AddUndoText(start, 0, "");
            text->ReplaceSelBlock(inserted, start, 0);
            caretTo = FromLogical(*text, end);
            caretTo.y = std::min(caretTo.y, text->Count() - 1);
            if (item) item->length = text->PointToIndex(caretTo) - start;
        }
        SetBlockBegin(caretTo);
    }
}

void EditorCore::SelectAll()
{
    const int last = std::max(0, text->Count() - 1);
    SetBlockBegin({ 0, 0 });
    SetBlockEnd({ LineLength(last), last });
}

// --- Clipboard, undo, messages ---

void EditorCore::CopyToClipboard()
{
    if (!BlockNotEmpty()) return;
    columnPaste = selTypeInUse == stVertical;
    lastCopied = SelText();
    SetClipboardText(lastCopied);
}

void EditorCore::CutToClipboard()
{
    if (!BlockNotEmpty()) return;
    CopyToClipboard();
    ClearBlock(true);
}

void EditorCore::PasteFromClipboard()
{
    if (readOnly || !ClipboardHasText()) return;
    const AnsiString pasted = ClipboardText();
    columnPaste = columnPaste && pasted == lastCopied;
    SetSelText(pasted);
}

void EditorCore::Undo()
{
    if (readOnly) return;
    undo.DoUndo();
}

intptr_t EditorCore::Perform(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case EditMessage::GetTextLength:
        return text->GetSize();
    case EditMessage::GetText: {
        char* buffer = reinterpret_cast<char*>(lParam);
        const int n = static_cast<int>(wParam);
        if (!buffer || n <= 0) return 0;
        const AnsiString all = text->GetText();
        const int count = std::min(text->GetSize() - 1, n - 1);
        std::memcpy(buffer, all.data(), static_cast<size_t>(count));
        buffer[count] = '\0';
        return count + 1;
    }
    case EditMessage::SetSel:
        if (lParam == -1) {
            SetSelStart(0);
            SetSelLength(text->GetSize());
        } else {
            const intptr_t a = static_cast<intptr_t>(wParam);
            SetSelStart(static_cast<int>(std::min(a, lParam)));
            SetSelLength(static_cast<int>(std::abs(a - lParam)));
        }
        return 0;
    case EditMessage::Copy:
        CopyToClipboard();
        return 0;
    case EditMessage::Cut:
        CutToClipboard();
        return 0;
    case EditMessage::Paste:
        PasteFromClipboard();
        return 0;
    case EditMessage::Clear:
        ClearBlock(true);
        return 0;
    case EditMessage::Undo:
        Undo();
        return 1;
    case EditMessage::CanUndo:
        return undo.StepCount();
    case EditMessage::EmptyUndoBuffer:
        undo.Clear();
        return 0;
    default:
        return 0;
    }
}

// --- Keys ---

bool EditorCore::TestOnEditActions(int key, int shift)
{
    const int s = ShortCut(key, shift);
    auto is = [&](int shortcut) { return shortcut != 0 && shortcut == s; };
    if (is(KeysCopy) || (key == Vk::Insert && shift == ShiftState::Ctrl)) {
        CopyToClipboard();
    } else if (is(KeysPaste) || (key == Vk::Insert && shift == ShiftState::Shift)) {
        PasteFromClipboard();
    } else if (is(KeysCut) || (key == Vk::Delete && shift == ShiftState::Shift)) {
        if (!readOnly)
            CutToClipboard();
        else
            CopyToClipboard();
    } else if (is(KeysUndo) || (key == Vk::KeyZ && shift == ShiftState::Ctrl)) {
        Undo();
    } else if (is(KeysAll) || (key == Vk::KeyA && shift == ShiftState::Ctrl)) {
        SelectAll();
    } else {
        return false;
    }
    return true;
}

void EditorCore::MoveTo(TqzPoint p, bool extend, bool fromWrap)
{
    if (fromWrap && wordWrap) {
        UpdateCaret(p.x, p.y, true, false);
        p = { caretX, caretY };
    }
    if (extend)
        SetBlockEnd(p);
    else
        SetBlockBegin(p);
}

void EditorCore::MoveByKey(TqzPoint p, int shift, bool fromWrap)
{
    const bool altAlone = shift == ShiftState::Alt;
    const bool extend = (shift & ShiftState::Shift) || altAlone;
    if (extend) selTypeInUse = altAlone ? stVertical : SelType;
    MoveTo(p, extend, fromWrap);
}

void EditorCore::BeginKeyStroke(int shift)
{
    editActionHandled = false;
    lastShift = shift;
}

bool EditorCore::KeyPreview(int& key, int shift)
{
    editActionHandled = false;
    lastShift = shift;
    if (OnKeyDown) {
        int changed = key;
        OnKeyDown(this, changed, shift);
        if (changed != key) {
            key = changed;
            editActionHandled = true;
            return true;
        }
    }
    if (TestOnEditActions(key, shift)) {
        editActionHandled = true;
        return true;
    }
    const int x = caretX;
    const int y = caretY;
    const bool ctrl = (shift & ShiftState::Ctrl) != 0;
    switch (key) {
    case Vk::Tab:
        if (shift != 0 || TabBehavior == tbExit) return false;
        TabKey(shift);
        return true;
    case Vk::Left:
    case Vk::Right: {
        const bool forward = key == Vk::Right;
        TqzPoint target { forward ? x + 1 : x - 1, y };
        if (ctrl) text->PointToWord({ x, y }, forward, target, false);
        MoveByKey(target, shift & ~ShiftState::Ctrl, forward && !ctrl);
        return true;
    }
    case Vk::Up:
        MoveByKey({ x, y - 1 }, shift, false);
        return true;
    case Vk::Down:
        MoveByKey({ x, y + 1 }, shift, false);
        return true;
    case Vk::Insert:
        if (shift != 0) return false;
        SetInsertMode(!insertMode);
        return true;
    default:
        return false;
    }
}

void EditorCore::KeyDown(int& key, int shift)
{
    lastShift = shift;
    if (TestOnEditActions(key, shift)) {
        editActionHandled = true;
        return;
    }
    const int x = caretX;
    const int y = caretY;
    const bool ctrl = (shift & ShiftState::Ctrl) != 0;
    const bool extend = (shift & ShiftState::Shift) != 0;
    const int last = std::max(0, text->Count() - 1);
    switch (key) {
    case Vk::Prior:
        MoveTo({ x, y - visibleLines }, extend, false);
        return;
    case Vk::Next:
        MoveTo({ x, y + visibleLines }, extend, false);
        return;
    case Vk::Home:
        MoveTo(ctrl ? TqzPoint { 0, 0 } : TqzPoint { 0, y }, extend, false);
        return;
    case Vk::End:
        MoveTo(ctrl ? TqzPoint { LineLength(last), last } : TqzPoint { LineLength(y), y }, extend, false);
        return;
    case Vk::Delete:
        if (shift == 0 || shift == ShiftState::Ctrl) DeleteKey();
        return;
    case Vk::KeyY:
        if (shift == ShiftState::Ctrl) DeleteCaretLine();
        return;
    default:
        break;
    }
    if (key >= Vk::Digit0 && key <= Vk::Digit0 + 9 && ctrl && !(shift & ShiftState::Alt)) {
        const int n = key - Vk::Digit0;
        if (extend) {
            BookmarkToggle(n);
        } else if (bookmarks[static_cast<size_t>(n)].y >= 0) {
            const TqzPoint mark = bookmarks[static_cast<size_t>(n)];
            MoveTo({ mark.x, std::min(mark.y, last) }, false, false);
        }
    }
}

void EditorCore::KeyUp(int key, int shift)
{
    lastShift = shift;
    if (OnKeyUp) {
        int k = key;
        OnKeyUp(this, k, shift);
    }
}

void EditorCore::KeyPress(char ch)
{
    if (editActionHandled) {
        editActionHandled = false;
        return;
    }
    if (ch >= '0' && ch <= '9' && (lastShift & (ShiftState::Ctrl | ShiftState::Alt))) return;
    if (OnKeyPress) {
        OnKeyPress(this, ch);
        if (ch == 0) return;
    }
    if (readOnly) return;
    const unsigned char code = static_cast<unsigned char>(ch);
    text->BeginUpdate();
    if (code == Vk::Back)
        BackspaceKey();
    else if (code == Vk::Return)
        EnterKey();
    else if (code >= 32 && code != 127)
        TypeCharacter(ch);
    // Every other control character is left out of the text.
    text->EndUpdate();
}

bool EditorCore::DeleteKey()
{
    if (readOnly) return false;
    if (BlockNotEmpty()) {
        ClearBlock(true);
        return true;
    }
    const int x = caretX;
    const int y = caretY;
    if (y < 0 || y >= text->Count()) return false;
    {
        EditScope scope(*this, EditFirstLine(), EditLastLine());
        AnsiString line = (*text)[y];
        if (x < static_cast<int>(line.size())) {
            undo.AddUndoString(y);
            line.erase(static_cast<size_t>(x), 1);
            text->Put(y, line);
        } else if (y + 1 < text->Count()) {
            undo.AddUndoString(y);
            undo.AddUndoDelString(y + 1);
            SetLengthWithChar(line, x + 1, ' ');
            line += (*text)[y + 1];
            text->Put(y, line);
            text->Delete(y + 1);
        }
        SetBlockBegin({ x, y });
    }
    return true;
}

void EditorCore::BackspaceKey()
{
    const int x = caretX;
    const int y = caretY;
    if (x == 0 && y == 0) return;
    if (y >= text->Count()) {
        SetBlockBegin({ x - 1, y });
        return;
    }
    if (BlockNotEmpty()) {
        ClearBlock(true);
        return;
    }
    const AnsiString line = (*text)[y];
    const int length = static_cast<int>(line.size());
    if (x == 0) {
        const int join = LineLength(y - 1);
        {
            EditScope scope(*this, EditFirstLine(), EditLastLine());
            undo.AddUndoString(y - 1);
            undo.AddUndoDelString(y);
            text->Put(y - 1, (*text)[y - 1] + line);
            text->Delete(y);
            SetBlockBegin({ join, y - 1 });
        }
    } else if (x <= length) {
        {
            EditScope scope(*this, EditFirstLine(), EditLastLine());
            undo.AddUndoString(y);
            AnsiString changed = line;
            changed.erase(static_cast<size_t>(x - 1), 1);
            text->Put(y, changed);
            SetBlockBegin({ x - 1, y });
        }
    } else {
        SetBlockBegin({ x - 1, y });
    }
}

int EditorCore::SmartIndent(int y) const
{
    const int k = text->GetPrevNonEmptyStr(y + 1);
    if (k < 0 || k >= text->Count() - 1) return 0;
    const AnsiString& line = (*text)[k];
    if (line.empty() || (line[0] != ' ' && line[0] != '\t')) return 0;
    TqzPoint word;
    text->PointToWord({ 0, k }, true, word, true);
    return word.y == k ? word.x : 0;
}

void EditorCore::EnterKey()
{
    const int x = caretX;
    const int y = caretY;
    int indent = 0;
    {
        EditScope scope(*this, EditFirstLine(), EditLastLine());
        EnsureLine(y);
        undo.AddUndoString(y);
        const AnsiString line = (*text)[y];
        const int length = static_cast<int>(line.size());
        const AnsiString before = line.substr(0, static_cast<size_t>(std::min(x, length)));
        const AnsiString rest = x < length ? line.substr(static_cast<size_t>(x)) : AnsiString();
        indent = EnterSmart ? SmartIndent(y) : 0;
        text->Put(y, before);
        undo.AddUndoInsString(y + 1);
        text->Insert(y + 1, AnsiString(static_cast<size_t>(indent), ' ') + rest);
        SetBlockBegin({ indent, y + 1 });
    }
}

void EditorCore::TypeCharacter(char ch)
{
    if (BlockNotEmpty()) {
        // A typed character replaces the selection as a stream, whatever was copied last.
        const bool column = columnPaste;
        columnPaste = false;
        SetSelText(AnsiString(1, ch));
        columnPaste = column;
        return;
    }
    const int x = caretX;
    const int y = caretY;
    {
        EditScope scope(*this, EditFirstLine(), EditLastLine());
        EnsureLine(y);
        undo.AddUndoString(y);
        AnsiString line = (*text)[y];
        const int length = static_cast<int>(line.size());
        if (x >= length) {
            SetLengthWithChar(line, x, ' ');
            line += ch;
        } else if (insertMode) {
            line.insert(static_cast<size_t>(x), 1, ch);
        } else {
            line[static_cast<size_t>(x)] = ch;
        }
        text->Put(y, line);
        MoveTo({ x + 1, y }, false, true);
    }
}

int EditorCore::SmartTabTarget(int x, int y) const
{
    const int k = text->GetPrevNonEmptyStr(y);
    if (k >= 0 && x < LineLength(k)) {
        TqzPoint word;
        text->PointToWord({ x, k }, true, word, true);
        if (word.y == k && word.x > x) return word.x;
    }
    return (x / tabScale + 1) * tabScale;
}

void EditorCore::TabKey(int shift)
{
    const int x = caretX;
    const int y = caretY;
    const int target = TabBehavior == tbSmart ? SmartTabTarget(x, y) : (x / tabScale + 1) * tabScale;
    if (!readOnly && y < text->Count() && x < LineLength(y)) {
        EditScope scope(*this, EditFirstLine(), EditLastLine());
        undo.AddUndoString(y);
        AnsiString line = (*text)[y];
        line.insert(static_cast<size_t>(x), static_cast<size_t>(target - x), ' ');
        text->Put(y, line);
        MoveByKey({ target, y }, shift, false);
        return;
    }
    MoveByKey({ target, y }, shift, false);
}

void EditorCore::DeleteCaretLine()
{
    if (readOnly) return;
    if (BlockNotEmpty()) {
        ClearBlock(true);
        return;
    }
    const int y = caretY;
    if (y < 0 || y >= text->Count()) return;
    {
        EditScope scope(*this, EditFirstLine(), EditLastLine());
        undo.AddUndoDelString(y);
        text->Delete(y);
        SetBlockBegin({ caretX, y });
    }
}

// --- Mouse ---

TqzPoint EditorCore::MouseToTextXY(int px, int py) const
{
    const int dx = px - GutterWidthInUse() + charWidth / 2;
    const int column = dx < 0 ? 0 : dx / charWidth;
    const int row = py < 0 ? (py - lineHeight + 1) / lineHeight : py / lineHeight;
    return { std::max(0, column + leftChar), row + topLine };
}

bool EditorCore::PointInBlock(TqzPoint p) const
{
    if (!BlockNotEmpty()) return false;
    TqzPoint b, e;
    GetNormalBlock(b, e);
    if (p.y < b.y || p.y > e.y) return false;
    switch (selTypeInUse) {
    case stSimple:
        if (p.y == b.y && p.x < b.x) return false;
        if (p.y == e.y && p.x >= e.x) return false;
        return true;
    case stVertical:
        return p.x >= std::min(blockBegin.x, blockEnd.x) && p.x < std::max(blockBegin.x, blockEnd.x);
    case stLine:
        return true;
    default:
        return false;
    }
}

TMouseWhere EditorCore::MouseWhere(int px, int py) const
{
    if (px < GutterWidthInUse()) return mwGutter;
    // The column under the mouse, not the nearest boundary, decides whether
    // the point lies on the selection.
    const int column = std::max(0, (px - GutterWidthInUse()) / charWidth) + leftChar;
    TqzPoint p = MouseToTextXY(px, py);
    p.x = column;
    return PointInBlock(p) ? mwSelected : mwText;
}

void EditorCore::MouseDown(MouseButton button, int shift, int px, int py)
{
    lastShift = shift;
    FocusTaken();
    if (doubleClicked) {
        doubleClicked = false;
        return;
    }
    const bool onSelection = MouseWhere(px, py) == mwSelected;
    const TqzPoint p = MouseToTextXY(px, py);
    if (button == MouseButton::Left && onSelection) {
        dragging = true;
        dragStart = p;
        return;
    }
    if (button == MouseButton::Right && onSelection) return;
    SetBlockBegin(p);
    if ((shift & ShiftState::Alt) && button == MouseButton::Left) selTypeInUse = stVertical;
    mouseSelecting = true;
}

void EditorCore::MouseMove(int shift, int px, int py, bool leftHeld)
{
    lastShift = shift;
    const TqzPoint p = MouseToTextXY(px, py);
    if (dragging && leftHeld) {
        UpdateCaret(p.x, p.y, false, true);
    } else if (mouseSelecting && leftHeld) {
        SetBlockEnd(p);
    }
    const int line = py / lineHeight + topLine;
    const int marker = markers.IndexOfMarkerByLine(line);
    if (MouseWhere(px, py) == mwGutter && marker >= 0 && !markers.GetMarker(marker)->hint.empty())
        ShowHint(markers.GetMarker(marker)->hint, px, py + lineHeight);
    else
        HideHint();
}

void EditorCore::MouseUp(MouseButton /*button*/, int shift, int px, int py)
{
    lastShift = shift;
    doubleClicked = false;
    if (dragging) {
        dragging = false;
        const TqzPoint p = MouseToTextXY(px, py);
        // A drop over the gutter is refused: the block stays as it was.
        if (MouseWhere(px, py) == mwGutter)
            UpdateCaret(blockEnd.x, blockEnd.y, false, true);
        else if (p == dragStart)
            SetBlockBegin(p);
        else
            DropBlock(p);
    }
    mouseSelecting = false;
}

void EditorCore::MouseClick(int px, int py)
{
    if (MouseWhere(px, py) == mwGutter) {
        if (OnGutterClick) OnGutterClick(this, px, py, py / lineHeight + topLine);
    } else if (OnClick) {
        OnClick(this);
    }
}

void EditorCore::MouseDblClick(int px, int py)
{
    if (MouseWhere(px, py) == mwGutter) {
        if (OnGutterDblClick) OnGutterDblClick(this, px, py, py / lineHeight + topLine);
        return;
    }
    dragging = false;
    mouseSelecting = false;
    const TqzPoint p = MouseToTextXY(px, py);
    if (p.y >= 0 && p.y < text->Count()) {
        TqzPoint span { std::max(0, (px - GutterWidthInUse()) / charWidth) + leftChar, p.y };
        const AnsiString word = text->NearestWord(span);
        if (!word.empty()) {
            SetBlockBegin({ span.x, p.y });
            SetBlockEnd({ span.y, p.y });
        }
    }
    doubleClicked = true;
    if (OnDblClick) OnDblClick(this);
}

void EditorCore::DropBlock(TqzPoint at)
{
    at.x = std::max(0, at.x);
    at.y = std::clamp(at.y, 0, std::max(0, text->Count() - 1));
    if (readOnly || PointInBlock(at) || !BlockNotEmpty()) {
        SetBlockBegin(at);
        return;
    }
    TqzPoint b, e;
    GetNormalBlock(b, e);
    // Removing the block moves the text behind it; the drop point moves with it.
    if (selTypeInUse == stVertical) {
        const int left = std::min(blockBegin.x, blockEnd.x);
        const int right = std::max(blockBegin.x, blockEnd.x);
        if (at.y >= b.y && at.y <= e.y && at.x >= right) at.x -= right - left;
    } else if (selTypeInUse == stLine) {
        if (at.y > e.y) at.y -= e.y - b.y;
    } else if (After(at, e)) {
        if (at.y == e.y) {
            at.x = b.x + (at.x - e.x);
            at.y = b.y;
        } else {
            at.y -= e.y - b.y;
        }
    }
    EditScope scope(*this, std::min(EditFirstLine(), at.y), text->Count());
    columnPaste = selTypeInUse == stVertical;
    const AnsiString moved = SelText();
    ClearBlock(false);
    SetBlockBegin(at);
    InsertBlock(moved);
}
