#pragma once

#include "ide/editor/EditorKeys.h"
#include "ide/editor/LineMarkers.h"
#include "ide/editor/PaintAttr.h"
#include "ide/editor/QzText.h"
#include "ide/editor/UndoList.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

class TsxCustomPainter;

enum TSelType { stSimple, stEOL, stVertical, stLine };
enum TTabBehavior { tbExit, tbFixed, tbSmart };
enum TMouseWheelSpeed { mwsNormal, mwsFast, mwsFastes };
enum TMouseWhere { mwText, mwSelected, mwGutter };
enum class MouseButton { Left, Right, Middle };

using TNotifyEvent = std::function<void(void* sender)>;
using TPositionEvent = std::function<void(void* sender, int x, int y, int line)>;
using TKeyEvent = std::function<void(void* sender, int& key, int shift)>;
using TKeyPressEvent = std::function<void(void* sender, char& key)>;

// The model of the code editor: caret, block (selection), scrolling position,
// every editing operation with its undo steps, bookmarks and line markers. It
// is plain C++; the widget supplies the metrics, paints what the model asks it
// to repaint, and turns key and mouse events into the calls below.
class EditorCore {
public:
    EditorCore();
    virtual ~EditorCore();
    EditorCore(const EditorCore&) = delete;
    EditorCore& operator=(const EditorCore&) = delete;

    // --- Text ---
    TqzText& Lines() { return *text; }
    const TqzText& Lines() const { return *text; }
    void SetLines(const TqzText& source);
    void SetText(const AnsiString& s);
    bool GetModified() const { return text->Modified(); }
    void SetModified(bool b) { text->SetModified(b); }
    void Clear();
    // Makes another text the one in use; null returns to the editor's own.
    void SetDirectText(TqzText* other);

    // --- Painter ---
    void SetPainter(TsxCustomPainter* p);
    TsxCustomPainter* Painter() const { return painter; }
    // Called by a painter's owner when it is about to destroy the painter.
    void PainterDestroyed(TsxCustomPainter* p);

    // --- Caret and block ---
    int CaretX() const { return caretX; }
    int CaretY() const { return caretY; }
    void SetCaretX(int x);
    void SetCaretY(int y);
    void UpdateCaret(int x, int y, bool fromWrap, bool scroll);
    TqzPoint BlockBegin() const { return blockBegin; }
    TqzPoint BlockEnd() const { return blockEnd; }
    void SetBlockBegin(TqzPoint p);
    void SetBlockEnd(TqzPoint p);
    void GetNormalBlock(TqzPoint& begin, TqzPoint& end) const;
    bool BlockNotEmpty() const { return !(blockBegin == blockEnd); }
    TSelType SelTypeInUse() const { return selTypeInUse; }

    // --- Scrolling ---
    int TopLine() const { return topLine; }
    void SetTopLine(int n);
    int LeftChar() const { return leftChar; }
    void SetLeftChar(int n);
    int VisibleLines() const { return visibleLines; }
    int VisibleColumns() const { return visibleColumns; }
    int GetMaxRightChar() const;
    void MouseWheel(int delta);

    // --- Selection as text ---
    int SelStart() const;
    void SetSelStart(int n);
    int SelLength() const;
    void SetSelLength(int n);
    AnsiString SelText() const;
    void SetSelText(const AnsiString& s);
    void ClearBlock(bool moveCaret);
    void InsertBlock(const AnsiString& s);
    void SelectAll();

    // --- Clipboard, undo, messages ---
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    int UndoLimit() const { return undo.Limit(); }
    void SetUndoLimit(int n) { undo.SetLimit(n); }
    TUndoList& UndoList() { return undo; }
    // The edit-control messages (EditMessage); buffer-carrying messages take
    // the buffer in lParam.
    intptr_t Perform(unsigned message, uintptr_t wParam, intptr_t lParam);

    // --- Keys and mouse ---
    bool TestOnEditActions(int key, int shift);
    // Runs before key down: navigation and Tab. Answers whether the key was taken.
    bool KeyPreview(int& key, int shift);
    void KeyDown(int& key, int shift);
    void KeyPress(char ch);
    void KeyUp(int key, int shift);
    // Whether the key press that follows the last key down is to be skipped.
    bool EditActionHandled() const { return editActionHandled; }
    // A new key stroke (or a text an input method commits) begins. What the
    // last stroke's edit action or OnKeyDown handler swallowed was that
    // stroke's own character: the flag must not outlive it, or the first
    // character of a key the editor has no code for (punctuation, accented
    // letters) would be dropped after Ctrl+A, Enter or a command's dialog.
    void BeginKeyStroke(int shift);
    TqzPoint MouseToTextXY(int px, int py) const;
    TMouseWhere MouseWhere(int px, int py) const;
    void MouseDown(MouseButton button, int shift, int px, int py);
    void MouseMove(int shift, int px, int py, bool leftHeld);
    void MouseUp(MouseButton button, int shift, int px, int py);
    void MouseClick(int px, int py);
    void MouseDblClick(int px, int py);
    bool Dragging() const { return dragging; }
    void DropBlock(TqzPoint at);

    // --- Bookmarks and markers ---
    void BookmarkSet(int n, int x, int y, bool clear);
    void BookmarkToggle(int n);
    TqzPoint Bookmark(int n) const;
    // The first bookmark 0-9 on that line, or -1.
    int BookmarkOnLine(int line) const;
    TLineMarkers& LineMarkers() { return markers; }

    // --- Properties ---
    bool InsertMode() const { return insertMode; }
    void SetInsertMode(bool b);
    bool ReadOnly() const { return readOnly; }
    void SetReadOnly(bool b);
    bool WordWrap() const { return wordWrap; }
    void SetWordWrap(bool b);
    bool TrailingSpace() const { return trailingSpace; }
    void SetTrailingSpace(bool b);
    int TabScale() const { return tabScale; }
    void SetTabScale(int n);
    bool Gutter() const { return gutter; }
    void SetGutter(bool b);
    int GutterWidth() const { return gutterWidth; }
    void SetGutterWidth(int n);
    // The gutter's width on screen: GutterWidth, or wider while the line
    // numbers need more room for the widest of them.
    int GutterWidthInUse() const { return gutter ? std::max(gutterWidth, gutterNumbersWidth) : 0; }
    bool GutterShowLines() const { return gutterShowLines; }
    void SetGutterShowLines(bool b);
    int GutterLinesOffset() const { return gutterLinesOffset; }
    void SetGutterLinesOffset(int n);
    TColor GutterColor() const { return gutterColor; }
    void SetGutterColor(TColor c);
    int LineHeight() const { return lineHeight; }
    int CharWidth() const { return charWidth; }

    TSelType SelType = stSimple;
    TTabBehavior TabBehavior = tbExit;
    TMouseWheelSpeed MouseWheelSpeed = mwsNormal;
    bool EnterSmart = false;
    bool HideSelection = true;
    bool ScrollBarsAuto = false;
    int KeysCopy = 0;
    int KeysPaste = 0;
    int KeysCut = 0;
    int KeysUndo = 0;
    int KeysAll = 0;
    int ImageBookmarksBase = 0;
    TColor Color = 0xFFFFFF;
    TColor SelFontColor = 0x00FFFF;
    TColor SelColor = 0xFF0000;
    TFontInfo Font;

    TPositionEvent OnCaretXY;
    TNotifyEvent OnIsertChange;
    TPositionEvent OnGutterClick;
    TPositionEvent OnGutterDblClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // --- Hooks the widget implements; the plain model does nothing. ---
    virtual void RepaintAll() { }
    virtual void RepaintText(int, int, bool) { }
    virtual void RepaintTextLine(int) { }
    virtual void RepaintGutter(int, int) { }
    virtual void RepaintGutterLine(int) { }
    virtual void UpdateScrollBars() { }
    virtual void FullUpdate();

protected:
    // Metrics come from the widget.
    void SetMetrics(int newLineHeight, int newCharWidth, int newVisibleLines, int newVisibleColumns);
    virtual void CaretMoved() { }
    virtual void ScrolledBy(int /*lines*/, int /*columns*/) { }
    virtual void InsertModeChanged() { }
    virtual void FocusTaken() { }
    virtual bool HasFocus() const { return false; }
    virtual void ShowHint(const AnsiString&, int, int) { }
    // The pixels a line number takes in the gutter's digits; the plain model
    // draws none.
    virtual int LineNumberWidth(int /*number*/) const { return 0; }
    // Measures the room the widest line number needs again; answers whether
    // that changed the gutter's width in use.
    bool UpdateGutterNumbersWidth();
    virtual void HideHint() { }
    // The clipboard; the plain model keeps a clipboard of its own.
    virtual bool ClipboardHasText() const { return clipboardHasText; }
    virtual AnsiString ClipboardText() const { return clipboardText; }
    virtual void SetClipboardText(const AnsiString& s)
    {
        clipboardText = s;
        clipboardHasText = true;
    }

private:
    friend class TUndoList;
    class EditScope;
    // The lines an edit may touch: the caret's and the block's.
    int EditFirstLine() const;
    // Block operations pass the line count instead: they may reach any line below.
    int EditLastLine() const;
    static void TextChanged(void* self, void* sender);
    static void PainterChanged(void* self, void* sender);
    static void PainterFreed(void* self, void* sender);
    void OnTextChanged();
    void RestoreBlock(TqzPoint begin, TqzPoint end, bool columnMode);
    const AnsiString& LineOrEmpty(int y) const;
    int LineLength(int y) const;
    // Appends empty lines (each an undo step of the open block) until line y exists.
    void EnsureLine(int y);
    void MoveTo(TqzPoint p, bool extend, bool fromWrap);
    void MoveByKey(TqzPoint p, int shift, bool fromWrap);
    bool DeleteKey();
    void BackspaceKey();
    void EnterKey();
    void TypeCharacter(char ch);
    void TabKey(int shift);
    int SmartTabTarget(int x, int y) const;
    int SmartIndent(int y) const;
    void DeleteCaretLine();
    bool PointInBlock(TqzPoint p) const;

    TqzText ownText;
    TqzText* text = &ownText;
    TsxCustomPainter* painter = nullptr;
    TUndoList undo;
    TLineMarkers markers;
    int lastShift = 0;
    int lineHeight = 1;
    int charWidth = 1;
    int visibleLines = 1;
    int visibleColumns = 1;
    int caretX = 0;
    int caretY = 0;
    TqzPoint blockBegin;
    TqzPoint blockEnd;
    TSelType selTypeInUse = stSimple;
    bool columnPaste = false;
    AnsiString lastCopied;
    bool doubleClicked = false;
    bool editActionHandled = false;
    bool mouseSelecting = false;
    bool dragging = false;
    TqzPoint dragStart;
    bool textChangedSinceCaret = false;
    int topLine = 0;
    int leftChar = 0;
    std::array<TqzPoint, 10> bookmarks;
    bool insertMode = true;
    bool readOnly = false;
    bool wordWrap = false;
    bool trailingSpace = true;
    int tabScale = 8;
    bool gutter = true;
    int gutterWidth = 36;
    int gutterNumbersWidth = 0;
    bool gutterShowLines = false;
    int gutterLinesOffset = 1;
    TColor gutterColor = 0xF0F0F0;
    bool clipboardHasText = false;
    AnsiString clipboardText;
};
