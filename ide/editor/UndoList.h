#pragma once

#include "ide/editor/QzText.h"

#include <cstdint>
#include <deque>

class EditorCore;

enum TUndoType { undBeginBlock, undEndBlock, undChangeStr, undInsStr, undDelStr, undText };

struct TUndoItem {
    // For undText the character index where the text goes back.
    int32_t line = 0;
    // undText only: the characters that undoing replaces.
    int32_t length = 0;
    // The editor's block when the item was recorded.
    TqzPoint blockBegin;
    TqzPoint blockEnd;
    TUndoType kind = undChangeStr;
    // The selection mode in use was column selection.
    bool columnMode = false;
    AnsiString text;
};

// The undo steps of an editor. A step is one item recorded outside a block, or
// a whole block; at most limit - 1 steps are kept, the oldest going first.
class TUndoList {
public:
    explicit TUndoList(EditorCore& owner)
        : editor(owner)
    { }

    TUndoItem* Add(TUndoType kind);
    void AddUndoString(int line);
    void AddUndoDelString(int line);
    void AddUndoInsString(int line);
    // Undoing replaces length characters at start by text.
    TUndoItem* AddUndoText(int start, int length, const AnsiString& text);
    void BeginUndoBlock();
    void EndUndoBlock();
    void DoUndo();
    void Clear();
    void Delete(int i);
    void DeleteFirst();

    int Limit() const { return limit; }
    // A new limit empties the list. A limit below 2 keeps no steps at all.
    void SetLimit(int n);
    int StepCount() const { return stepCount; }
    int Count() const { return static_cast<int>(items.size()); }
    const TUndoItem& Item(int i) const { return items[static_cast<size_t>(i)]; }
    int BlockDepth() const { return blockDepth; }
    // While on, line records are not kept: one text record of the edit
    // already covers them.
    void SetSnapshotting(bool b) { snapshotting = b; }

private:
    void Apply(const TUndoItem& item);

    EditorCore& editor;
    std::deque<TUndoItem> items;
    int blockDepth = 0;
    int limit = 100;
    int stepCount = 0;
    bool snapshotting = false;
};
