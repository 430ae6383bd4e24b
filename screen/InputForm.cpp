#include "screen/InputForm.h"

#include "platform/AnsiText.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int Enter = 13;
constexpr int CtrlN = 14;
constexpr int CtrlP = 16;
constexpr int Escape = 27;
} // namespace

InputFormLayout InputFormGeometry(int x, int y, int width, int initialTextWidth, int promptTextWidth, bool hasPrompt,
    int promptPanelHeight, int editPanelHeight, QSize desktop)
{
    if (width <= 50) width = std::max({ initialTextWidth, 50, promptTextWidth }) + 10;
    width = std::min(width, desktop.width());
    if (x < 0) x = (desktop.width() - width) / 2;
    x = std::min(x, desktop.width() - width);
    if (x + width > desktop.width()) width = desktop.width() - x;
    InputFormLayout layout;
    layout.promptHeight = hasPrompt ? promptPanelHeight : 0;
    const int height = layout.promptHeight + editPanelHeight;
    if (y < 0) y = (desktop.height() - height) / 2;
    y = std::min(y, desktop.height() - height);
    layout.form = QRect(x, y, width, height);
    return layout;
}

TInputForm::TInputForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("InputForm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QWidget(this);
    Label1 = new QLabel(Panel1);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Panel2 = new QWidget(this);
    Edit1 = new QLineEdit(Panel2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("Enter a value here"));
    Edit1->installEventFilter(this);
    layout->addWidget(Panel1);
    layout->addWidget(Panel2);
    promptPanelHeight = QFontMetrics(bold).height() + 10;
    editPanelHeight = Edit1->sizeHint().height() + 6;
}

QSize TInputForm::Desktop() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

AnsiString TInputForm::AskInput(int x, int y, const AnsiString& prompt, const AnsiString& initial, int width)
{
    const QString promptText = platform::toQString(prompt);
    const QString initialText = platform::toQString(initial);
    const InputFormLayout placed
        = InputFormGeometry(x, y, width, QFontMetrics(Edit1->font()).horizontalAdvance(initialText),
            QFontMetrics(Label1->font()).horizontalAdvance(promptText), !prompt.empty(), promptPanelHeight,
            editPanelHeight, Desktop());
    setGeometry(placed.form);
    Panel1->setFixedHeight(placed.promptHeight);
    Panel2->setFixedHeight(editPanelHeight);
    Label1->setGeometry(5, 5, std::max(0, placed.form.width() - 10), std::max(0, placed.promptHeight - 5));
    Edit1->setGeometry(0, 3, std::max(0, placed.form.width() - 3), editPanelHeight - 6);
    Label1->setText(promptText);
    Edit1->setText(initialText);
    Edit1->selectAll();
    answer = initial;
    Edit1->setFocus();
    exec();
    history.Store(platform::fromQString(Edit1->text()));
    return answer;
}

bool TInputForm::Edit1KeyPress(int typedByte)
{
    switch (typedByte) {
    case Enter:
        answer = platform::fromQString(Edit1->text());
        accept();
        return true;
    case CtrlN:
        Edit1->setText(platform::toQString(history.Next()));
        return true;
    case CtrlP:
        Edit1->setText(platform::toQString(history.Previous()));
        return true;
    case Escape:
        reject();
        return true;
    default:
        return false;
    }
}

bool TInputForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        int typed = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            typed = Enter;
        else if (key->key() == Qt::Key_Escape)
            typed = Escape;
        else if ((key->modifiers() & Qt::ControlModifier) && key->key() == Qt::Key_N)
            typed = CtrlN;
        else if ((key->modifiers() & Qt::ControlModifier) && key->key() == Qt::Key_P)
            typed = CtrlP;
        if (typed && Edit1KeyPress(typed)) return true;
    }
    return QDialog::eventFilter(watched, event);
}
