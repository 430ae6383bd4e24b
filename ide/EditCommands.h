#pragma once

#include "base/Values.h"

class EditorCore;

// The environment's commands on the editor's text, apart from the window so
// that tests drive them on a plain editor model. Each command that changes the
// text is one undo step.
namespace EditCommands {

// Selects `length` characters from 1-based line and column (each at least 1).
void SelectEditorRange(EditorCore& editor, int line, int column, int length);

// Searches from the end of the selection to the end of the text and selects
// the first hit; false, with nothing changed, when there is none.
bool FindInEditor(EditorCore& editor, const AnsiString& what, bool matchCase);

// One space put in front of (or taken from) every line of the selection; a
// selection that ends at column 0 leaves that last line out. Nothing without
// a selection.
void IndentBlock(EditorCore& editor);
void UnindentBlock(EditorCore& editor);

// Enter: splits the caret line, the new line indented like the caret line
// when autoIndent is set. False when the editor should handle the key itself.
bool EnterWithAutoIndent(EditorCore& editor, bool autoIndent);

// Tab in an empty text: one line of tab-width spaces. False when the text is not empty.
bool TabInEmptyText(EditorCore& editor);

enum class ReplaceMode { Once, All };
// Replaces the selection when it equals `what` (letter case ignored unless
// matchCase) and selects the next hit; with no matching selection it selects
// the next hit instead (and All then goes on replacing). All repeats until no
// hit remains. Answers the number of
// replacements.
int ReplaceNext(EditorCore& editor, const AnsiString& what, const AnsiString& with, bool matchCase, ReplaceMode mode);

// Merging a file's lines into the text.
void MergeToEnd(EditorCore& editor, const AnsiString& text);
void MergeAtCursor(EditorCore& editor, const AnsiString& text);

// The editor's lines as a file holds them: CR LF after every line.
AnsiString FileText(const EditorCore& editor);

} // namespace EditCommands
