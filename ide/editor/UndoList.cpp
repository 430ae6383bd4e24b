#include "ide/editor/UndoList.h"

#include "ide/editor/EditorCore.h"

TUndoItem* TUndoList::Add(TUndoType kind)
{
    // Below a limit of 2 no step could be kept, so nothing is recorded.
    if (limit < 2) return nullptr;
    if (snapshotting && kind != undBeginBlock && kind != undEndBlock) return nullptr;
    TUndoItem item;
    item.kind = kind;
    item.line = editor.CaretY();
    item.blockBegin = editor.BlockBegin();
    item.blockEnd = editor.BlockEnd();
    item.columnMode = editor.SelTypeInUse() == stVertical;
    const TqzText& lines = editor.Lines();
    if (item.line >= 0 && item.line < lines.Count()) item.text = lines[item.line];
    items.push_back(item);
    TUndoItem* added = &items.back();
    if (blockDepth == 0 && kind != undEndBlock) {
        ++stepCount;
        if (stepCount >= limit) {
            DeleteFirst();
            added = &items.back();
        }
    }
    return added;
}

void TUndoList::AddUndoString(int line)
{
    if (TUndoItem* item = Add(undChangeStr)) {
        item->line = line;
        const TqzText& lines = editor.Lines();
        item->text = (line >= 0 && line < lines.Count()) ? lines[line] : AnsiString();
    }
}

void TUndoList::AddUndoDelString(int line)
{
    if (TUndoItem* item = Add(undDelStr)) {
        item->line = line;
        const TqzText& lines = editor.Lines();
        item->text = (line >= 0 && line < lines.Count()) ? lines[line] : AnsiString();
    }
}

void TUndoList::AddUndoInsString(int line)
{
    if (TUndoItem* item = Add(undInsStr)) {
        item->line = line;
        item->text.clear();
    }
}

TUndoItem* TUndoList::AddUndoText(int start, int length, const AnsiString& text)
{
    TUndoItem* item = Add(undText);
    if (item) {
        item->line = start;
        item->length = length;
        item->text = text;
    }
    return item;
}

void TUndoList::BeginUndoBlock()
{
    if (blockDepth == 0) Add(undBeginBlock);
    ++blockDepth;
}

void TUndoList::EndUndoBlock()
{
    if (blockDepth <= 0) return;
    --blockDepth;
    if (blockDepth == 0) {
        // A block that recorded nothing is dropped, so it costs no undo step.
        if (!items.empty() && items.back().kind == undBeginBlock) {
            items.pop_back();
            if (stepCount > 0) --stepCount;
        } else if (limit >= 2) {
            Add(undEndBlock);
        }
    }
}

void TUndoList::Clear()
{
    items.clear();
    stepCount = 0;
}

void TUndoList::Delete(int i)
{
    if (i >= 0 && i < Count()) items.erase(items.begin() + i);
}

void TUndoList::DeleteFirst()
{
    if (items.empty()) return;
    if (items.front().kind == undBeginBlock) {
        int depth = 0;
        do {
            if (items.front().kind == undBeginBlock)
                ++depth;
            else if (items.front().kind == undEndBlock)
                --depth;
            items.pop_front();
        } while (depth > 0 && !items.empty());
    } else {
        items.pop_front();
    }
    if (stepCount > 0) --stepCount;
}

void TUndoList::SetLimit(int n)
{
    Clear();
    limit = n;
}

void TUndoList::Apply(const TUndoItem& item)
{
    TqzText& lines = editor.Lines();
    switch (item.kind) {
    case undChangeStr:
        if (item.line >= 0 && item.line < lines.Count()) lines.Put(item.line, item.text);
        break;
    case undInsStr:
        if (item.line >= 0 && item.line < lines.Count()) lines.Delete(item.line);
        break;
    case undDelStr:
        if (item.line >= 0 && item.line <= lines.Count()) lines.Insert(item.line, item.text);
        break;
    case undText:
        // Text always goes back into a line; an edit may have removed the last one.
        if (lines.Count() == 0) lines.Add("");
        lines.ReplaceSelBlock(item.text, item.line, item.length);
        break;
    default:
        break;
    }
    editor.RestoreBlock(item.blockBegin, item.blockEnd, item.columnMode);
}

void TUndoList::DoUndo()
{
    if (stepCount <= 0 || items.empty() || blockDepth > 0) return;
    TqzText& lines = editor.Lines();
    lines.BeginUpdate();
    int depth = 0;
    TUndoItem last;
    do {
        last = items.back();
        items.pop_back();
        if (last.kind == undEndBlock)
            ++depth;
        else if (last.kind == undBeginBlock)
            --depth;
        else
            Apply(last);
    } while (depth > 0 && !items.empty());
    lines.EndUpdate();
    --stepCount;
    editor.RestoreBlock(last.blockBegin, last.blockEnd, last.columnMode);
    if (last.blockBegin == last.blockEnd) {
        editor.SetBlockBegin(last.blockBegin);
    } else {
        editor.SetBlockBegin(last.blockBegin);
        editor.SetBlockEnd(last.blockEnd);
    }
    editor.RestoreBlock(editor.BlockBegin(), editor.BlockEnd(), last.columnMode);
}
