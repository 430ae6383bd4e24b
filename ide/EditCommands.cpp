#include "ide/EditCommands.h"

#include "ide/editor/EditorCore.h"

#include <algorithm>
#include <cctype>

namespace EditCommands {

namespace {

// One undo step and one announced update around line edits.
class LineEdit {
public:
    explicit LineEdit(EditorCore& e)
        : editor(e)
    {
        editor.Lines().BeginUpdate();
        editor.UndoList().BeginUndoBlock();
    }
    ~LineEdit()
    {
        editor.UndoList().EndUndoBlock();
        editor.Lines().EndUpdate();
    }
    LineEdit(const LineEdit&) = delete;
    LineEdit& operator=(const LineEdit&) = delete;

    void Put(int line, const AnsiString& s)
    {
        editor.UndoList().AddUndoString(line);
        editor.Lines().Put(line, s);
    }
    void Insert(int line, const AnsiString& s)
    {
        editor.UndoList().AddUndoInsString(line);
        editor.Lines().Insert(line, s);
    }

private:
    EditorCore& editor;
};

AnsiString Upper(AnsiString s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool SameText(const AnsiString& a, const AnsiString& b, bool matchCase)
{
    return matchCase ? a == b : Upper(a) == Upper(b);
}

// The first and last line of the selection that a block command touches, or false.
bool BlockLines(const EditorCore& editor, int& first, int& last)
{
    if (!editor.BlockNotEmpty() || editor.Lines().Count() == 0) return false;
    TqzPoint begin, end;
    editor.GetNormalBlock(begin, end);
    first = begin.y;
    last = end.y;
    if (end.x == 0 && last > first) --last;
    last = std::min(last, editor.Lines().Count() - 1);
    return first <= last;
}

void ShiftBlock(EditorCore& editor, bool indent)
{
    if (editor.ReadOnly()) return;
    int first = 0, last = 0;
    if (!BlockLines(editor, first, last)) return;
    LineEdit edit(editor);
    for (int y = first; y <= last; ++y) {
        const AnsiString& line = editor.Lines()[y];
        if (indent)
            edit.Put(y, " " + line);
        else if (!line.empty() && line[0] == ' ')
            edit.Put(y, line.substr(1));
    }
}

} // namespace

void SelectEditorRange(EditorCore& editor, int line, int column, int length)
{
    editor.SetBlockBegin({ std::max(0, column - 1), std::max(0, line - 1) });
    editor.SetSelLength(length);
}

bool FindInEditor(EditorCore& editor, const AnsiString& what, bool matchCase)
{
    if (what.empty()) return false;
    const AnsiString text = editor.Lines().GetText();
    const size_t from = static_cast<size_t>(editor.SelStart() + editor.SelLength());
    if (from > text.size()) return false;
    const size_t hit = matchCase ? text.find(what, from) : Upper(text).find(Upper(what), from);
    if (hit == AnsiString::npos) return false;
    editor.SetSelStart(static_cast<int>(hit));
    editor.SetSelLength(static_cast<int>(what.size()));
    return true;
}

void IndentBlock(EditorCore& editor)
{
    ShiftBlock(editor, true);
}

void UnindentBlock(EditorCore& editor)
{
    ShiftBlock(editor, false);
}

bool EnterWithAutoIndent(EditorCore& editor, bool autoIndent)
{
    if (editor.ReadOnly()) return false;
    TqzText& lines = editor.Lines();
    if (lines.Count() == 0) return false;
    LineEdit edit(editor);
    int indent = 0;
    if (editor.BlockNotEmpty()) {
        // The selection goes first; the line then splits without indent, as
        // the editor's own Enter would split it.
        editor.ClearBlock(true);
    } else if (autoIndent && editor.CaretY() < lines.Count()) {
        const AnsiString& line = lines[editor.CaretY()];
        indent = static_cast<int>(line.find_first_not_of(" \t"));
        if (indent < 0) indent = static_cast<int>(line.size());
    }
    const int y = editor.CaretY();
    const int x = editor.CaretX();
    while (lines.Count() <= y)
        edit.Insert(lines.Count(), AnsiString());
    const AnsiString line = lines[y];
    const size_t cut = std::min(static_cast<size_t>(x), line.size());
    edit.Put(y, line.substr(0, cut));
    edit.Insert(y + 1, AnsiString(static_cast<size_t>(indent), ' ') + line.substr(cut));
    editor.SetBlockBegin({ indent, y + 1 });
    return true;
}

bool TabInEmptyText(EditorCore& editor)
{
    if (editor.ReadOnly()) return false;
    TqzText& lines = editor.Lines();
    if (!(lines.Count() == 0 || (lines.Count() == 1 && lines[0].empty()))) return false;
    const int width = editor.TabScale();
    {
        LineEdit edit(editor);
        if (lines.Count() == 0)
            edit.Insert(0, AnsiString(static_cast<size_t>(width), ' '));
        else
            edit.Put(0, AnsiString(static_cast<size_t>(width), ' '));
    }
    editor.SetBlockBegin({ width, 0 });
    return true;
}

int ReplaceNext(EditorCore& editor, const AnsiString& what, const AnsiString& with, bool matchCase, ReplaceMode mode)
{
    if (what.empty() || editor.ReadOnly()) return 0;
    int replaced = 0;
    LineEdit edit(editor);
    if (!(editor.BlockNotEmpty() && SameText(editor.SelText(), what, matchCase))) {
        // Replace shows the hit first and replaces it on the next press; All
        // goes on at once.
        if (!FindInEditor(editor, what, matchCase) || mode == ReplaceMode::Once) return 0;
    }
    do {
        editor.SetSelText(with);
        ++replaced;
        // The caret stands after the inserted text: the search goes on from
        // there, so a replacement that contains the search text still ends.
        editor.SetBlockBegin({ editor.CaretX(), editor.CaretY() });
        if (!FindInEditor(editor, what, matchCase)) break;
    } while (mode == ReplaceMode::All);
    return replaced;
}

void MergeToEnd(EditorCore& editor, const AnsiString& text)
{
    if (editor.ReadOnly()) return;
    TqzText merged;
    merged.SetText(text);
    const int oldLength = static_cast<int>(editor.Lines().GetText().size());
    {
        LineEdit edit(editor);
        for (int k = 0; k < merged.Count(); ++k)
            edit.Insert(editor.Lines().Count(), merged[k]);
    }
    const int total = static_cast<int>(editor.Lines().GetText().size());
    const int start = std::max(0, oldLength - 1);
    editor.SetSelStart(start);
    editor.SetSelLength(total - start);
}

void MergeAtCursor(EditorCore& editor, const AnsiString& text)
{
    if (editor.ReadOnly()) return;
    TqzText merged;
    merged.SetText(text);
    AnsiString inserted;
    for (int k = 0; k < merged.Count(); ++k)
        inserted += merged[k] + "\r\n";
    const int start = editor.SelStart();
    {
        LineEdit edit(editor);
        editor.SetSelText(inserted);
    }
    editor.SetSelStart(start);
    editor.SetSelLength(std::max(0, static_cast<int>(inserted.size()) - 2));
}

AnsiString FileText(const EditorCore& editor)
{
    const TqzText& lines = editor.Lines();
    AnsiString result;
    for (int k = 0; k < lines.Count(); ++k)
        result += lines[k] + "\r\n";
    return result;
}

} // namespace EditCommands
