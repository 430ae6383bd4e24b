#pragma once

#include "base/Values.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QMenu;
class QSplitter;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFindForm;

// The command help window: the help document beside a topic tree, four lists
// of the language's commands, functions and constants, and a search through
// the find dialog in help mode. A topic or a list item is found in the
// document by its key, the bullet (byte 149) followed by the title or name.
class TCodesHelpForm : public QWidget {
public:
    // `helpFile` is the document's full path; `findForm` the shared find dialog.
    TCodesHelpForm(const AnsiString& helpFile, TFindForm& findForm, QWidget* parent = nullptr);
    ~TCodesHelpForm() override;

    // Searches the document from `start` for text; when found at p, selects
    // from p + skipBefore, text length - skipBefore - skipAfter characters.
    // Answers whether it was found.
    bool FindInHelp(const AnsiString& text, bool matchCase, int start, int skipBefore, int skipAfter);
    void FindAgainClick();
    void SearchButtonClick();
    void CopyButtonClick();
    void SelectAllClick();
    // The choice of a list item, as the user makes it.
    void ListChoice(QComboBox* box, int index);

    // Stored bounds, applied before the first showing.
    void SetBoundsFromSettings(const QRect& bounds, int treeWidth);
    int TreeWidth() const;

    // The selected text of the document (Windows-1252).
    AnsiString SelectedText() const;
    bool DocumentLoaded() const { return loaded; }

    QTextEdit* HelpPage = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QToolButton* SearchButton = nullptr;
    QToolButton* CopyButton = nullptr;
    QComboBox* CommandsBox = nullptr;
    QComboBox* FunctionsBox = nullptr;
    QComboBox* ConstantsBox = nullptr;
    QComboBox* AllVerbsBox = nullptr;
    QMenu* PopupMenu = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FirstActivation();
    void FillScreen();
    void BuildTree();
    void FillLists();
    void TopicSelected(QTreeWidgetItem* item);
    void TreeClicked(QTreeWidgetItem* item);
    void CaretToEnd();

    AnsiString helpFile;
    TFindForm& find;
    bool firstActivation = true;
    bool boundsFromSettings = false;
    bool loaded = false;
    AnsiString lastTopic;
};

// The one help window, set while it exists.
extern TCodesHelpForm* CodesHelpForm;
