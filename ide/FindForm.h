#pragma once

#include "base/Values.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The search dialog, shared by the editor and the help window. It keeps one
// search text for each of them; the mode says which one is shown and which
// target Find First and Find Next search.
class TFindForm : public QDialog {
public:
    enum class Mode { Editor, Help };

    explicit TFindForm(QWidget* parent = nullptr);

    void SetMode(Mode m) { mode = m; }
    Mode GetMode() const { return mode; }
    const AnsiString& EditorSearchText() const { return editorSearchText; }
    void SetEditorSearchText(const AnsiString& text) { editorSearchText = text; }
    const AnsiString& HelpSearchText() const { return helpSearchText; }
    void SetHelpSearchText(const AnsiString& text) { helpSearchText = text; }
    bool MatchCaseChecked() const;
    void SetMatchCase(bool on);

    void FindFirstClick();
    void FindNextClick();
    void CancelClick();

    // The targets: the editor's search from the end of its selection, moving
    // its selection to the start, and the help window's Find Again and its
    // move to the start (unset until that window exists).
    std::function<bool(const AnsiString& text, bool matchCase)> findInEditor;
    std::function<void()> editorToStart;
    std::function<void()> helpFindAgain;
    std::function<void()> helpToStart;

    QLineEdit* FindTextt = nullptr;
    QPushButton* FindNext = nullptr;
    QPushButton* FindFirst = nullptr;
    QCheckBox* MatchCase = nullptr;
    QPushButton* Cancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StoreSearchText();
    Mode mode = Mode::Editor;
    AnsiString editorSearchText;
    AnsiString helpSearchText;
    bool firstActivation = true;
};

// The replace dialog of the editor: both texts, Match case, and the commands
// Find Next, Replace, Replace All and Cancel; it always searches downwards.
class TReplaceForm : public QDialog {
public:
    explicit TReplaceForm(QWidget* parent = nullptr);

    AnsiString FindText() const;
    void SetFindText(const AnsiString& text);
    AnsiString ReplaceText() const;
    void SetReplaceText(const AnsiString& text);
    bool MatchCaseChecked() const;
    void SetMatchCase(bool on);

    std::function<void()> onFindNext;
    std::function<void()> onReplace;
    std::function<void()> onReplaceAll;

    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr;
    QCheckBox* MatchCase = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
