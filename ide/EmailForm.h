#pragma once

#include "interpreter/RunHooks.h"

#include <QWidget>

class QLabel;

// "Email Status": the status of the message going out in large letters and,
// once the first block has left, how much of it has been sent.
class TEmailForm final : public QWidget, public EmailWindow {
public:
    TEmailForm();

    void Status(const AnsiString& text) override;
    void Progress(int64_t sent, int64_t total) override;
    void Show() override;
    void Close() override;
    bool Abandoned() const override { return abandoned; }

    QString StatusText() const;
    QString ProgressText() const;
    bool ProgressVisible() const;

    // "n bytes out of t transferred (p%)", p in integer arithmetic, 0 while t is 0.
    static AnsiString ProgressLine(int64_t sent, int64_t total);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label1;
    QLabel* label2;
    // Set when the user closes the window while a message is going out;
    // cleared when the window is shown again.
    bool abandoned = false;
    bool closingByProgram = false;
};
