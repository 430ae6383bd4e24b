#include "ide/FindForm.h"

#include "platform/AnsiText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TFindForm::TFindForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setWindowTitle("Quorvatine Find...");
    setModal(false);
    auto* label = new QLabel("Find What:", this);
    FindTextt = new QLineEdit(this);
    FindNext = new QPushButton("&Find Next", this);
    FindFirst = new QPushButton("Fin&d First", this);
    MatchCase = new QCheckBox("&Match Case", this);
    Cancel = new QPushButton("&Cancel", this);
    FindNext->setDefault(true);
    label->setBuddy(FindTextt);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(FindTextt, 0, 1);
    grid->addWidget(FindNext, 0, 2);
    grid->addWidget(MatchCase, 1, 1);
    grid->addWidget(FindFirst, 1, 2);
    grid->addWidget(Cancel, 2, 2);

    connect(FindNext, &QPushButton::clicked, this, [this] { FindNextClick(); });
    connect(FindFirst, &QPushButton::clicked, this, [this] { FindFirstClick(); });
    connect(Cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

bool TFindForm::MatchCaseChecked() const
{
    return MatchCase->isChecked();
}

void TFindForm::SetMatchCase(bool on)
{
    MatchCase->setChecked(on);
}

void TFindForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (firstActivation) {
        firstActivation = false;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
        }
    }
    FindTextt->setText(platform::toQString(mode == Mode::Editor ? editorSearchText : helpSearchText));
    FindTextt->selectAll();
    FindTextt->setFocus();
}

void TFindForm::StoreSearchText()
{
    const AnsiString text = platform::fromQString(FindTextt->text());
    (mode == Mode::Editor ? editorSearchText : helpSearchText) = text;
}

void TFindForm::FindFirstClick()
{
    StoreSearchText();
    if (mode == Mode::Help) {
        if (helpToStart) helpToStart();
        if (helpFindAgain) helpFindAgain();
    } else {
        if (editorToStart) editorToStart();
        if (findInEditor) findInEditor(editorSearchText, MatchCaseChecked());
    }
    FindTextt->setFocus();
}

void TFindForm::FindNextClick()
{
    StoreSearchText();
    if (mode == Mode::Help) {
        if (helpFindAgain) helpFindAgain();
    } else if (findInEditor) {
        findInEditor(editorSearchText, MatchCaseChecked());
    }
}

void TFindForm::CancelClick()
{
    FindTextt->setFocus();
    hide();
}

TReplaceForm::TReplaceForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setWindowTitle("Replace");
    setModal(false);
    auto* findLabel = new QLabel("Fi&nd what:", this);
    auto* replaceLabel = new QLabel("Re&place with:", this);
    FindEdit = new QLineEdit(this);
    ReplaceEdit = new QLineEdit(this);
    findLabel->setBuddy(FindEdit);
    replaceLabel->setBuddy(ReplaceEdit);
    MatchCase = new QCheckBox("Match &case", this);
    FindNextButton = new QPushButton("&Find Next", this);
    ReplaceButton = new QPushButton("&Replace", this);
    ReplaceAllButton = new QPushButton("Replace &All", this);
    CancelButton = new QPushButton("Cancel", this);
    FindNextButton->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(FindEdit, 0, 1);
    grid->addWidget(FindNextButton, 0, 2);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(ReplaceEdit, 1, 1);
    grid->addWidget(ReplaceButton, 1, 2);
    grid->addWidget(MatchCase, 2, 1);
    grid->addWidget(ReplaceAllButton, 2, 2);
    grid->addWidget(CancelButton, 3, 2);

    connect(FindNextButton, &QPushButton::clicked, this, [this] {
        if (onFindNext) onFindNext();
    });
    connect(ReplaceButton, &QPushButton::clicked, this, [this] {
        if (onReplace) onReplace();
    });
    connect(ReplaceAllButton, &QPushButton::clicked, this, [this] {
        if (onReplaceAll) onReplaceAll();
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::hide);
}

AnsiString TReplaceForm::FindText() const
{
    return platform::fromQString(FindEdit->text());
}

void TReplaceForm::SetFindText(const AnsiString& text)
{
    FindEdit->setText(platform::toQString(text));
}

AnsiString TReplaceForm::ReplaceText() const
{
    return platform::fromQString(ReplaceEdit->text());
}

void TReplaceForm::SetReplaceText(const AnsiString& text)
{
    ReplaceEdit->setText(platform::toQString(text));
}

bool TReplaceForm::MatchCaseChecked() const
{
    return MatchCase->isChecked();
}

void TReplaceForm::SetMatchCase(bool on)
{
    MatchCase->setChecked(on);
}
