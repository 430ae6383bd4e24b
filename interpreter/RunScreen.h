#pragma once

#include "interpreter/RunConsole.h"
#include "interpreter/RunControls.h"
#include "interpreter/RunDrawing.h"
#include "interpreter/RunInput.h"
#include "interpreter/RunMedia.h"

// What a run uses of the run-time screen: run control here, and each family
// of services as a role reached through its accessor (the console, drawing
// and pictures, controls, events and input, media). The window implements
// every role; the headless runner's screen keeps the console itself and hands
// out the window's other roles, making the window when one is first needed;
// tests use a recording stand-in for the roles they drive. Every call happens
// on the interpreter's (GUI) thread.
class RunScreen {
public:
    virtual ~RunScreen() = default;

    // Set when the user stops the run (or closes the screen, or input ends);
    // every wait ends on it. Plain data because the run loop reads it before
    // every statement and the robot and the debugger hold on to it.
    bool stopped = true;
    // Called as a run starts: clears the stop, a pending close request, the
    // close mode and page mode, and resets the screen's drawing state.
    virtual void BeginRun() = 0;
    // True once when the user asked to close the screen while an onabort
    // handler is armed (the request is cleared).
    virtual bool TakeCloseRequest() = 0;
    // 2 while an onabort handler is armed: closing then asks the program.
    virtual void SetCloseMode(int mode) = 0;

    // Printing is the screen call a run makes most, and a screen's console is
    // the same for its whole life: it is reached without a virtual call.
    RunConsole& Console() { return consoleRole; }
    virtual RunDrawing& Drawing() = 0;
    virtual RunInput& Input() = 0;
    // A screen without controls or media ignores them (see RunControls and
    // RunMedia).
    virtual RunControls& Controls()
    {
        static RunControls none;
        return none;
    }
    virtual RunMedia& Media()
    {
        static RunMedia none;
        return none;
    }

protected:
    explicit RunScreen(RunConsole& console)
        : consoleRole(console)
    { }

private:
    RunConsole& consoleRole;
};
