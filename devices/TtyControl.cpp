#include "devices/TtyControl.h"

#include "devices/TtyLine.h"

#include <cerrno>
#include <csignal>
#include <mutex>

#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A modem wait blocks in the kernel until a line changes; a signal with a
// handler that does nothing (and no restart) is the one way to end it early.
int WakeSignal()
{
    static std::once_flag once;
    static int number = SIGRTMIN + 5;
    std::call_once(once, [] {
        struct sigaction action { };
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(number, &action, nullptr);
    });
    return number;
}

} // namespace

bool TtyControl::GetModemLines(int fd, int& bits)
{
    return ioctl(fd, TIOCMGET, &bits) == 0;
}

bool TtyControl::SetModemLine(int fd, int bit, bool on)
{
    return ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bit) == 0;
}

bool TtyControl::WaitModemChange(int fd)
{
    WakeSignal();
    return ioctl(fd, TIOCMIWAIT, TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_RNG) == 0;
}

void TtyControl::InterruptWait(pthread_t thread)
{
    pthread_kill(thread, WakeSignal());
}

bool TtyControl::SetBreak(int fd, bool on)
{
    return ioctl(fd, on ? TIOCSBRK : TIOCCBRK) == 0;
}

bool TtyControl::SetOutputFlow(int fd, bool on)
{
    return tcflow(fd, on ? TCOON : TCOOFF) == 0;
}

bool TtyControl::SendAhead(int fd, uint8_t byte)
{
    return SendAheadByte(fd, byte);
}

bool TtyControl::GetLineErrors(int fd, LineErrorCounts& counts)
{
    serial_icounter_struct icount {};
    if (ioctl(fd, TIOCGICOUNT, &icount) != 0) return false;
    counts.frame = static_cast<uint32_t>(icount.frame);
    counts.overrun = static_cast<uint32_t>(icount.overrun);
    counts.parity = static_cast<uint32_t>(icount.parity);
    counts.brk = static_cast<uint32_t>(icount.brk);
    counts.bufferOverrun = static_cast<uint32_t>(icount.buf_overrun);
    return true;
}

int TtyControl::OutputPending(int fd)
{
    int count = 0;
    return ioctl(fd, TIOCOUTQ, &count) == 0 ? count : 0;
}

void TtyControl::Flush(int fd, int which)
{
    tcflush(fd, which == 0 ? TCIFLUSH : which == 1 ? TCOFLUSH : TCIOFLUSH);
}

TtyControl& SystemTtyControl()
{
    static TtyControl control;
    return control;
}
