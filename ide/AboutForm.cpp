#include "ide/AboutForm.h"

#include "ide/AboutInfo.h"
#include "platform/AnsiText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutForm* AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("About Quorvatine");
    // A box of fixed content: nothing to minimise, maximise or resize.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(20, 16, 20, 12);

    auto* title = new QLabel(platform::toQString(AboutInfo::programTitle), this);
    title->setObjectName("title");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title->setFont(titleFont);
    layout->addWidget(title);

    auto* summary = new QLabel(platform::toQString(AboutInfo::programSummary), this);
    summary->setObjectName("summary");
    summary->setWordWrap(true);
    layout->addWidget(summary);

    libraries = new QLabel(this);
    libraries->setObjectName("libraries");
    // The versions are what a bug report needs: they can be selected and copied.
    libraries->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(libraries);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    summary->setFixedWidth(360);
}

TAboutForm::~TAboutForm()
{
    if (AboutForm == this) AboutForm = nullptr;
}

void TAboutForm::FillLibraries()
{
    QString text = "Runs on:";
    for (const AnsiString& line : AboutInfo::LibraryLines(AboutInfo::RunningLibraries()))
        text += "\n    " + platform::toQString(line);
    libraries->setText(text);
}

void TAboutForm::ShowModalOver(const QWidget& owner)
{
    FillLibraries();
    adjustSize();
    const QRect area = owner.frameGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
    // Enter presses OK wherever a click left the focus last time.
    okButton->setFocus();
    exec();
}

void TAboutForm::ShowFor(const QWidget& owner)
{
    if (AboutForm) return AboutForm->ShowModalOver(owner);
    TAboutForm box;
    box.ShowModalOver(owner);
}
