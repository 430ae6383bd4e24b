#pragma once

#include <cstdint>

// The vocabulary of the serial component, in the order its properties and
// stored records count them.
enum class TParity { pNone, pOdd, pEven, pMark, pSpace };
enum class TStopBits { sbOne, sbOneAndHalf, sbTwo };
enum class TStreamProtocol { spNone, spXonXoff, spHardware };
enum class TTerminalUsage { tuNone, tuSend, tuReceive, tuBoth };
enum class TComPort { cpCOM1, cpCOM2, cpCOM3, cpCOM4, cpCOM5, cpCOM6, cpCOM7, cpCOM8, cpCOMxx };
enum class TModemSignal { msCTS, msDSR, msRing, msRLSD };

// Modem signal bits of GetStateModemSignals, one per TModemSignal.
namespace ModemSignal {
constexpr int CTS = 1;
constexpr int DSR = 2;
constexpr int Ring = 4;
constexpr int RLSD = 8;
} // namespace ModemSignal

// The trace states are a set; each state is also the port event of the same
// name, so one bit layout serves the trace states, the event mask and the
// events the reader hands to the message side.
enum class TTraceState {
    tsRxChar,
    tsRxFlag,
    tsTxEmpty,
    tsCTS,
    tsDSR,
    tsRLSD,
    tsBreak,
    tsErr,
    tsRing,
    tsRx80Full,
    tsEvent1,
    tsEvent2
};
using TTraceStates = uint32_t;
constexpr TTraceStates TraceBit(TTraceState state)
{
    return TTraceStates(1) << static_cast<int>(state);
}
constexpr TTraceStates AllTraceStates = (TTraceStates(1) << 12) - 1;

// What a data processor asks the component to skip for the bytes it has seen.
enum class TIgnoreType { itTerminal, itEventList, itAfterReceive, itTraceState };
using TIgnoreTypes = uint32_t;
constexpr TIgnoreTypes IgnoreBit(TIgnoreType type)
{
    return TIgnoreTypes(1) << static_cast<int>(type);
}

// Line error bits of OnCommError, with the values stored programs know.
namespace CommError {
constexpr int RxOver = 0x0001;
constexpr int Overrun = 0x0002;
constexpr int RxParity = 0x0004;
constexpr int Frame = 0x0008;
constexpr int Break = 0x0010;
} // namespace CommError

// The time-out record, in milliseconds, field for field as it is stored. A
// read waits at most multiplier x bytes + constant in total (0 and 0: no
// limit) and at most the interval between two bytes (0: no limit); the
// interval 0xFFFFFFFF with both read totals 0 returns at once with what
// waits. A write waits at most multiplier x bytes + constant for the line to
// take its bytes (0 and 0: no limit).
struct TCommTimeouts {
    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 0;
    uint32_t WriteTotalTimeoutMultiplier = 0;
    uint32_t WriteTotalTimeoutConstant = 100;
    bool operator==(const TCommTimeouts&) const = default;
};
