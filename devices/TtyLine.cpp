// The kernel's termios2 (with its speed fields) clashes with the C library's
// termios, so this file includes only the kernel's.
#include "devices/TtyLine.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool ApplyLineSettings(int fd, const TDeviceControlBlock& block)
{
    struct termios2 t { };
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_iflag &= ~static_cast<tcflag_t>(
        IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD);
    t.c_cflag |= CREAD | CLOCAL | BOTHER;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    t.c_ispeed = block.BaudRate;
    t.c_ospeed = block.BaudRate;
    t.c_cflag &= ~static_cast<tcflag_t>(CIBAUD);
    switch (block.ByteSize) {
    case 5:
        t.c_cflag |= CS5;
        break;
    case 6:
        t.c_cflag |= CS6;
        break;
    case 7:
        t.c_cflag |= CS7;
        break;
    case 8:
        t.c_cflag |= CS8;
        break;
    default:
        return false;
    }
    if (block.fParity && block.Parity != 0) {
        t.c_cflag |= PARENB;
        switch (block.Parity) {
        case 1:
            t.c_cflag |= PARODD;
            break;
        case 3:
            t.c_cflag |= CMSPAR | PARODD;
            break;
        case 4:
            t.c_cflag |= CMSPAR;
            break;
        default:
            break;
        }
    }
    if (block.StopBits != 0) t.c_cflag |= CSTOPB;
    if (block.fOutxCtsFlow) t.c_cflag |= CRTSCTS;
    if (block.fOutX) t.c_iflag |= IXON;
    if (block.fInX) t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = block.XonChar;
    t.c_cc[VSTOP] = block.XoffChar;
    return ioctl(fd, TCSETS2, &t) == 0;
}

bool SendAheadByte(int fd, uint8_t byte)
{
    struct termios2 saved { };
    if (byte == 0 || ioctl(fd, TCGETS2, &saved) != 0) return false;
    struct termios2 ahead = saved;
    ahead.c_cc[VSTOP] = byte;
    if (ioctl(fd, TCSETS2, &ahead) != 0) return false;
    const bool sent = ioctl(fd, TCXONC, TCIOFF) == 0;
    ioctl(fd, TCSETS2, &saved);
    return sent;
}
