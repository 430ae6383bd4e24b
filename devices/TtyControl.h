#pragma once

#include <cstdint>
#include <pthread.h>

// The line and modem calls the serial component makes on an open tty, behind
// one interface so that tests can stand in for lines a pseudo-terminal lacks
// (modem signals, break). The modem bits are the kernel's TIOCM_* bits.
struct LineErrorCounts {
    uint32_t frame = 0;
    uint32_t overrun = 0;
    uint32_t parity = 0;
    uint32_t brk = 0;
    uint32_t bufferOverrun = 0;
    bool operator==(const LineErrorCounts&) const = default;
};

class TtyControl {
public:
    virtual ~TtyControl() = default;
    // False when the device has no modem lines (a pseudo-terminal).
    virtual bool GetModemLines(int fd, int& bits);
    virtual bool SetModemLine(int fd, int bit, bool on);
    // Blocks until a modem input line changes. False at once when the device
    // cannot wait for them, or when InterruptWait ended the wait.
    virtual bool WaitModemChange(int fd);
    // Ends a WaitModemChange running on `thread`.
    virtual void InterruptWait(pthread_t thread);
    virtual bool SetBreak(int fd, bool on);
    // Output held (as after an XOFF) or going again.
    virtual bool SetOutputFlow(int fd, bool on);
    // Sends one byte ahead of the bytes the line still holds.
    virtual bool SendAhead(int fd, uint8_t byte);
    // The line's error counters; false when the device keeps none.
    virtual bool GetLineErrors(int fd, LineErrorCounts& counts);
    // Bytes the line still holds for sending.
    virtual int OutputPending(int fd);
    // 0 input, 1 output, 2 both.
    virtual void Flush(int fd, int which);
};

// The calls of the kernel.
TtyControl& SystemTtyControl();
