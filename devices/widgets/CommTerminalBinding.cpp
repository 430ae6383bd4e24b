#include "devices/widgets/CommTerminalBinding.h"

#include "platform/AnsiText.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

CommTerminalBinding::CommTerminalBinding(TqzComm& port, QWidget* target)
    : QObject(target)
    , comm(port)
    , widget(target)
{
    target->installEventFilter(this);
    comm.SetTerminal(this);
}

CommTerminalBinding::~CommTerminalBinding()
{
    if (comm.Terminal() == this) comm.SetTerminal(nullptr);
}

bool CommTerminalBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget || event->type() != QEvent::KeyPress) return false;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() != 1 || (!text[0].isPrint() && text[0] != QChar('\r') && text[0] != QChar('\b'))) return false;
    char byte = 0;
    if (!platform::characterToByte(text[0].unicode(), byte)) return false;
    // Shown only when the component says so; a character the component puts
    // in itself never passes here, so nothing goes back to the line.
    return !comm.TerminalTyped(static_cast<uint8_t>(byte));
}

void CommTerminalBinding::PutReceived(const AnsiString& bytes)
{
    QString text;
    for (const char c : bytes)
        if (c != '\0') text += QChar(static_cast<char16_t>(platform::byteToCharacter(static_cast<unsigned char>(c))));
    if (text.isEmpty()) return;
    // Received on the component's message thread; shown on the widget's.
    QMetaObject::invokeMethod(
        this, [this, text] { Insert(text); }, Qt::QueuedConnection);
}

void CommTerminalBinding::Insert(const QString& text)
{
    if (!widget) return;
    if (auto* line = qobject_cast<QLineEdit*>(widget.data()))
        line->insert(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget.data()))
        plain->insertPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(widget.data()))
        rich->insertPlainText(text);
}

void BindModemMonitor(TqzComm& comm, TModemSignal signal, QAbstractButton* button)
{
    QPointer<QAbstractButton> target(button);
    comm.SetMonitor(signal, [target](bool on) {
        // The button belongs to the GUI thread: it is looked at only there.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [target, on] {
                if (target) target->setChecked(on);
            },
            Qt::QueuedConnection);
    });
}
