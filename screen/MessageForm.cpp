#include "screen/MessageForm.h"

#include "platform/AnsiText.h"
#include "platform/RichText.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <fstream>

namespace {

constexpr int PanelHeight = 41;
constexpr int BorderWidth = 10;

void Clamp(int& value, int lower, int upper)
{
    if (lower > upper) std::swap(lower, upper);
    value = std::clamp(value, lower, upper);
}

QSize DesktopSize(const QWidget& widget)
{
    const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

} // namespace

QRect MessageFormGeometry(
    const platform::MessageFormRequest& request, int pointSize, int fontPixelHeight, QSize desktop)
{
    int w = request.width > 0 ? request.width : pointSize * request.columns + 20;
    int h = request.height > 0 ? request.height : request.lines * fontPixelHeight + 150;
    Clamp(w, 200, desktop.width() - 50);
    Clamp(h, 150, desktop.height() - 100);
    int x = (desktop.width() - w) / 2;
    int y = (desktop.height() - h) / 2;
    if (request.top >= 0) y = request.top;
    if (request.left >= 0) x = request.left;
    return QRect(x, y, w, h);
}

TMessageForm::TMessageForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MessageForm"));
    setWindowTitle(QStringLiteral("Quorvatine Message "));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFont(QFont(QStringLiteral("Courier New"), 10));
    Memo2 = new QTextEdit(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setFont(QFont(QStringLiteral("Times New Roman"), 10));
    Memo2->hide();
    layout->addWidget(Memo1);
    layout->addWidget(Memo2);
    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(PanelHeight);
    Ok_B = new QPushButton(QStringLiteral("&OK"), Panel1);
    Ok_B->setObjectName(QStringLiteral("Ok_B"));
    Ok_B->setDefault(true);
    Cancel_B = new QPushButton(QStringLiteral("&Cancel"), Panel1);
    Cancel_B->setObjectName(QStringLiteral("Cancel_B"));
    layout->addWidget(Panel1);
    connect(Ok_B, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(Cancel_B, &QPushButton::clicked, this, [this] { CancelClick(); });
    // A close by the window's frame or Esc is a Cancel.
    connect(this, &QDialog::rejected, this, [this] { result = 0; });
}

void TMessageForm::Fill(const platform::MessageFormRequest& request)
{
    setWindowTitle(platform::toQString(request.caption));
    mode = request.mode;
    columns = request.columns;
    lines = request.lines;
    top = request.top;
    left = request.left;
    width = request.width;
    height = request.height;
    wordWrap = request.wordWrap;
    rtfFile = request.rtfFile;
    if (mode == 1) Memo1->setPlainText(platform::toQString(request.text));
}

void TMessageForm::FormActivate()
{
    const QFontMetrics metrics(Memo1->font());
    platform::MessageFormRequest placement;
    placement.columns = columns;
    placement.lines = lines;
    placement.top = top;
    placement.left = left;
    placement.width = width;
    placement.height = height;
    const int pointSize = Memo1->font().pointSize() > 0 ? Memo1->font().pointSize() : 10;
    setGeometry(MessageFormGeometry(placement, pointSize, metrics.height(), DesktopSize(*this)));
    top = left = width = height = -1;

    const int buttonsWidth = Ok_B->sizeHint().width() + Cancel_B->sizeHint().width();
    const int panelWidth = geometry().width() - 2 * BorderWidth;
    const int okLeft = (panelWidth - buttonsWidth) / 2;
    Ok_B->setGeometry(okLeft, 8, Ok_B->sizeHint().width(), Ok_B->sizeHint().height());
    Cancel_B->setGeometry(
        okLeft + Ok_B->sizeHint().width(), 8, Cancel_B->sizeHint().width(), Cancel_B->sizeHint().height());

    result = 0;
    Ok_B->setFocus();
    if (wordWrap == -1) wordWrap = 0;
    const bool wrap = wordWrap != 0;
    if (mode == 1) {
        Memo2->hide();
        Memo1->show();
        Memo1->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        Memo1->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
        Memo1->moveCursor(QTextCursor::Start);
    } else {
        Memo1->hide();
        Memo2->show();
        platform::MessageFormRequest file;
        file.mode = mode;
        file.rtfFile = rtfFile;
        Memo2->setPlainText(platform::toQString(platform::MessageFormText(file)));
        Memo2->setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        Memo2->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
        Memo2->moveCursor(QTextCursor::Start);
    }
    wordWrap = -1;
}

void TMessageForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TMessageForm::OkClick()
{
    Finish(1);
}

void TMessageForm::CancelClick()
{
    Finish(0);
}

void TMessageForm::Finish(int answer)
{
    result = answer;
    Memo1->hide();
    Memo2->hide();
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    done(answer);
}
