#include "ide/VTableForm.h"

#include "platform/AnsiText.h"

#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TVTableForm* VTableForm = nullptr;

TVTableForm::TVTableForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Quorvatine...Variables Table");
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::Monospace);
    Memo3 = new QLineEdit(this);
    Memo3->setReadOnly(true);
    // The header is no field to work in: focus on it would select it whole.
    Memo3->setFocusPolicy(Qt::NoFocus);
    Memo3->setFont(fixed);
    Memo3->setText(" Type                  Name                                                                Value");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFont(fixed);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(Memo3);
    layout->addWidget(Memo1, 1);
    resize(720, 400);
    if (!VTableForm) VTableForm = this;
}

TVTableForm::~TVTableForm()
{
    if (VTableForm == this) VTableForm = nullptr;
}

void TVTableForm::SetLines(const std::vector<AnsiString>& lines)
{
    AnsiString text;
    for (const AnsiString& line : lines) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    Memo1->setPlainText(platform::toQString(text));
}

AnsiString TVTableForm::ListText() const
{
    return platform::fromQString(Memo1->toPlainText());
}

void TVTableForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The first showing goes to the top left corner; later ones keep the
    // place the user chose.
    if (firstActivation) {
        firstActivation = false;
        move(0, 0);
    }
}
