// The kernel's own termios2 (with the real speed field) clashes with the C
// library's termios, so this reader lives apart from the pty code.
#include "tests/support/PtyPeer.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

LineSettings ReadLineSettings(int masterFd)
{
    LineSettings settings;
    struct termios2 t { };
    if (ioctl(masterFd, TCGETS2, &t) != 0) return settings;
    // The speed field holds standard and other rates alike.
    settings.speed = t.c_ospeed;
    switch (t.c_cflag & CSIZE) {
    case CS5:
        settings.charSize = 5;
        break;
    case CS6:
        settings.charSize = 6;
        break;
    case CS7:
        settings.charSize = 7;
        break;
    default:
        settings.charSize = 8;
    }
    settings.parityEnabled = t.c_cflag & PARENB;
    settings.oddParity = t.c_cflag & PARODD;
    settings.markSpace = t.c_cflag & CMSPAR;
    settings.twoStopBits = t.c_cflag & CSTOPB;
    settings.hardwareFlow = t.c_cflag & CRTSCTS;
    settings.softwareFlow = (t.c_iflag & IXON) && (t.c_iflag & IXOFF);
    settings.raw = !(t.c_lflag & (ICANON | ECHO | ISIG)) && !(t.c_oflag & OPOST);
    return settings;
}
