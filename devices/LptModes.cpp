#include "devices/LptModes.h"

#include <linux/parport.h>

namespace {

constexpr const char* modeNames[] = { "CENTRONICS", "IEEE_COMPATIBILITY", "NIBBLE", "CHANNEL_NIBBLE", "BYTE_BIDIR",
    "EPP_HW", "EPP_SW", "BOUNDED_ECP", "ECP_HW_NOIRQ", "ECP_HW_IRQ", "ECP_SW" };

bool Has(TLptModes modes, TLptMode mode)
{
    return (modes & LptModeBit(mode)) != 0;
}

} // namespace

AnsiString GetModeNames(TLptModes modes)
{
    AnsiString names;
    for (int k = 0; k < 11; ++k)
        if (modes & (1u << k)) names = AnsiString(modeNames[k]) + " " + names;
    return names;
}

void ModesFromCapabilities(unsigned capabilities, TLptModes& readModes, TLptModes& writeModes)
{
    readModes = 0;
    writeModes = 0;
    if (capabilities & (PARPORT_MODE_PCSPP | PARPORT_MODE_COMPAT)) {
        writeModes |= LptModeBit(TLptMode::pmCENTRONICS) | LptModeBit(TLptMode::pmIEEE);
        readModes |= LptModeBit(TLptMode::pmNIBBLE) | LptModeBit(TLptMode::pmCHANNEL_NIBBLE);
    }
    if (capabilities & PARPORT_MODE_TRISTATE) readModes |= LptModeBit(TLptMode::pmBYTE_BIDIR);
    if (capabilities & PARPORT_MODE_EPP) {
        readModes |= LptModeBit(TLptMode::pmEPP_HW);
        writeModes |= LptModeBit(TLptMode::pmEPP_HW);
    }
    if (capabilities & PARPORT_MODE_ECP) {
        const TLptModes ecp = (capabilities & PARPORT_MODE_DMA) ? LptModeBit(TLptMode::pmECP_HW_IRQ)
                                                                : LptModeBit(TLptMode::pmECP_HW_NOIRQ);
        readModes |= ecp;
        writeModes |= ecp;
    }
}

int NegotiationMode(TLptModes readModes, TLptModes writeModes)
{
    const TLptModes both = readModes | writeModes;
    if (Has(both, TLptMode::pmECP_HW_IRQ) || Has(both, TLptMode::pmECP_HW_NOIRQ) || Has(both, TLptMode::pmECP_SW)
        || Has(both, TLptMode::pmBOUNDED_ECP))
        return IEEE1284_MODE_ECP;
    if (Has(both, TLptMode::pmEPP_HW) || Has(both, TLptMode::pmEPP_SW)) return IEEE1284_MODE_EPP;
    if (Has(readModes, TLptMode::pmBYTE_BIDIR)) return IEEE1284_MODE_BYTE;
    if (Has(readModes, TLptMode::pmNIBBLE) || Has(readModes, TLptMode::pmCHANNEL_NIBBLE)) return IEEE1284_MODE_NIBBLE;
    return IEEE1284_MODE_COMPAT;
}

int StatusFlags(uint8_t status, uint8_t control)
{
    int flags = 0;
    // nInit is active low; the busy line reads inverted.
    if (!(control & PARPORT_CONTROL_INIT)) flags |= LptStatusBit(TqzLptStatus::lsInit);
    if (control & PARPORT_CONTROL_AUTOFD) flags |= LptStatusBit(TqzLptStatus::lsAutoFeed);
    if (status & PARPORT_STATUS_PAPEROUT) flags |= LptStatusBit(TqzLptStatus::lsPaperEmpty);
    if (!(status & PARPORT_STATUS_SELECT)) flags |= LptStatusBit(TqzLptStatus::lsOffLine);
    if (!(status & PARPORT_STATUS_BUSY)) flags |= LptStatusBit(TqzLptStatus::lsBusy);
    if (status & PARPORT_STATUS_SELECT) flags |= LptStatusBit(TqzLptStatus::lsSelected);
    return flags;
}
