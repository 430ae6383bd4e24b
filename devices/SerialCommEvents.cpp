// The serial component's two threads: the event thread on the tty, and the
// message thread that turns port events into the component's events.
#include "devices/PortDataProcessor.h"
#include "devices/PortSysUtils.h"
#include "devices/SerialComm.h"

#include <algorithm>
#include <cerrno>
#include <exception>

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr TTraceStates RxChar = TraceBit(TTraceState::tsRxChar);
constexpr TTraceStates TxEmpty = TraceBit(TTraceState::tsTxEmpty);

// How often modem lines are read when the device cannot wait for them.
constexpr int ModemPollMs = 20;
// How often they are read anyway while their events are traced: a change
// that comes between a read and the start of the next modem wait would
// otherwise go unseen until the next one.
constexpr int ModemCheckMs = 50;
constexpr TTraceStates ModemEvents = TraceBit(TTraceState::tsCTS) | TraceBit(TTraceState::tsDSR)
    | TraceBit(TTraceState::tsRLSD) | TraceBit(TTraceState::tsRing) | TraceBit(TTraceState::tsBreak)
    | TraceBit(TTraceState::tsErr);
// How often a line that still holds output is asked whether it is empty.
constexpr int DrainPollMs = 5;

} // namespace

void TqzComm::EventLoop(int myGeneration, int modemBits, LineErrorCounts errors)
{
    while (!stopping && generation == myGeneration) {
        bool wantOutput;
        bool roomForInput;
        {
            std::lock_guard<std::mutex> guard(queueLock);
            wantOutput = !outQueue.empty();
            roomForInput = static_cast<int>(inQueue.size()) < std::max(1, BufferInSize);
        }
        pollfd fds[2] = { { fd, 0, 0 }, { wakeFd.load(), POLLIN, 0 } };
        if (roomForInput) fds[0].events |= POLLIN;
        if (wantOutput) fds[0].events |= POLLOUT;
        int timeout = -1;
        if (txPending) timeout = DrainPollMs;
        const int modemMs = modemPolling ? ModemPollMs : (eventMask & ModemEvents) ? ModemCheckMs : -1;
        if (modemMs > 0) timeout = timeout < 0 ? modemMs : std::min(timeout, modemMs);
        const int ready = poll(fds, 2, timeout);
        if (ready < 0 && errno != EINTR) {
            DeviceFailed(errno);
            return;
        }
        if (fds[1].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t got = ::read(fds[1].fd, &count, sizeof count);
        }
        if (stopping) break;
        TTraceStates events = 0;
        if (fds[0].revents & POLLNVAL) {
            DeviceFailed(EBADF);
            return;
        }
        if (fds[0].revents & POLLIN) {
            const TTraceStates got = ReadInput();
            if (got == ~TTraceStates(0)) return;
            events |= got;
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            DeviceFailed(EIO);
            return;
        }
        if (fds[0].revents & POLLOUT) {
            bool failed = false;
            events |= WriteOutput(failed);
            if (failed) return;
        }
        events |= CheckLines(modemBits, errors);
        events &= eventMask;
        if (events) PostEvents(events);
    }
}

// Moves what the tty holds into the input queue, up to its size; returns the
// events, or all bits set when the line failed.
TTraceStates TqzComm::ReadInput()
{
    char buffer[4096];
    size_t room;
    size_t before;
    {
        std::lock_guard<std::mutex> guard(queueLock);
        before = inQueue.size();
        room = static_cast<size_t>(std::max(1, BufferInSize))
            - std::min(before, static_cast<size_t>(std::max(1, BufferInSize)));
    }
    const ssize_t got = ::read(fd, buffer, std::min(room, sizeof buffer));
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
    if (got <= 0) {
        DeviceFailed(got == 0 ? EIO : errno);
        return ~TTraceStates(0);
    }
    TTraceStates events = RxChar;
    const size_t count = static_cast<size_t>(got);
    if (std::find(buffer, buffer + count, static_cast<char>(EventChar)) != buffer + count)
        events |= TraceBit(TTraceState::tsRxFlag);
    size_t after;
    {
        std::lock_guard<std::mutex> guard(queueLock);
        inQueue.append(buffer, count);
        after = inQueue.size();
        waiting = static_cast<int>(after);
    }
    queueChanged.notify_all();
    const size_t full = static_cast<size_t>(std::max(1, BufferInSize)) * 8 / 10;
    if (before < full && after >= full) events |= TraceBit(TTraceState::tsRx80Full);
    return events;
}

TTraceStates TqzComm::WriteOutput(bool& failed)
{
    int error = 0;
    {
        std::lock_guard<std::mutex> guard(queueLock);
        if (outQueue.empty()) return 0;
        const ssize_t written = ::write(fd, outQueue.data(), outQueue.size());
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            failed = true;
            error = errno;
        } else if (written > 0) {
            outQueue.erase(0, static_cast<size_t>(written));
            sent += written;
            txPending = true;
        }
    }
    queueChanged.notify_all();
    if (failed) DeviceFailed(error);
    return 0;
}

// Whether the output drained, the modem lines moved or line errors came.
TTraceStates TqzComm::CheckLines(int& modemBits, LineErrorCounts& errors)
{
    TTraceStates events = 0;
    if (txPending) {
        bool queued;
        {
            std::lock_guard<std::mutex> guard(queueLock);
            queued = !outQueue.empty();
        }
        if (!queued && tty->OutputPending(fd) == 0) {
            txPending = false;
            events |= TxEmpty;
        }
    }
    int bits = 0;
    if (tty->GetModemLines(fd, bits)) {
        const int changed = bits ^ modemBits;
        modemBits = bits;
        if (changed & TIOCM_CTS) events |= TraceBit(TTraceState::tsCTS);
        if (changed & TIOCM_DSR) events |= TraceBit(TTraceState::tsDSR);
        if (changed & TIOCM_CD) events |= TraceBit(TTraceState::tsRLSD);
        if (changed & TIOCM_RNG) events |= TraceBit(TTraceState::tsRing);
    }
    LineErrorCounts now;
    if (tty->GetLineErrors(fd, now) && !(now == errors)) {
        int lineErrors = 0;
        if (now.frame != errors.frame) lineErrors |= CommError::Frame;
        if (now.parity != errors.parity) lineErrors |= CommError::RxParity;
        if (now.overrun != errors.overrun) lineErrors |= CommError::Overrun;
        if (now.bufferOverrun != errors.bufferOverrun) lineErrors |= CommError::RxOver;
        if (now.brk != errors.brk) {
            lineErrors |= CommError::Break;
            events |= TraceBit(TTraceState::tsBreak);
        }
        if (lineErrors & ~CommError::Break) events |= TraceBit(TTraceState::tsErr);
        errors = now;
        pendingLineErrors |= lineErrors;
        // A line error is told even when no trace state asks for its event.
        events |= RxChar;
    }
    return events;
}

void TqzComm::DeviceFailed(int error)
{
    // The line went away (a hang-up, an unplugged adapter): the port closes
    // and says so through its fatal error; its descriptor and threads are put
    // away by the next Close or Open.
    const AnsiString message
        = FormatText("Device \"%s\" failed: %s", GetPortName().c_str(), SysErrorString(error).c_str());
    Halt();
    {
        std::lock_guard<std::mutex> guard(messageLock);
        quitMessages = true;
    }
    messageReady.notify_all();
    DoFatalErrors(PortFatal::SerialOpen, error, message);
}

void TqzComm::ModemLoop()
{
    while (!stopping) {
        if (!tty->WaitModemChange(fd)) {
            // No wait on this device (or the stop interrupted it): the event
            // thread reads the lines now and then instead.
            if (!stopping && errno != EINTR) {
                modemPolling = true;
                Wake();
                break;
            }
            continue;
        }
        Wake();
    }
    modemThreadDone = true;
}

void TqzComm::PostEvents(TTraceStates events)
{
    {
        std::lock_guard<std::mutex> guard(messageLock);
        messages.push_back(events);
    }
    messageReady.notify_one();
}

void TqzComm::MessageLoop(int myGeneration)
{
    for (;;) {
        TTraceStates events;
        {
            std::unique_lock<std::mutex> lock(messageLock);
            messageReady.wait(lock, [this] { return quitMessages || !messages.empty(); });
            if (quitMessages || !isOpen) break;
            events = messages.front();
            messages.pop_front();
        }
        ProcessEvents(events, myGeneration);
        std::this_thread::yield();
    }
    std::lock_guard<std::mutex> guard(messageLock);
    messageThreadDone = true;
    messageEnded.notify_all();
}

bool TqzComm::UsesReceived() const
{
    if (inputHeld > 0) return false;
    return (traceStates & RxChar) || OnReceived || DataProcessor()
        || (terminal && (TerminalUsage == TTerminalUsage::tuReceive || TerminalUsage == TTerminalUsage::tuBoth))
        || EventListOnLine || EventList.Count() > 0;
}

void TqzComm::ProcessEvents(TTraceStates events, int myGeneration)
{
    try {
        const int lineErrors = pendingLineErrors.exchange(0);
        if (lineErrors) {
            LoggingFmt(TDetailLevel::dlSimple, "Communication Error %d:%d", lineErrors, waiting.load());
            bool clearBuffers = false;
            if (OnCommError) OnCommError(*this, lineErrors, waiting.load(), clearBuffers);
            if (clearBuffers) ClearDeviceBuffers();
            return;
        }
        if ((events & RxChar) && waiting > 0 && UsesReceived()) {
            AnsiString chunk;
            {
                std::lock_guard<std::mutex> guard(queueLock);
                chunk.swap(inQueue);
                inQueue.reserve(static_cast<size_t>(std::max(1, BufferInSize)));
                waiting = 0;
            }
            Wake();
            received += static_cast<long long>(chunk.size());
            ProcessReceived(chunk);
        }
        if (generation != myGeneration) return;
        if (events & TxEmpty) {
            const bool handled = DataProcessor() && DataProcessor()->AfterSendComplete();
            if ((traceStates & TxEmpty) && !handled && OnSent) OnSent(*this, 0);
        }
        const TTraceStates others = events & ~(RxChar | TxEmpty) & traceStates;
        if (others) FireTraceState(others);
    } catch (const std::exception& error) {
        DoFatalErrors(PortFatal::SerialOpen, errno, error.what());
    }
}

void TqzComm::ProcessReceived(const AnsiString& chunk)
{
    TIgnoreTypes skip = 0;
    if (TqzCustomDataProcessor* processor = DataProcessor())
        skip = processor->DataReceive(chunk.data(), static_cast<int>(chunk.size()));
    const bool terminalReceives = TerminalUsage == TTerminalUsage::tuReceive || TerminalUsage == TTerminalUsage::tuBoth;
    CommTerminal* shown = terminal;
    if (shown && terminalReceives && !(skip & IgnoreBit(TIgnoreType::itTerminal))) shown->PutReceived(chunk);
    bool taken = false;
    if (EventListOnLine && OnEventList && !(skip & IgnoreBit(TIgnoreType::itEventList))) {
        for (const TEventList::Match& match : EventList.Scan(chunk.data(), chunk.size())) {
            const AnsiString text = EventList.MatchText(match, chunk.data(), chunk.size());
            OnEventList(*this, match.index, text.data(), static_cast<int>(text.size()), taken);
        }
    }
    if (!taken && (traceStates & RxChar) && !(skip & IgnoreBit(TIgnoreType::itAfterReceive)) && OnReceived)
        OnReceived(*this, chunk.data(), static_cast<int>(chunk.size()));
}

void TqzComm::FireTraceState(TTraceStates states)
{
    const int signals = GetStateModemSignals();
    const int bits[4] = { ModemSignal::CTS, ModemSignal::DSR, ModemSignal::Ring, ModemSignal::RLSD };
    for (size_t k = 0; k < monitors.size(); ++k)
        if (monitors[k]) monitors[k]((signals & bits[k]) != 0);
    if (OnTraceState) OnTraceState(*this, states);
}
