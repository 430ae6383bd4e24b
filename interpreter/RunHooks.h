#pragma once

#include "base/Values.h"
#include "devices/SmtpClient.h"

class Variables_Class;
class Expression_Class;

// What a run needs from the windows and services around the interpreter, as
// small interfaces: the environment installs the real ones, tests install
// stand-ins, and a missing service simply answers "nothing pending".

// The debug window, as the step hook and the run loop use it.
class DebugHook {
public:
    virtual ~DebugHook() = default;
    // Called when a run starts: the debug-on and stepping flags are cleared.
    virtual void PrepareForRun() { }
    // Called when a run ends.
    virtual void CloseAfterRun() { }
    // The environment closes the window before each run.
    virtual void CloseWindow() { }
    // After an untrapped error while stepping: shows the variables and the
    // evaluator of the run as they were at the error, and returns once the
    // user pressed Finish (or closed the window).
    virtual void PostMortem(Variables_Class* variables, Expression_Class* evaluator)
    {
        (void)variables, (void)evaluator;
    }
    virtual bool SteppingOn() const { return false; }
    virtual void SetStepping(bool on) { (void)on; }
    // The debug-on switch, which the debug statement acts on.
    virtual bool DebugOn() const { return false; }
    virtual void SetDebugOn(bool on) { (void)on; }
    // The debug statement: adds text to the trace, shows the window with the
    // variables and the evaluator, and returns once the user went on (or
    // `stopped` became true). Only called with debug on.
    virtual void DebugWait(
        const AnsiString& text, Variables_Class* variables, Expression_Class* evaluator, const bool& stopped)
    {
        (void)text, (void)variables, (void)evaluator, (void)stopped;
    }
    virtual bool IgnoreComments() const { return false; }
    virtual bool IgnoreEmpties() const { return false; }
    // One stop of the step hook: the statement at line/column (length
    // characters) is about to run. The implementation shows it, hands the
    // window the variables and the evaluator, and returns once the user pressed
    // Step; `stopped` is polled by the implementation's wait and ends it.
    virtual void StepAt(int line, int column, int length, const AnsiString& trace, Variables_Class* variables,
        Expression_Class* evaluator, const bool& stopped)
    {
        (void)line, (void)column, (void)length, (void)trace, (void)variables, (void)evaluator, (void)stopped;
    }
};

// The network and serial event sources of the run loop (11 onudp, 12 ontcpc,
// 13 ontcps, 14 onserial). Each answers whether data is waiting; the poll
// never clears anything.
class ServiceEventSources {
public:
    virtual ~ServiceEventSources() = default;
    virtual bool UdpDataArrived() { return false; }
    virtual bool TcpClientDataArrived() { return false; }
    virtual bool TcpServerDataArrived() { return false; }
    virtual bool SerialBytesWaiting() { return false; }
    // Closes every TCP connection; called before and after each run of the environment.
    virtual void ResetTcp() { }
};

// The e-mail window: it hears the status and progress of a message and is
// shown while the message goes out when the program asks for it.
class EmailWindow : public MailObserver {
public:
    virtual void Show() { }
    virtual void Close() { }
};

namespace RunHooks {
namespace detail {
// The installed debugger, asked on every statement; never null.
extern DebugHook* debugger;
} // namespace detail
// The installed hooks; never null (defaults that do nothing).
inline DebugHook& Debugger()
{
    return *detail::debugger;
}
ServiceEventSources& Services();
void SetDebugger(DebugHook* hook);
void SetServices(ServiceEventSources* sources);
EmailWindow& Email();
void SetEmail(EmailWindow* window);
// True while the editor holds a program whose text the user may not see (a
// binary program file or a compiled program): no step hook then.
bool HiddenProgram();
void SetHiddenProgram(bool hidden);
// True when the program came from a stand-alone executable, whose includes
// were expanded when it was made.
bool FromExecutable();
void SetFromExecutable(bool fromExecutable);
} // namespace RunHooks
