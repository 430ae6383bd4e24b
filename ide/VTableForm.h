#pragma once

#include "base/Values.h"

#include <QDialog>

#include <vector>

class QPlainTextEdit;

// The variables window: one line per variable under a fixed header. Shown
// modally by the editor after a run and without a modal loop by the debug
// window at a stop.
class TVTableForm : public QDialog {
public:
    explicit TVTableForm(QWidget* parent = nullptr);
    ~TVTableForm() override;

    void SetLines(const std::vector<AnsiString>& lines);
    AnsiString ListText() const;

    // The header line; its words stand over the list's columns.
    QWidget* Memo3 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool firstActivation = true;
};

// The one variables window, set while it exists.
extern TVTableForm* VTableForm;
