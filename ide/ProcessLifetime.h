#pragma once

#include <QObject>

#include <functional>

class QWidget;

// The one place that decides when the environment's process ends, and that it
// never lives on with nothing on the screen.
//
// The process ends when the editor, its main window, has closed for good:
// by its close box, Alt+F4, File > Exit or F12 once the user has answered
// for unsaved files, or by itself when a program run from the command line
// ended in a way that leaves nothing to edit. Every other window (the
// run-time screen, the debug, variables and help windows, dialogs) comes and
// goes; but when the last shown window goes while no run is on the stack and
// the editor is not closing by itself, the editor shows again. A process
// with no window would be out of the user's reach: nothing could end it but
// a kill.
namespace ProcessLifetime {

enum class Next { Wait, ShowEditor, End };

struct Situation {
    // The editor has closed for good.
    bool editorClosed = false;
    // Some window of the process is shown (a minimised window counts).
    bool windowShown = false;
    // The environment is about to show or close a window by itself: its
    // start-up has not run yet, a run is on the stack, or the editor is
    // about to close.
    bool busy = false;
};

Next Decide(const Situation& now);

// Watches the close and hide of every window of the application and acts on
// Decide. The environment makes one; the editor reports its own accepted
// close through End.
class Keeper : public QObject {
public:
    // `busy` answers Situation::busy.
    Keeper(QWidget& editor, std::function<bool()> busy);
    ~Keeper() override;

    // The editor has closed for good: the event loop ends with `status`.
    void End(int status);
    bool Ended() const { return ended; }
    // Looks again once the current event is done (after a run, say).
    void ReviewSoon();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Review();

    QWidget& editor;
    std::function<bool()> busy;
    bool ended = false;
    bool reviewPending = false;
};

} // namespace ProcessLifetime
