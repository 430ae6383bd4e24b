#pragma once

#include "platform/Dialogs.h"

#include <QDialog>
#include <QRect>
#include <QSize>

class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QWidget;

// Where the message form appears and how large: the caller's width and height
// when above 0, else sized for `columns` characters of the font's point size
// and `lines` lines of its pixel height; held within the desktop (width 200 to
// desktop - 50, height 150 to desktop - 100, the bounds swapped should the
// lower pass the upper); centred, unless top or left (when not negative) say
// otherwise.
QRect MessageFormGeometry(
    const platform::MessageFormRequest& request, int pointSize, int fontPixelHeight, QSize desktop);

// The run-time message form: a text or a file with OK and Cancel. The caller
// fills the fields (one-shot placement fields return to -1 at every showing)
// and shows it modally; `result` is 1 after OK, 0 after Cancel or a close.
class TMessageForm : public QDialog {
public:
    explicit TMessageForm(QWidget* parent = nullptr);

    int result = 0;
    int columns = 0;
    int lines = 0;
    int mode = 1;
    int top = -1;
    int left = -1;
    int width = -1;
    int height = -1;
    int wordWrap = -1;
    AnsiString rtfFile;

    // Takes the fields from a request (the text into Memo1 in mode 1).
    void Fill(const platform::MessageFormRequest& request);
    // Lays the form out for the fields and resets the one-shot ones.
    void FormActivate();
    void OkClick();
    void CancelClick();

    QPlainTextEdit* Memo1 = nullptr;
    QTextEdit* Memo2 = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* Ok_B = nullptr;
    QPushButton* Cancel_B = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Finish(int answer);
};
