#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/ProgramControl.h"

#include <QPlainTextEdit>

#include <functional>

// A multi-line text box a program makes. Its lines are the logical lines of
// the text, also while long lines wrap; positions the program sees count a
// line break as two characters (CR LF), as the text it reads has them.
class Memo : public QPlainTextEdit, public ProgramControl {
public:
    // The initial text is left to the screen, to set once its handler is
    // bound: an initial text is already a change.
    Memo(const ControlSurface& surface, const NewMemo& made);

    // Set by the screen: the text changed, by typing or by the program.
    std::function<void()> onChange;
    // Set by a change, cleared by reading it through property 8.
    mutable bool changed = false;

    // Selects length characters from a column (from 1) of a line (from 1),
    // the column and length kept within that line.
    void SelectLineColumn(int line, int column, int length);
    // Selects length characters from a position (from 1, breaks counting 2).
    void SelectPosition(int position, int length);

    void Action(ControlProperty action, const AnsiString& text) override;
    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;
    void SetDimensions(int left, int top, int width, int height) override;
    AnsiString Text(ControlProperty property, int n) const override;

private:
    // Line n from 1, beyond the end the last; -1 for n below 1 or no lines.
    int LineIndex(int n) const;
    int LineCount() const;
    void ReplaceText(const QString& text);
    // The document position of a position counted with two-character breaks.
    int DocumentPosition(long long position) const;
    // The other way round.
    int CountedPosition(int documentPosition) const;

    const Palette& palette;
    int scrollBars = 0;
};
