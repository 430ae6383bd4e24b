#pragma once

#include "devices/CommConfigRecord.h"
#include "devices/CommEventList.h"
#include "devices/CommTypes.h"
#include "devices/PortBase.h"
#include "devices/TtyControl.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A terminal bound to the serial component: the window side shows what the
// line received (on the component's message thread; the terminal passes it
// to its own thread) and hands typed characters to TqzComm::TerminalTyped.
class CommTerminal {
public:
    virtual ~CommTerminal() = default;
    virtual void PutReceived(const AnsiString& bytes) = 0;
};

// The serial port component: one COM port opened by its device path (see
// ComPortMap), raw and exclusive, with its line settings and time-outs, and
// two threads while it is open:
//  - the event thread waits on the tty (poll, and TIOCMIWAIT on a thread of
//    its own for the modem lines), moves received bytes into the input queue
//    (at most BufferInSize bytes; the kernel holds the rest), writes the
//    output queue, and posts the port events to the message thread;
//  - the message thread turns the events into OnReceived, OnEventList,
//    OnSent, OnTraceState and OnCommError, feeds the data processor and the
//    terminal, and sets the modem monitors.
// Received bytes that nothing uses stay in the input queue for polling, which
// is all the ports service does. The component's events run on the message
// thread, never on the GUI thread: a handler that touches the GUI must pass
// the work to the GUI thread itself.
//
// Properties, handlers, the event list, the data processor and the terminal
// are set while the port is closed (the terminal usage, echo and event-list
// switch also while it is open); the sends, reads, waits and line calls may
// come from any one thread at a time.
class TqzComm : public TqzBaseIO {
public:
    TqzComm();
    ~TqzComm() override;

    // --- Line settings: kept while closed, applied at open and by
    // ApplySettings. A value the device refuses fails the open. ---------------
    int BaudRate = 19200;
    int ByteSize = 8;
    TParity Parity = TParity::pNone;
    TStopBits StopBits = TStopBits::sbOne;
    TStreamProtocol StreamProtocol = TStreamProtocol::spHardware;
    uint8_t EventChar = 0;
    int BufferInSize = 4096;
    int BufferOutSize = 4096;
    LineProperties Line() const;
    void SetLine(const LineProperties& line);
    // The block the settings make, as the port gets it.
    TDeviceControlBlock DeviceControlBlock() const;
    // Applies the settings to an open port; false when the device refused one.
    bool ApplySettings();

    // Changing the number of an open port reopens it on the new number.
    int ComPortNo() const { return comPortNo; }
    void SetComPortNo(int number);
    TComPort ComPort() const;
    // cpCOMxx leaves the number as it is.
    void SetComPort(TComPort port);
    AnsiString GetPortName() const { return "COM" + std::to_string(comPortNo); }

    // --- Time-outs: the record of CommTypes.h, used by every read and write.
    void SetTimeOuts(const TCommTimeouts& timeouts);
    TCommTimeouts GetTimeouts() const;
    uint32_t TimeoutRead() const { return GetTimeouts().ReadIntervalTimeout; }
    void SetTimeoutRead(uint32_t ms);
    uint32_t TimeoutWrite() const { return GetTimeouts().WriteTotalTimeoutConstant; }
    void SetTimeoutWrite(uint32_t ms);

    // --- Events ------------------------------------------------------------------
    TTraceStates TraceStates() const { return traceStates.load(); }
    // Also sets which port events the event thread reports.
    void SetTraceStates(TTraceStates states);
    std::atomic<bool> EventListOnLine { false };
    TEventList EventList;
    std::function<void(TqzComm& sender, const char* data, int length)> OnReceived;
    std::function<void(TqzComm& sender, int length)> OnSent;
    std::function<void(TqzComm& sender, TTraceStates states)> OnTraceState;
    std::function<void(TqzComm& sender, int errors, int waiting, bool& clearBuffers)> OnCommError;
    std::function<void(TqzComm& sender, int index, const char* data, int length, bool& taken)> OnEventList;

    // Set by the owner: every wait also ends once this flag is set.
    const bool* stopFlag = nullptr;

    // --- Sending ---------------------------------------------------------------
    // SendChar and SendString return once the line took every byte. A line
    // that takes no byte for the write time-out (multiplier x length +
    // constant; none when both are 0) fails the send: the bytes not taken are
    // dropped and OnCommError gets error 0 with the system error ETIMEDOUT.
    void SendChar(uint8_t byte) override;
    void SendString(const AnsiString& text) override;
    // Queues the bytes and returns; OnSent and the transmit-empty event
    // follow once they are out.
    void SendData(const char* data, int length) override;
    bool SendAheadChar(uint8_t byte);
    int GetNotYetSend() const;

    // --- Receiving -------------------------------------------------------------
    int GetReadyForRead() const { return waiting.load(); }
    // The bytes waiting, for the run loop's poll.
    int WaitingCount() const { return waiting.load(); }
    // Up to n bytes, waiting as the read time-outs say; returns the count.
    int Read(char* buffer, int n);
    // Every byte that waits, at most `size`; returns the count.
    int ReadAll(char* buffer, int size);
    AnsiString ReadString();
    // True once at least n bytes wait; false after ms, on a closed port, or
    // once the stop flag is set. Window events are processed meanwhile.
    bool WaitForBytes(int n, int ms);
    // The same wait for one modem signal to be on.
    bool WaitForSignal(TModemSignal signal, int ms);

    // --- Lines and queues -------------------------------------------------------
    // False when the device has no such line (a pseudo-terminal).
    bool SetStateDTR(bool on);
    bool SetStateRTS(bool on);
    // Output going (on) or held as after an XOFF (off).
    bool SetStateX(bool on);
    bool SetStateBreak(bool on);
    // ModemSignal bits; 0 when closed or when the device has no modem lines.
    int GetStateModemSignals();
    void ClearDeviceInput() override;
    void ClearDeviceOutput() override;
    void ClearDeviceBuffers() override;

    // --- Terminal and monitors ------------------------------------------------
    std::atomic<TTerminalUsage> TerminalUsage { TTerminalUsage::tuBoth };
    // With echo off a typed character is sent but not shown.
    std::atomic<bool> TerminalEcho { true };
    void SetTerminal(CommTerminal* terminal);
    CommTerminal* Terminal() const { return terminal.load(); }
    // A character typed in the bound terminal: sent when the usage sends;
    // true when the terminal should show it.
    bool TerminalTyped(uint8_t byte);
    // A monitor gets its signal's state whenever the trace-state event fires.
    void SetMonitor(TModemSignal signal, std::function<void(bool on)> monitor);

    // --- Set-up and stored configuration -------------------------------------
    // DTR on, RTS off, up to 200 ms for DSR, then RTS on. A device without
    // modem lines cannot be tested and fails.
    bool InitDeviceConnect();
    // The identification string of a plug-and-play device (PnpString.h).
    AnsiString GetPNPDeviceString();
    // Shows the line settings in a dialog (when the window parts provide
    // one); true when the user accepted.
    bool ConfigDialog();
    // The stored configuration (CommConfigRecord.h) is one value of a
    // settings file: `key` is its section, `valueName` its name.
    bool LoadConfig(const AnsiString& settingsFile, const AnsiString& key, const AnsiString& valueName);
    bool SaveConfig(const AnsiString& settingsFile, const AnsiString& key, const AnsiString& valueName);
    TCommConfigRecord ConfigRecord() const;
    void SetConfigRecord(const TCommConfigRecord& record);

    int GetDeviceIndex() const override;
    void SetDeviceIndex(int index) override;
    void GetDeviceList(std::vector<DeviceListEntry>& target) const override;
    bool IsHandleValid() const override { return isOpen.load(); }
    void Open() override;
    void Close() override;

    // Totals since the last open.
    std::atomic<long long> received { 0 };
    std::atomic<long long> sent { 0 };

    // Replaces the tty calls (tests stand in for modem lines); null: the kernel's.
    void SetTtyControl(TtyControl* control) { tty = control ? control : &SystemTtyControl(); }

private:
    int comPortNo = 1;
    TtyControl* tty = &SystemTtyControl();
    std::atomic<CommTerminal*> terminal { nullptr };
    std::array<std::function<void(bool)>, 4> monitors;

    mutable std::mutex settingsLock;
    TCommTimeouts timeouts;

    // The descriptor: used under ioLock; closed only once the event thread
    // has ended.
    mutable std::mutex ioLock;
    int fd = -1;
    std::atomic<int> wakeFd { -1 };
    std::atomic<bool> isOpen { false };
    std::atomic<bool> stopping { false };
    std::atomic<int> generation { 0 };

    // The queues, under queueLock; queueChanged tells waiting readers and
    // senders that the event thread moved bytes.
    mutable std::mutex queueLock;
    std::condition_variable queueChanged;
    AnsiString inQueue;
    AnsiString outQueue;
    std::atomic<int> waiting { 0 };
    std::atomic<int> sendFailures { 0 };
    // Above 0 while a wait or a read on the calling thread wants the bytes:
    // the message side leaves them in the queue meanwhile.
    std::atomic<int> inputHeld { 0 };
    struct HoldInput {
        std::atomic<int>& count;
        explicit HoldInput(std::atomic<int>& held)
            : count(held)
        {
            ++count;
        }
        ~HoldInput() { --count; }
    };

    std::atomic<TTraceStates> traceStates { 0 };
    std::atomic<TTraceStates> eventMask { 0 };
    std::atomic<int> pendingLineErrors { 0 };
    std::atomic<bool> modemPolling { false };
    std::atomic<bool> txPending { false };

    std::thread eventThread;
    std::thread modemThread;
    std::atomic<bool> modemThreadDone { true };
    std::thread messageThread;
    // Message threads that did not end within their second: joined when the
    // component goes.
    std::vector<std::thread> lateThreads;
    std::mutex messageLock;
    std::condition_variable messageReady;
    std::condition_variable messageEnded;
    std::deque<TTraceStates> messages;
    bool quitMessages = false;
    bool messageThreadDone = true;

    // Opening and closing.
    bool OpenDevice(AnsiString& reason, int& error);
    void StartThreads();
    void StopThreads();
    // Closes the port after a failure or on Close: notify 1, queues purged,
    // descriptor closed.
    void Halt();
    void ApplyModemControl(const TDeviceControlBlock& block);

    // The event thread and its helpers.
    // Changes are told against the lines and error counts read at the open.
    void EventLoop(int myGeneration, int modemBits, LineErrorCounts errors);
    TTraceStates ReadInput();
    TTraceStates WriteOutput(bool& failed);
    TTraceStates CheckLines(int& modemBits, LineErrorCounts& errors);
    void DeviceFailed(int error);
    void ModemLoop();
    void Wake() const;
    void PostEvents(TTraceStates events);

    // The message thread.
    void MessageLoop(int myGeneration);
    void ProcessEvents(TTraceStates events, int myGeneration);
    void ProcessReceived(const AnsiString& chunk);
    bool UsesReceived() const;
    void FireTraceState(TTraceStates states);

    // Sending and waiting.
    bool QueueAndWait(const char* data, size_t length, bool wait);
    bool Stopped() const { return stopFlag != nullptr && *stopFlag; }
    bool WaitForModemBit(int bit, int ms);
    int ModemBits();
};
