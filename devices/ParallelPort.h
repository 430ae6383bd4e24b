#pragma once

#include "devices/LptModes.h"
#include "devices/ParportIo.h"
#include "devices/PortBase.h"
#include "devices/PortIoDriver.h"

#include <cstdint>

// The parallel port component. In direct mode (the default, and what the
// ports service uses) it reads and writes the three registers at its I/O base
// (data, status = base + 1, control = base + 2) through the port-I/O driver,
// so it serves any I/O address. In system mode it opens the system's port
// "LPTn" (ppdev's /dev/parport<n-1>), claims it, and uses the status, mode
// and write requests of the system's parallel driver; its registers then read
// 0 and take nothing.
class TqzLPT : public TqzBaseIO {
public:
    TqzLPT();
    ~TqzLPT() override { Close(); }

    int LptPortNo() const { return lptPortNo; }
    // Closes an open port, takes the I/O base of "LPTn" from the name table
    // when it is there, opens again and notifies 3.
    void SetLptPortNo(int number);
    TLptPorts LptPort() const;
    // lpLPTxx leaves the number as it is.
    void SetLptPort(TLptPorts port);
    uint16_t LptIOBase = 0;
    AnsiString GetLptname() const { return "LPT" + std::to_string(lptPortNo % 10); }
    bool DirectMode() const { return directMode; }
    // An open port is closed, switched and opened again.
    void SetDirectMode(bool on);

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

    // Direct mode: the byte on the data lines with a strobe on pin 1; system
    // mode: the byte handed to the system's driver, not waited for.
    void SendChar(uint8_t byte) override;
    // Each character once status bit 7 (not busy) is up, waiting at most
    // 100 ms for it; a character whose wait timed out is skipped.
    void SendString(const AnsiString& text) override;
    bool WaitForStatus(uint8_t mask, uint8_t value, int ms);

    // --- System mode --------------------------------------------------------
    // TqzLptStatus flags of an open port, shifted past lsPortClosed; just
    // lsPortClosed when the port is not open in system mode.
    int GetDeviceStatus();
    // True when the port could be claimed for this program.
    bool GetPortFree();
    // Reads the modes the port offers into ReadModes and WriteModes.
    bool GetPortModes();
    // Negotiates the fastest of the wanted modes with the device.
    bool SetLptModes(TLptModes readModes, TLptModes writeModes);
    TLptModes ReadModes = 0;
    TLptModes WriteModes = 0;

    int GetDeviceIndex() const override;
    void SetDeviceIndex(int index) override;
    // The parallel ports the system has ("LPT1" ...); their I/O bases go
    // into the name table.
    void GetDeviceList(std::vector<DeviceListEntry>& target) const override;
    void Open() override;
    void Close() override;

    // Ends waits early, as the serial component's does.
    const bool* stopFlag = nullptr;

    // Replaces the ppdev calls and the file system root of the device list
    // (tests); null and "" for the system's.
    void SetParportIo(ParportIo* io) { parport = io ? io : &SystemParportIo(); }
    AnsiString systemRoot;

private:
    int lptPortNo = 1;
    bool directMode = true;
    TqzLptDriver driver;
    ParportIo* parport = &SystemParportIo();
    int systemFd = -1;

    uint8_t ReadRegister(int offset);
    uint8_t StatusByte();
    void WriteRegister(int offset, uint8_t value);
    void OpenSystemPort();
    bool Request(unsigned long request, void* argument, const char* failure);
};
