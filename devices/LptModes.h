#pragma once

#include "base/Values.h"

#include <cstdint>

// The IEEE 1284 modes of a parallel port as a set, one bit per mode in this
// order, and the parallel port's status flags.
enum class TLptMode {
    pmCENTRONICS,
    pmIEEE,
    pmNIBBLE,
    pmCHANNEL_NIBBLE,
    pmBYTE_BIDIR,
    pmEPP_HW,
    pmEPP_SW,
    pmBOUNDED_ECP,
    pmECP_HW_NOIRQ,
    pmECP_HW_IRQ,
    pmECP_SW
};
using TLptModes = uint16_t;
constexpr TLptModes LptModeBit(TLptMode mode)
{
    return static_cast<TLptModes>(1u << static_cast<int>(mode));
}

enum class TLptPorts { lpLPT1, lpLPT2, lpLPT3, lpLPT4, lpLPTxx };

// Status flags of GetDeviceStatus, bit 0 first.
enum class TqzLptStatus {
    lsPortClosed,
    lsInit,
    lsAutoFeed,
    lsPaperEmpty,
    lsOffLine,
    lsPowerOff,
    lsNotConnected,
    lsBusy,
    lsSelected
};
constexpr int LptStatusBit(TqzLptStatus status)
{
    return 1 << static_cast<int>(status);
}

// The names of the modes in a set, each followed by a blank; a later mode's
// name comes before the earlier ones ("NIBBLE CENTRONICS ").
AnsiString GetModeNames(TLptModes modes);

// The modes a port offers (ppdev's PARPORT_MODE_* capability bits) as the
// read and write mode sets.
void ModesFromCapabilities(unsigned capabilities, TLptModes& readModes, TLptModes& writeModes);
// The IEEE 1284 mode (IEEE1284_MODE_*) to negotiate for the wanted sets:
// the fastest one asked for.
int NegotiationMode(TLptModes readModes, TLptModes writeModes);
// The status flags (TqzLptStatus bits of an open port) from the status and
// control registers.
int StatusFlags(uint8_t status, uint8_t control);
