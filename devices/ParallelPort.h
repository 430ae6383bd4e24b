#pragma once

#include "devices/PortBase.h"
#include "devices/PortIoDriver.h"

#include <cstdint>

// The parallel port component in direct mode: the three registers at its I/O
// base (data, status = base + 1, control = base + 2) read and written through
// the port-I/O driver, so it serves any I/O address, and the pins of the
// 25-pin connector on those registers.
class TqzLPT : public TqzBaseIO {
public:
    TqzLPT();
    ~TqzLPT() override { Close(); }

    int LptPortNo = 1;
    uint16_t LptIOBase = 0;
    AnsiString GetLptname() const { return "LPT" + std::to_string(LptPortNo % 10); }

    uint8_t GetDataBits() { return ReadRegister(0); }
    uint8_t GetBitsStatus() { return ReadRegister(1); }
    uint8_t GetBitsControl() { return ReadRegister(2); }
    void SetDataBits(uint8_t value) { WriteRegister(0, value); }
    void SetBitsStatus(uint8_t value) { WriteRegister(1, value); }
    void SetBitsControl(uint8_t value) { WriteRegister(2, value); }

    // Pins 1, 14, 16, 17: control bits 0-3; 2-9: data bits 0-7; 10, 11, 12,
    // 13, 15: status bits 6, 7, 5, 4, 3. Other pins read false and write nothing.
    bool GetPin(int pin);
    void SetPin(int pin, bool on);

    // The byte on the data lines with a strobe on pin 1.
    void SendChar(uint8_t byte) override;
    // Each character once status bit 7 (not busy) is up, waiting at most
    // 100 ms for it; a character whose wait timed out is skipped.
    void SendString(const AnsiString& text) override;
    bool WaitForStatus(uint8_t mask, uint8_t value, int ms);
    int GetDeviceIndex() const override { return LptPortNo - 1; }
    void Open() override;
    void Close() override;

    // Ends waits early, as the serial component's does.
    const bool* stopFlag = nullptr;

private:
    TqzLptDriver driver;
    uint8_t ReadRegister(int offset);
    void WriteRegister(int offset, uint8_t value);
};
