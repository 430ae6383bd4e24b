// Sending, reading and the waits of the serial component.
#include "devices/PortSysUtils.h"
#include "devices/SerialComm.h"
#include "platform/Waits.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include <sys/ioctl.h>

namespace {

using Clock = std::chrono::steady_clock;

// A time-out of 0 is none.
Clock::time_point Deadline(uint64_t ms)
{
    return ms == 0 ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(ms);
}

} // namespace

bool TqzComm::QueueAndWait(const char* data, size_t length, bool wait)
{
    if (!isOpen || length == 0) return false;
    const TCommTimeouts limits = GetTimeouts();
    const uint64_t stallMs
        = static_cast<uint64_t>(limits.WriteTotalTimeoutMultiplier) * length + limits.WriteTotalTimeoutConstant;
    std::unique_lock<std::mutex> lock(queueLock);
    outQueue.append(data, length);
    lock.unlock();
    Wake();
    if (!wait) return true;
    lock.lock();
    size_t left = outQueue.size();
    auto stallEnd = Deadline(stallMs);
    while (!outQueue.empty() && isOpen && !Stopped()) {
        queueChanged.wait_for(lock, std::chrono::milliseconds(10));
        if (outQueue.size() < left) {
            left = outQueue.size();
            stallEnd = Deadline(stallMs);
        } else if (Clock::now() >= stallEnd) {
            // The line took nothing for the whole time-out: what it did not
            // take is dropped, as a write that timed out leaves it.
            outQueue.clear();
            lock.unlock();
            ++sendFailures;
            Logging(TDetailLevel::dlSimple, "Write time-out");
            bool clearBuffers = false;
            if (OnCommError) OnCommError(*this, 0, ETIMEDOUT, clearBuffers);
            if (clearBuffers) ClearDeviceBuffers();
            return false;
        }
    }
    return outQueue.empty();
}

void TqzComm::SendChar(uint8_t byte)
{
    if (!isOpen) return;
    LoggingFmt(TDetailLevel::dlDetail, "Try to send char %2Xh ...", byte);
    const char c = static_cast<char>(byte);
    if (QueueAndWait(&c, 1, true) && OnSent) OnSent(*this, 1);
}

void TqzComm::SendString(const AnsiString& text)
{
    if (!isOpen || text.empty()) return;
    LoggingFmt(TDetailLevel::dlDetail, "Try to send string %s ...", text.c_str());
    if (QueueAndWait(text.data(), text.size(), true) && OnSent) OnSent(*this, static_cast<int>(text.size()));
}

void TqzComm::SendData(const char* data, int length)
{
    if (!isOpen || data == nullptr || length <= 0) return;
    LoggingFmt(TDetailLevel::dlDetail, "Try to send the data with %d length ...", length);
    if (!QueueAndWait(data, static_cast<size_t>(length), false)) return;
    Logging(TDetailLevel::dlDetail, "... the data transmittion is OK!");
    if (OnSent) OnSent(*this, length);
}

bool TqzComm::SendAheadChar(uint8_t byte)
{
    std::lock_guard<std::mutex> guard(ioLock);
    return isOpen && fd >= 0 && tty->SendAhead(fd, byte);
}

int TqzComm::GetNotYetSend() const
{
    if (!isOpen) return 0;
    size_t queued;
    {
        std::lock_guard<std::mutex> guard(queueLock);
        queued = outQueue.size();
    }
    std::lock_guard<std::mutex> guard(ioLock);
    return static_cast<int>(queued) + (fd >= 0 ? tty->OutputPending(fd) : 0);
}

int TqzComm::Read(char* buffer, int n)
{
    if (!isOpen || buffer == nullptr || n <= 0) return 0;
    const TCommTimeouts limits = GetTimeouts();
    const bool atOnce = limits.ReadIntervalTimeout == 0xFFFFFFFFu && limits.ReadTotalTimeoutMultiplier == 0
        && limits.ReadTotalTimeoutConstant == 0;
    const uint64_t totalMs = static_cast<uint64_t>(limits.ReadTotalTimeoutMultiplier) * static_cast<uint64_t>(n)
        + limits.ReadTotalTimeoutConstant;
    const auto totalEnd = Deadline(totalMs);
    const uint32_t intervalMs = limits.ReadIntervalTimeout == 0xFFFFFFFFu ? 0 : limits.ReadIntervalTimeout;
    auto intervalEnd = Clock::time_point::max();
    const HoldInput hold(inputHeld);
    int got = 0;
    std::unique_lock<std::mutex> lock(queueLock);
    for (;;) {
        const size_t take = std::min(inQueue.size(), static_cast<size_t>(n - got));
        if (take > 0) {
            std::memcpy(buffer + got, inQueue.data(), take);
            inQueue.erase(0, take);
            waiting = static_cast<int>(inQueue.size());
            got += static_cast<int>(take);
            if (intervalMs > 0) intervalEnd = Deadline(intervalMs);
            Wake();
        }
        if (got == n || atOnce || !isOpen || Stopped()) break;
        const auto now = Clock::now();
        if (now >= totalEnd || now >= intervalEnd) break;
        queueChanged.wait_for(lock, std::chrono::milliseconds(10));
    }
    lock.unlock();
    received += got;
    return got;
}

int TqzComm::ReadAll(char* buffer, int size)
{
    if (!isOpen || buffer == nullptr || size <= 0) return 0;
    std::unique_lock<std::mutex> lock(queueLock);
    const size_t take = std::min(inQueue.size(), static_cast<size_t>(size));
    std::memcpy(buffer, inQueue.data(), take);
    inQueue.erase(0, take);
    waiting = static_cast<int>(inQueue.size());
    lock.unlock();
    Wake();
    received += static_cast<long long>(take);
    return static_cast<int>(take);
}

AnsiString TqzComm::ReadString()
{
    if (!isOpen) return {};
    AnsiString text;
    {
        std::lock_guard<std::mutex> guard(queueLock);
        text.swap(inQueue);
        waiting = 0;
    }
    Wake();
    received += static_cast<long long>(text.size());
    return text;
}

bool TqzComm::WaitForBytes(int n, int ms)
{
    // While the wait goes on the bytes are the waiter's: the message side
    // leaves them in the queue.
    const TTraceStates saved = traceStates.fetch_and(~TraceBit(TTraceState::tsRxChar));
    const HoldInput hold(inputHeld);
    // The run's one wait: never over before its time, the windows live.
    platform::WaitUntil(platform::DeadlineAfterMs(std::max(0, ms)),
        [this, n] { return !isOpen || waiting >= n || Stopped(); }, { .slice = std::chrono::milliseconds(5) });
    const bool arrived = isOpen && waiting >= n;
    traceStates = saved;
    return arrived;
}

bool TqzComm::WaitForModemBit(int bit, int ms)
{
    platform::WaitUntil(platform::DeadlineAfterMs(std::max(0, ms)),
        [this, bit] { return !isOpen || (ModemBits() & bit) != 0 || Stopped(); },
        { .slice = std::chrono::milliseconds(1) });
    return isOpen && (ModemBits() & bit) != 0;
}

bool TqzComm::WaitForSignal(TModemSignal signal, int ms)
{
    const int bits[4] = { ModemSignal::CTS, ModemSignal::DSR, ModemSignal::Ring, ModemSignal::RLSD };
    return WaitForModemBit(bits[static_cast<int>(signal)], ms);
}

void TqzComm::ClearDeviceInput()
{
    if (!isOpen) return;
    {
        std::lock_guard<std::mutex> guard(ioLock);
        if (fd >= 0) tty->Flush(fd, 0);
    }
    {
        std::lock_guard<std::mutex> guard(queueLock);
        inQueue.clear();
        waiting = 0;
    }
    Wake();
}

void TqzComm::ClearDeviceOutput()
{
    if (!isOpen) return;
    {
        std::lock_guard<std::mutex> guard(queueLock);
        outQueue.clear();
    }
    queueChanged.notify_all();
    std::lock_guard<std::mutex> guard(ioLock);
    if (fd >= 0) tty->Flush(fd, 1);
}

void TqzComm::ClearDeviceBuffers()
{
    ClearDeviceInput();
    ClearDeviceOutput();
}
