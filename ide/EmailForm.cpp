#include "ide/EmailForm.h"

#include "platform/AnsiText.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* BoldLabel(QWidget* parent, int pixels)
{
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(pixels);
    label->setFont(font);
    return label;
}

} // namespace

TEmailForm::TEmailForm()
    : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , label1(BoldLabel(this, 32))
    , label2(BoldLabel(this, 16))
{
    setWindowTitle("Email Status");
    setFixedSize(610, 185);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(label1);
    layout->addWidget(label2);
    layout->addStretch();
    label2->hide();
}

void TEmailForm::Status(const AnsiString& text)
{
    label1->setText(platform::toQString(text));
    if (isVisible()) QCoreApplication::processEvents();
}

AnsiString TEmailForm::ProgressLine(int64_t sent, int64_t total)
{
    const int64_t percent = total == 0 ? 0 : sent * 100 / total;
    return std::to_string(sent) + " bytes out of " + std::to_string(total) + " transferred (" + std::to_string(percent)
        + "%)";
}

void TEmailForm::Progress(int64_t sent, int64_t total)
{
    label2->setText(platform::toQString(ProgressLine(sent, total)));
    label2->setVisible(true);
}

void TEmailForm::Show()
{
    abandoned = false;
    show();
    raise();
    activateWindow();
    QCoreApplication::processEvents();
}

void TEmailForm::Close()
{
    closingByProgram = true;
    close();
    closingByProgram = false;
}

QString TEmailForm::StatusText() const
{
    return label1->text();
}

QString TEmailForm::ProgressText() const
{
    return label2->text();
}

bool TEmailForm::ProgressVisible() const
{
    return !label2->isHidden();
}

void TEmailForm::showEvent(QShowEvent* event)
{
    // Each activation starts with an empty progress line, centred on the screen.
    label2->setText("");
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - frameGeometry().width()) / 2, (area.height() - frameGeometry().height()) / 2);
    }
    QWidget::showEvent(event);
}

void TEmailForm::closeEvent(QCloseEvent* event)
{
    if (!closingByProgram && isVisible()) abandoned = true;
    label2->hide();
    label2->setText("");
    QWidget::closeEvent(event);
}
