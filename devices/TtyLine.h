#pragma once

#include "devices/CommConfigRecord.h"

// Puts an open tty in raw mode with the line settings of a device-control
// block: any baud rate (the kernel takes rates that are no standard speed),
// 5 to 8 data bits, parity including mark and space, one or two stop bits
// (one and a half is asked for as two: a UART sends 1.5 for 5-bit words when
// asked for two, and Linux has no other way to ask for it), CTS/RTS flow
// control, XON/XOFF with the block's characters. False when the device
// refuses the settings; a 4-bit word exists on no Linux line and is refused
// here.
bool ApplyLineSettings(int fd, const TDeviceControlBlock& block);

// Sends one byte ahead of what the line still holds: the kernel sends its
// stop character that way, so for one byte the stop character is that byte
// (then the settings are put back). The byte 0 cannot be sent so: it means
// "no stop character".
bool SendAheadByte(int fd, uint8_t byte);
