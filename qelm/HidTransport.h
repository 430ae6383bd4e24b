#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qelm {

// One HID interface as the system lists it.
struct HidInterface {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t release = 0;
    // The three strings narrowed to 8 bits (the low byte of each character).
    std::string manufacturer;
    std::string product;
    std::string serial;
};

// An open HID interface: 9-byte output reports (report ID 0 and 8 bytes) and
// 8-byte input reports.
class HidHandle {
public:
    virtual ~HidHandle() = default;
    virtual bool Write(const unsigned char report[9]) = 0;
    enum class ReadResult { Done, TimedOut, Failed };
    // Waits up to `milliseconds` for one report and copies its 8 data bytes.
    virtual ReadResult Read(unsigned char data[8], int milliseconds) = 0;
};

// Where HID interfaces come from: the system, or a set of fake boards.
class HidTransport {
public:
    virtual ~HidTransport() = default;
    // False when the system's device list cannot be reached.
    virtual bool Enumerate(std::vector<HidInterface>& found) = 0;
    // Null when the interface cannot be opened for reading and writing.
    virtual std::unique_ptr<HidHandle> Open(const HidInterface& device) = 0;
};

// The transport for one search: the fake boards when QELM_FAKE_BOARDS names
// any, otherwise the system's hidraw devices.
std::unique_ptr<HidTransport> ChooseTransport();
// Tests put a transport of their own in front of both (null: back to normal).
void OverrideTransportForTests(std::unique_ptr<HidTransport> (*make)());

std::unique_ptr<HidTransport> MakeHidapiTransport();
// Models separated by commas ("WexaA,WexaC"); ":silent" after a model makes
// that board never answer, ":wrongecho" makes it answer once with a wrong code.
std::unique_ptr<HidTransport> MakeFakeTransport(const std::string& models);
// Every block the fake boards were sent since the last search, in order (for tests).
std::vector<std::array<unsigned char, 8>>& FakeSentBlocks();

} // namespace qelm
