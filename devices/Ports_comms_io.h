#pragma once

#include "devices/Delays.h"
#include "devices/DeviceBoxModel.h"
#include "devices/ParallelPort.h"
#include "devices/SerialComm.h"
#include "devices/ToneOutput.h"

#include <cstdint>
#include <memory>
#include <set>

// The ports service: how BASIC programs reach the serial port, the parallel
// port, any I/O port address, tones and tunes, and the short delays. One
// instance lives for the process; a run uses it through one call per port
// statement and resets it when it ends.
//
// Failures reach programs only as a closed port, a false result or a zero
// value: the serial component closes silently, the parallel component shows
// "Ports Error" (once per run for the same message) and closes.
class TPorts_Comms_IO_Form {
public:
    TPorts_Comms_IO_Form();

    TqzComm qzComm1;
    TqzLPT qzLPT1;
    // Never shown: it lists the serial ports for SerPorts.
    TqzDeviceBoxModel qzDeviceBox1;

    // True while a tune plays.
    bool playFlag = false;
    // The bits a tone sets in the speaker gate: 3 audible, 0 silent.
    uint8_t speakerMask = 3;
    // How long SerBytesIn waits.
    int32_t serialTimeout = 5000;
    uint16_t parallelBase = 888;
    // The text SerIn last returned.
    AnsiString serialText;

    // The run's stop flag (the run-time screen's); every wait ends on it.
    void SetStopFlag(const bool* flag);
    // The end of a run: ports closed, defaults back.
    void ResetPorts();

    // --- Serial ---------------------------------------------------------------
    // port, baud, byte size, parity, stop bits, protocol; port 0 only closes.
    // True when the port is open afterwards (or was only to be closed).
    bool SetCommPort(const int32_t record[6]);
    void SerOut(const AnsiString& text);
    void SerOutByte(uint8_t byte);
    AnsiString SerIn();
    // Waits up to the serial time-out for n bytes, then reads exactly n.
    bool SerBytesIn(uint8_t* buffer, int n);
    void SetTimeout(int32_t ms) { serialTimeout = ms > 0 ? ms : 5000; }
    int32_t GetTimeout() const { return serialTimeout; }
    void SetSerDTR(bool on) { qzComm1.SetStateDTR(on); }
    void SetSerRTS(bool on) { qzComm1.SetStateRTS(on); }
    int ReadSerSignals() { return qzComm1.GetStateModemSignals(); }
    void ClearSerBuffer(int which);
    int CheckSerBuffer() const { return qzComm1.GetReadyForRead(); }
    // The count the read notifier keeps, for the run loop's serial event.
    bool SerialBytesWaiting() const { return qzComm1.WaitingCount() > 0; }
    AnsiString SerPorts();

    // --- Port space ------------------------------------------------------------
    uint8_t InPort(uint16_t address);
    void OutPort(uint16_t address, uint8_t value);
    void SetPPortNumber(uint16_t address) { parallelBase = address; }
    void PPortOut(uint8_t value);
    uint8_t PPortIn();
    void VPPortOut(int channel, uint8_t value);
    uint8_t VPPortIn(int channel);

    // --- Time and sound --------------------------------------------------------
    void MicroDelay(double count) { Delays::MicroDelay(count, stopFlag); }
    void DelayMs(int64_t ms, Delays::Pump pump);
    void Sound(double frequency, int64_t ms, Delays::Pump pump);
    void Speaker(bool on) { speakerMask = on ? 3 : 0; }
    void PlaySong(const AnsiString& music);
    // Replaces where tones go (tests record them); null: the audio output.
    void SetToneOutput(std::unique_ptr<ToneOutput> output);

private:
    const bool* stopFlag = nullptr;
    std::unique_ptr<ToneOutput> tones;
    std::set<AnsiString> shownErrors;

    bool Stopped() const { return stopFlag != nullptr && *stopFlag; }
    ToneOutput& Tones();
    // Points the parallel component at an address and opens it.
    void Reach(uint16_t address);
};

// The service of the process.
TPorts_Comms_IO_Form& Ports_Comms_IO_Form();
