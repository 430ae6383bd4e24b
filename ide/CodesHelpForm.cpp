#include "ide/CodesHelpForm.h"

#include "ide/FindForm.h"
#include "interpreter/Codes_class.h"
#include "platform/AnsiText.h"
#include "platform/MessageBoxes.h"
#include "platform/gui/RtfDocument.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

TCodesHelpForm* CodesHelpForm = nullptr;

namespace {

struct TreeNode {
    int level;
    const char* title;
};

const TreeNode tree[] = {
#define HELP_TOPIC(level, title) { level, title },
#include "ide/HelpTopics.inc"
#undef HELP_TOPIC
};

const AnsiString bullet(1, static_cast<char>(149));

std::vector<AnsiString> KeywordNames(int kind)
{
    AnsiString text;
    Vocabulary::instance().KeywordList(kind, text);
    std::vector<AnsiString> names;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == AnsiString::npos) end = text.size();
        if (end > start) names.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return names;
}

QToolButton* ToolButton(QWidget* parent, const char* text, const char* hint)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(hint);
    return button;
}

QComboBox* ListBox(QWidget* parent, const char* hint)
{
    auto* box = new QComboBox(parent);
    box->setToolTip(hint);
    // Narrow lists keep the window's smallest width modest; the drop-down
    // shows the names in full.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(9);
    box->setMaxVisibleItems(30);
    return box;
}

} // namespace

TCodesHelpForm::TCodesHelpForm(const AnsiString& path, TFindForm& findForm, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , helpFile(path)
    , find(findForm)
{
    setWindowTitle("Quorvatine Reference Manual");
    auto* bar = new QWidget(this);
    SearchButton = ToolButton(bar, "Find", "Find A Text");
    CopyButton = ToolButton(bar, "Copy", "Copy Current Selection To ClipBoard");
    CommandsBox = ListBox(bar, "Commands List");
    FunctionsBox = ListBox(bar, "Functions List");
    ConstantsBox = ListBox(bar, "Constants List");
    AllVerbsBox = ListBox(bar, "Commands And Functions List");
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(2, 2, 2, 2);
    barLayout->addWidget(SearchButton);
    barLayout->addWidget(CopyButton);
    const std::pair<const char*, QComboBox*> lists[] = { { "Cmnds:", CommandsBox }, { "Fnctns:", FunctionsBox },
        { "Cnstnts:", ConstantsBox }, { "All:", AllVerbsBox } };
    for (const auto& [label, box] : lists) {
        barLayout->addWidget(new QLabel(label, bar));
        barLayout->addWidget(box);
    }
    barLayout->addStretch(1);

    Splitter1 = new QSplitter(this);
    TreeView1 = new QTreeWidget(Splitter1);
    TreeView1->setHeaderHidden(true);
    HelpPage = new QTextEdit(Splitter1);
    HelpPage->setReadOnly(true);
    HelpPage->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont bold = HelpPage->font();
    bold.setBold(true);
    HelpPage->setFont(bold);
    const AnsiString missing = "The file Quorvatine_HelpFile.RTF \ncould not be found.\n\nYou need this file to reside "
                               "in the same \nfolder as the\nQuorvatine.exe to be able to get help.\n\nYou can "
                               "download the file from:\n"
        + helpFile + "\n";
    HelpPage->setPlainText(platform::toQString(missing));
    Splitter1->addWidget(TreeView1);
    Splitter1->addWidget(HelpPage);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({ 260, 800 });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(Splitter1, 1);

    PopupMenu = new QMenu(this);
    connect(PopupMenu->addAction("Copy"), &QAction::triggered, this, [this] { CopyButtonClick(); });
    connect(PopupMenu->addAction("Find..."), &QAction::triggered, this, [this] { SearchButtonClick(); });
    connect(PopupMenu->addAction("Find Again"), &QAction::triggered, this, [this] { FindAgainClick(); });
    connect(PopupMenu->addAction("Select All"), &QAction::triggered, this, [this] { SelectAllClick(); });
    for (QWidget* widget : { static_cast<QWidget*>(HelpPage), static_cast<QWidget*>(TreeView1) }) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this,
            [this, widget](const QPoint& at) { PopupMenu->popup(widget->mapToGlobal(at)); });
        widget->installEventFilter(this);
    }

    BuildTree();
    connect(SearchButton, &QToolButton::clicked, this, [this] { SearchButtonClick(); });
    connect(CopyButton, &QToolButton::clicked, this, [this] { CopyButtonClick(); });
    for (QComboBox* box : { CommandsBox, FunctionsBox, ConstantsBox, AllVerbsBox })
        connect(box, &QComboBox::activated, this, [this, box](int index) { ListChoice(box, index); });
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
        [this](QTreeWidgetItem* item, QTreeWidgetItem*) { TopicSelected(item); });
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) { TreeClicked(item); });

    find.helpFindAgain = [this] { FindAgainClick(); };
    find.helpToStart = [this] {
        QTextCursor cursor(HelpPage->document());
        HelpPage->setTextCursor(cursor);
    };
    if (!CodesHelpForm) CodesHelpForm = this;
}

TCodesHelpForm::~TCodesHelpForm()
{
    find.helpFindAgain = nullptr;
    find.helpToStart = nullptr;
    if (CodesHelpForm == this) CodesHelpForm = nullptr;
}

void TCodesHelpForm::BuildTree()
{
    std::vector<QTreeWidgetItem*> parents;
    for (const TreeNode& node : tree) {
        parents.resize(static_cast<size_t>(node.level));
        auto* item = parents.empty() ? new QTreeWidgetItem(TreeView1) : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromLatin1(node.title));
        parents.push_back(item);
    }
}

void TCodesHelpForm::SetBoundsFromSettings(const QRect& bounds, int treeWidth)
{
    boundsFromSettings = true;
    setGeometry(bounds);
    if (treeWidth > 0) Splitter1->setSizes({ treeWidth, std::max(100, bounds.width() - treeWidth) });
}

int TCodesHelpForm::TreeWidth() const
{
    return Splitter1->sizes().value(0);
}

void TCodesHelpForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (firstActivation) {
        firstActivation = false;
        FirstActivation();
    }
}

void TCodesHelpForm::FillScreen()
{
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shownOn) return;
    const QRect area = shownOn->availableGeometry();
    resize(area.width() - 5, area.height() - 5);
    move(area.left() + 2, area.top() + 2);
    // Under a window manager the frame comes on top of that size, and its
    // title bar would end up above the screen's edge, out of reach; a
    // maximised window fills the desktop frame and all.
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TCodesHelpForm::FirstActivation()
{
    if (!boundsFromSettings) {
        FillScreen();
    }
    loaded = rtf::LoadFile(helpFile, *HelpPage->document());
    if (!loaded)
        platform::messageBoxes().show(
            "The Quorvatine Help File Is Not Found\r    You can down load a copy from\r        " + helpFile,
            "ERRROR----", platform::MessageFlags::IconError);
    if (QTreeWidgetItem* first = TreeView1->topLevelItem(0)) {
        // The first topic is shown even when it was already the current item.
        if (TreeView1->currentItem() == first)
            TopicSelected(first);
        else
            TreeView1->setCurrentItem(first);
    }
    FillLists();
    HelpPage->setFocus();
}

void TCodesHelpForm::FillLists()
{
    auto fill = [](QComboBox* box, std::vector<AnsiString> names) {
        std::sort(names.begin(), names.end());
        box->clear();
        for (const AnsiString& name : names)
            box->addItem(platform::toQString(name));
    };
    const std::vector<AnsiString> commands = KeywordNames(0);
    const std::vector<AnsiString> functions = KeywordNames(1);
    fill(CommandsBox, commands);
    fill(FunctionsBox, functions);
    fill(ConstantsBox, KeywordNames(3));
    std::vector<AnsiString> all;
    for (const AnsiString& name : commands)
        all.push_back(name + "   ");
    for (const AnsiString& name : functions)
        all.push_back(name + "( )");
    fill(AllVerbsBox, all);
}

bool TCodesHelpForm::FindInHelp(const AnsiString& text, bool matchCase, int start, int skipBefore, int skipAfter)
{
    const QString key = platform::toQString(text);
    const QTextCursor hit = HelpPage->document()->find(
        key, std::max(0, start), matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags());
    if (hit.isNull()) return false;
    HelpPage->setFocus();
    QTextCursor selection(HelpPage->document());
    const int from = hit.selectionStart() + skipBefore;
    selection.setPosition(from);
    selection.setPosition(
        from + std::max(0, static_cast<int>(key.size()) - skipBefore - skipAfter), QTextCursor::KeepAnchor);
    HelpPage->setTextCursor(selection);
    HelpPage->ensureCursorVisible();
    return true;
}

void TCodesHelpForm::CaretToEnd()
{
    QTextCursor cursor(HelpPage->document());
    cursor.movePosition(QTextCursor::End);
    HelpPage->setTextCursor(cursor);
    HelpPage->ensureCursorVisible();
}

void TCodesHelpForm::TopicSelected(QTreeWidgetItem* item)
{
    if (!item) return;
    // A title under several parents ("General Information") is searched from
    // its parent's topic on, so each finds its own section.
    std::vector<QTreeWidgetItem*> path;
    for (QTreeWidgetItem* node = item; node; node = node->parent())
        path.insert(path.begin(), node);
    CaretToEnd();
    int start = 0;
    for (QTreeWidgetItem* node : path) {
        const AnsiString key = bullet + platform::fromQString(node->text(0).trimmed());
        const QTextCursor hit
            = HelpPage->document()->find(platform::toQString(key), start, QTextDocument::FindCaseSensitively);
        if (hit.isNull()) break;
        if (node == item) {
            FindInHelp(key, true, start, 1, 0);
            break;
        }
        start = hit.selectionStart();
    }
    lastTopic = SelectedText();
    TreeView1->setFocus();
}

void TCodesHelpForm::TreeClicked(QTreeWidgetItem* item)
{
    if (!item) return;
    if (SelectedText() != lastTopic || platform::fromQString(item->text(0).trimmed()) != lastTopic) TopicSelected(item);
}

void TCodesHelpForm::ListChoice(QComboBox* box, int index)
{
    if (index < 0 || index >= box->count()) return;
    AnsiString item = platform::fromQString(box->itemText(index));
    AnsiString key;
    if (box == CommandsBox)
        key = bullet + item + " ";
    else if (box == FunctionsBox)
        key = bullet + item + "(";
    else if (box == ConstantsBox)
        key = bullet + item + "\t";
    else
        key = bullet + item.substr(0, item.size() >= 2 ? item.size() - 2 : 0);
    CaretToEnd();
    FindInHelp(key, false, 0, 1, 1);
}

AnsiString TCodesHelpForm::SelectedText() const
{
    QString text = HelpPage->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, '\n').replace(QChar::LineSeparator, '\n');
    return platform::fromQString(text);
}

void TCodesHelpForm::SearchButtonClick()
{
    if (HelpPage->textCursor().hasSelection()) find.SetHelpSearchText(SelectedText());
    find.SetMode(TFindForm::Mode::Help);
    find.show();
    find.raise();
}

void TCodesHelpForm::FindAgainClick()
{
    const QTextCursor cursor = HelpPage->textCursor();
    const int start = cursor.hasSelection() ? cursor.selectionEnd() : cursor.position();
    FindInHelp(find.HelpSearchText(), find.MatchCaseChecked(), start, 0, 0);
}

void TCodesHelpForm::CopyButtonClick()
{
    // Plain text only: the document's formats stay behind.
    if (HelpPage->textCursor().hasSelection()) QApplication::clipboard()->setText(platform::toQString(SelectedText()));
    HelpPage->setFocus();
}

void TCodesHelpForm::SelectAllClick()
{
    HelpPage->selectAll();
}

void TCodesHelpForm::closeEvent(QCloseEvent* event)
{
    find.hide();
    QWidget::closeEvent(event);
}

bool TCodesHelpForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != HelpPage && watched != TreeView1) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier) {
            switch (key->key()) {
            case Qt::Key_A:
                SelectAllClick();
                return true;
            case Qt::Key_C:
                CopyButtonClick();
                return true;
            case Qt::Key_F:
                SearchButtonClick();
                return true;
            default:
                break;
            }
        }
    } else if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F3 && !key->isAutoRepeat()) {
            FindAgainClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
