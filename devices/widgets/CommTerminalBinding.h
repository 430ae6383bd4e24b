#pragma once

#include "devices/SerialComm.h"

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

// Binds a serial component to a text widget as its terminal: typed
// characters go to the line (and show only with TerminalEcho on), received
// bytes are put into the widget at its cursor, replacing the selection, with
// zero bytes dropped. Works on a line edit (a program's edit control), a
// plain text edit and a rich text edit. The binding watches the widget's key
// presses through an event filter and forgets a widget that goes away. The
// binding belongs to the widget; bind and unbind while the port is closed,
// as the component's threads hand received bytes to it.
class CommTerminalBinding : public QObject, public CommTerminal {
public:
    CommTerminalBinding(TqzComm& comm, QWidget* widget);
    ~CommTerminalBinding() override;
    void PutReceived(const AnsiString& bytes) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TqzComm& comm;
    QPointer<QWidget> widget;
    void Insert(const QString& text);
};

// Sets a checkable button's check mark from a modem signal whenever the
// component's trace-state event fires (on the GUI thread).
void BindModemMonitor(TqzComm& comm, TModemSignal signal, QAbstractButton* button);
