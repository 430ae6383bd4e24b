#include "ide/CodesHelpForm.h"
#include "ide/FindForm.h"
#include "platform/AnsiText.h"
#include "platform/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace {

AnsiString Lower(AnsiString text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The help window on the real document, shown off screen.
class CodesHelpFormTest : public ::testing::Test {
protected:
    void SetUp() override { platform::setMessageBoxes(&boxes); }
    void TearDown() override { platform::setMessageBoxes(nullptr); }

    void Open(const AnsiString& file = QV_HELP_FILE)
    {
        form = std::make_unique<TCodesHelpForm>(file, find);
        form->show();
    }

    int SelectionStart() const { return form->HelpPage->textCursor().selectionStart(); }

    platform::RecordingMessageBoxes boxes;
    TFindForm find;
    std::unique_ptr<TCodesHelpForm> form;
};

TEST_F(CodesHelpFormTest, EveryTopicSelectsItsOwnTitleInTreeOrder)
{
    Open();
    ASSERT_TRUE(form->DocumentLoaded());
    EXPECT_TRUE(boxes.shown.empty());
    // The first topic is selected at the first showing.
    EXPECT_EQ(form->SelectedText(), "The Integrated Development Environment");

    int previous = -1;
    int nodes = 0;
    for (QTreeWidgetItemIterator it(form->TreeView1); *it; ++it) {
        ++nodes;
        form->TreeView1->setCurrentItem(*it);
        const AnsiString title = platform::fromQString((*it)->text(0));
        EXPECT_EQ(form->SelectedText(), title);
        // Topics follow the tree, so a title under several parents finds the
        // section of its own parent.
        EXPECT_GT(SelectionStart(), previous) << title;
        previous = SelectionStart();
    }
    EXPECT_EQ(nodes, 192);
    EXPECT_EQ(form->TreeView1->topLevelItemCount(), 22);
}

TEST_F(CodesHelpFormTest, EveryListItemSelectsExactlyItsName)
{
    Open();
    for (QComboBox* box : { form->CommandsBox, form->FunctionsBox, form->ConstantsBox, form->AllVerbsBox }) {
        ASSERT_GT(box->count(), 0);
        for (int k = 0; k < box->count(); ++k) {
            AnsiString name = platform::fromQString(box->itemText(k));
            if (box == form->AllVerbsBox) name = name.substr(0, name.size() - 3);
            form->ListChoice(box, k);
            EXPECT_EQ(Lower(form->SelectedText()), Lower(name)) << box->toolTip().toStdString() << " " << name;
        }
    }
    // The bullet marks keys only: one per topic and one per listed name.
    size_t names = 0;
    for (QComboBox* box : { form->CommandsBox, form->FunctionsBox, form->ConstantsBox }) {
        std::set<QString> unique;
        for (int k = 0; k < box->count(); ++k)
            unique.insert(box->itemText(k));
        names += unique.size();
    }
    EXPECT_EQ(static_cast<size_t>(form->HelpPage->toPlainText().count(QChar(0x2022))), 192 + names);

    // A name that starts a longer one is found by its closing character.
    const int print = form->CommandsBox->findText("print");
    ASSERT_GE(print, 0);
    form->ListChoice(form->CommandsBox, print);
    const QTextCursor selection = form->HelpPage->textCursor();
    EXPECT_EQ(form->HelpPage->document()->characterAt(selection.selectionEnd()), QChar(' '));
    EXPECT_EQ(form->AllVerbsBox->findText("print   ") >= 0, true);
    EXPECT_EQ(form->CommandsBox->findText("#include") >= 0, true);
}

TEST_F(CodesHelpFormTest, FindAndFindAgainSearchTheDocument)
{
    Open();
    find.SetMode(TFindForm::Mode::Help);
    find.show();
    find.FindTextt->setText("debug window");
    find.FindFirstClick();
    EXPECT_EQ(Lower(form->SelectedText()), "debug window");
    const int first = SelectionStart();
    find.FindNextClick();
    EXPECT_EQ(Lower(form->SelectedText()), "debug window");
    EXPECT_GT(SelectionStart(), first);

    // Match case finds only the exact spelling; a text that does not occur
    // leaves the selection where it was.
    find.SetMatchCase(true);
    find.FindTextt->setText("DEBUG WINDOW");
    const int before = SelectionStart();
    find.FindNextClick();
    EXPECT_EQ(SelectionStart(), before);

    // Search takes the selection over as the help search text.
    form->SearchButtonClick();
    EXPECT_EQ(Lower(find.HelpSearchText()), "debug window");
    EXPECT_EQ(find.GetMode(), TFindForm::Mode::Help);
}

TEST_F(CodesHelpFormTest, KeysAndTheContextMenuCopyPlainTextAndSearchAgain)
{
    Open();
    auto key = [this](QWidget* target, int code, Qt::KeyboardModifiers modifiers) {
        QKeyEvent press(QEvent::KeyPress, code, modifiers);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, code, modifiers);
        QApplication::sendEvent(target, &release);
    };
    QStringList entries;
    for (const QAction* action : form->PopupMenu->actions())
        entries << action->text();
    EXPECT_EQ(entries, (QStringList { "Copy", "Find...", "Find Again", "Select All" }));

    // The titles are bold and coloured: what reaches the clipboard is their
    // text alone, from the document and from the tree alike.
    form->TreeView1->setCurrentItem(form->TreeView1->topLevelItem(2));
    QApplication::clipboard()->clear();
    key(form->TreeView1, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), "Flow Control Statements");
    EXPECT_FALSE(copied->hasHtml());
    key(form->HelpPage, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form->HelpPage->textCursor().selectionEnd(), form->HelpPage->document()->characterCount() - 1);
    EXPECT_EQ(form->HelpPage->textCursor().selectionStart(), 0);

    // Ctrl+F takes the selection over; F3, on its release, finds the next one.
    form->ListChoice(form->CommandsBox, form->CommandsBox->findText("print"));
    key(form->HelpPage, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(find.HelpSearchText(), "print");
    EXPECT_TRUE(find.isVisible());
    const int first = SelectionStart();
    key(form->HelpPage, Qt::Key_F3, Qt::NoModifier);
    EXPECT_GT(SelectionStart(), first);
    EXPECT_EQ(Lower(form->SelectedText()), "print");

    // Closing the help window takes the find dialog along.
    form->close();
    EXPECT_FALSE(find.isVisible());
}

TEST_F(CodesHelpFormTest, AMissingDocumentLeavesTheWindowUsable)
{
    Open("/nonexistent/folder/Quorvatine_HelpFile.rtf");
    EXPECT_FALSE(form->DocumentLoaded());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "ERRROR----");
    EXPECT_EQ(boxes.shown[0].text,
        "The Quorvatine Help File Is Not Found\r    You can down load a copy from\r        "
        "/nonexistent/folder/Quorvatine_HelpFile.rtf");
    EXPECT_EQ(platform::fromQString(form->HelpPage->toPlainText()).substr(0, 53),
        "The file Quorvatine_HelpFile.RTF \ncould not be found.");
    // Showing again asks nothing more; the lists are there all the same.
    form->hide();
    form->show();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_GT(form->FunctionsBox->count(), 0);
    form->ListChoice(form->FunctionsBox, 0);
}

TEST_F(CodesHelpFormTest, StoredBoundsAreKept)
{
    form = std::make_unique<TCodesHelpForm>(QV_HELP_FILE, find);
    form->SetBoundsFromSettings(QRect(30, 40, 1000, 500), 150);
    form->show();
    EXPECT_EQ(form->geometry().size(), QSize(1000, 500));

    // Without them it fills the desktop's free area, frame included.
    Open();
    const QRect area = form->screen()->availableGeometry();
    QCoreApplication::processEvents(); // the window state changes on its own turn
    EXPECT_TRUE(area.contains(form->frameGeometry()));
    EXPECT_GE(form->frameGeometry().width(), area.width() - 5);
}

} // namespace
