#pragma once

#include "devices/PortBase.h"

#include <memory>

class QSerialPort;

enum class TParity { pNone, pOdd, pEven, pMark, pSpace };
enum class TStopBits { sbOne, sbOneAndHalf, sbTwo };
enum class TStreamProtocol { spNone, spXonXoff, spHardware };

// Modem signal bits of GetStateModemSignals.
namespace ModemSignal {
constexpr int CTS = 1;
constexpr int DSR = 2;
constexpr int Ring = 4;
constexpr int RLSD = 8;
} // namespace ModemSignal

// The serial port component: one COM port opened by its device path (see
// ComPortMap), raw and exclusive, with its line settings, synchronous sends,
// polled receive and waits that keep the windows live.
//
// Received bytes stay in the port's input queue (at most BufferInSize bytes;
// the device holds the rest) until the program polls for them; the read
// notifier only keeps the count of waiting bytes up to date.
class TqzComm : public TqzBaseIO {
public:
    TqzComm();
    ~TqzComm() override;

    // --- Line settings: kept while closed, applied at open and when changed
    // while open. A value the device refuses fails the open. ------------------
    int BaudRate = 19200;
    int ByteSize = 8;
    TParity Parity = TParity::pNone;
    TStopBits StopBits = TStopBits::sbOne;
    TStreamProtocol StreamProtocol = TStreamProtocol::spHardware;
    int BufferInSize = 4096;
    int BufferOutSize = 4096;
    // Changing the number of an open port reopens it on the new number.
    int ComPortNo() const { return comPortNo; }
    void SetComPortNo(int number);
    AnsiString GetPortName() const { return "COM" + std::to_string(comPortNo); }
    // Applies the settings to an open port; false when the device refused one.
    bool ApplySettings();

    // Set by the owner: every wait also ends once this flag is set.
    const bool* stopFlag = nullptr;

    // --- Sending ---------------------------------------------------------------
    // Up to BufferOutSize bytes queue for the device; beyond that a send waits
    // for room. Nothing is dropped while the port is open.
    void SendChar(uint8_t byte) override;
    void SendString(const AnsiString& text) override;
    int GetNotYetSend() const;

    // --- Receiving -------------------------------------------------------------
    int GetReadyForRead() const;
    // The bytes waiting, as the read notifier last counted them.
    int WaitingCount() const { return waitingCount; }
    AnsiString ReadString();
    // Reads exactly n bytes when that many wait; else nothing and "".
    AnsiString Read(int n);
    // True once at least n bytes wait; false after ms, on a closed port, or
    // once the stop flag is set.
    bool WaitForBytes(int n, int ms);

    // --- Modem lines and queues ----------------------------------------------
    // False when the device has no such line (a pseudo-terminal).
    bool SetStateDTR(bool on);
    bool SetStateRTS(bool on);
    // ModemSignal bits; 0 when closed or when the device has no modem lines.
    int GetStateModemSignals();
    void ClearDeviceInput() override;
    void ClearDeviceOutput() override;
    void ClearDeviceBuffers() override;

    int GetDeviceIndex() const override;
    void SetDeviceIndex(int index) override;
    void GetDeviceList(std::vector<DeviceListEntry>& target) const override;
    bool IsHandleValid() const override;
    void Open() override;
    void Close() override;

    // Totals since the last open.
    long long received = 0;
    long long sent = 0;

private:
    std::unique_ptr<QSerialPort> port;
    int comPortNo = 1;
    int waitingCount = 0;

    // Later when called from inside one of the port's own signals.
    enum class Release { Now, Later };
    void Halt(Release release);
    void WriteBytes(const char* data, size_t length);
    // Waits for events (or the device) for at most ms milliseconds.
    void WaitSlice(int ms);
    bool Stopped() const { return stopFlag != nullptr && *stopFlag; }
    void Recount();
    void DeviceFailed();
};
