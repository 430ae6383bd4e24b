#include "ide/VTableForm.h"

#include "ide/VariablesList.h"
#include "platform/AnsiText.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringList>
#include <QVBoxLayout>

#include <iterator>

TVTableForm* VTableForm = nullptr;

namespace {

// The header over the list. Its text is the window's own, with the spacing
// of a proportional font; in the list's fixed font that spacing would put
// the words far from their columns, so each word is painted at the column
// it names, and follows the list when it scrolls sideways.
class VariablesHeader : public QWidget {
public:
    VariablesHeader(const QString& header, QPlainTextEdit& columns, QWidget* parent)
        : QWidget(parent)
        , text(header)
        , list(columns)
    {
        setFont(list.font());
        setFixedHeight(QFontMetrics(font()).height() + 6);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
        connect(list.horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        const QFontMetrics metrics(font());
        const QStringList words = text.split(' ', Qt::SkipEmptyParts);
        // Where the list's first character stands, in this widget.
        const int origin = list.viewport()->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x()
            + static_cast<int>(list.document()->documentMargin()) - list.horizontalScrollBar()->value();
        const int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
        for (qsizetype k = 0; k < words.size() && k < static_cast<qsizetype>(std::size(VariablesList::headerColumns));
             ++k) {
            const int x = origin + metrics.horizontalAdvance(QString(VariablesList::headerColumns[k], ' '));
            painter.drawText(x, baseline, words[k]);
        }
    }

private:
    QString text;
    QPlainTextEdit& list;
};

} // namespace

TVTableForm::TVTableForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Quorvatine...Variables Table");
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::Monospace);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFont(fixed);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo3 = new VariablesHeader(
        " Type                  Name                                                                Value", *Memo1,
        this);
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
