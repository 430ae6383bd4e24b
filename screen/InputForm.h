#pragma once

#include "base/Values.h"
#include "screen/InputHistory.h"

#include <QDialog>
#include <QRect>
#include <QSize>

class QLabel;
class QLineEdit;
class QWidget;

// Where the input dialog appears and how large. A width of 50 or less is
// fitted to the initial text and the prompt (at least 50) plus 10; no wider
// than the desktop. A negative x or y centres it; it is kept on the desktop,
// at the right edge narrowed rather than moved off. Without a prompt the
// prompt panel takes no height.
struct InputFormLayout {
    QRect form;
    int promptHeight = 0;
};
InputFormLayout InputFormGeometry(int x, int y, int width, int initialTextWidth, int promptTextWidth, bool hasPrompt,
    int promptPanelHeight, int editPanelHeight, QSize desktop);

// The run-time input dialog: one line at a chosen place, with a prompt and the
// 30 most recent answers (Ctrl+N, Ctrl+P), for the whole program.
class TInputForm : public QDialog {
public:
    explicit TInputForm(QWidget* parent = nullptr);

    AnsiString AskInput(int x, int y, const AnsiString& prompt, const AnsiString& initial, int width);
    // Enter, Ctrl+N (14), Ctrl+P (16) and Esc; true when the key was handled.
    bool Edit1KeyPress(int typedByte);

    AnsiString answer;
    InputHistory history;

    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLineEdit* Edit1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSize Desktop() const;
    int promptPanelHeight = 30;
    int editPanelHeight = 30;
};
