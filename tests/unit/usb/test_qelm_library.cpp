#include "qelm/HidTransport.h"
#include "qelm/qelm.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// The board library's own code, in this process, on the fake board set.

namespace {

// A search over the fake boards named in `models`.
int Search(const std::string& models)
{
    setenv("QELM_FAKE_BOARDS", models.c_str(), 1);
    return Qelm_FindDevices();
}

std::string RecentError()
{
    char text[200] = {};
    Qelm_RecentError(text);
    return text;
}

std::string Product(int device)
{
    char text[100] = {};
    Qelm_DeviceProd(device, text);
    return text;
}

std::string Serial(int device)
{
    char text[100] = {};
    Qelm_DeviceSer(device, text);
    return text;
}

} // namespace

TEST(QelmLibrary, DiscoveryFillsSlotsInOrder)
{
    EXPECT_EQ(Search("none"), 0);
    EXPECT_EQ(Qelm_NumberOfDevices(), 0);

    EXPECT_EQ(Search("WexaC,WexaA"), -1);
    EXPECT_EQ(Qelm_NumberOfDevices(), 2);
    EXPECT_EQ(Product(0), "WexaC");
    EXPECT_EQ(Product(1), "WexaA");
    EXPECT_EQ(Serial(1), "0002");
    EXPECT_EQ(Qelm_DeviceVID(0), 0x0DE7);
    EXPECT_EQ(Qelm_DevicePID(0), 0x01AF);
    EXPECT_EQ(Qelm_DeviceDID(1), 1);
    EXPECT_EQ(Qelm_DeviceFirmwareVer(1), 1);
    EXPECT_EQ(Qelm_DeviceValid(1), -1);
    EXPECT_EQ(Qelm_DeviceValid(2), 0);
    EXPECT_EQ(Qelm_DeviceVID(2), 0);
    char text[100] = "unchanged";
    EXPECT_EQ(Qelm_DeviceMfr(2, text), 0);
    EXPECT_STREQ(text, "");

    // 51 boards: 50 kept.
    std::string many = "WexaB";
    for (int k = 1; k < 51; ++k)
        many += ",WexaB";
    EXPECT_EQ(Search(many), -1);
    EXPECT_EQ(Qelm_NumberOfDevices(), 50);

    // A second search starts from an empty table.
    EXPECT_EQ(Search("WexaD"), -1);
    EXPECT_EQ(Qelm_NumberOfDevices(), 1);
    EXPECT_EQ(Product(0), "WexaD");
}

TEST(QelmLibrary, DeviceNumbers)
{
    Search("WexaA");
    EXPECT_EQ(Qelm_DeviceVID(50), 0);
    EXPECT_EQ(RecentError(), "Qelm_DeviceVID - The device number was too large");
    EXPECT_EQ(Qelm_DeviceVID(256), 0x0DE7); // only the low byte counts
    EXPECT_EQ(RecentError(), " ");
    EXPECT_EQ(Qelm_WriteA(306, 1), 0); // low byte 50
    EXPECT_EQ(RecentError(), "Qelm_WriteA - The device number was too large");
    unsigned char b[8] = {};
    EXPECT_EQ(Qelm_WriteReadDevice(1, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7]), 0);
    EXPECT_EQ(Qelm_WriteDevice(3, b), 0);
    EXPECT_EQ(RecentError(), "Device not valid");
}

TEST(QelmLibrary, CloseKeepsIdentityAndFreesTheSlot)
{
    Search("WexaA");
    EXPECT_EQ(Qelm_CloseDevice(0), -1);
    EXPECT_EQ(Qelm_DeviceValid(0), 0);
    EXPECT_EQ(Qelm_NumberOfDevices(), 0);
    EXPECT_EQ(Qelm_WriteA(0, 1), 0);
    EXPECT_EQ(Search("WexaA"), -1);
    EXPECT_EQ(Qelm_DeviceValid(0), -1);
}

TEST(QelmLibrary, ExchangeChecksTheEcho)
{
    Search("WexaA,WexaA:wrongecho,WexaA:silent");
    EXPECT_EQ(Qelm_WriteA(0, 0x5A), -1);
    EXPECT_EQ(qelm::FakeSentBlocks().size(), 1u);
    unsigned char value = 0;
    EXPECT_EQ(Qelm_ReadA(0, &value), -1);
    EXPECT_EQ(value, 0x5A);
    // One wrong echo is answered by one resend.
    qelm::FakeSentBlocks().clear();
    EXPECT_EQ(Qelm_WriteB(1, 7), -1);
    EXPECT_EQ(qelm::FakeSentBlocks().size(), 2u);
    // A silent board: FALSE after the time-out, the out byte untouched.
    EXPECT_EQ(Qelm_SetReadTimeout(20), -1);
    value = 99;
    EXPECT_EQ(Qelm_ReadA(2, &value), 0);
    EXPECT_EQ(value, 99);
    EXPECT_EQ(RecentError(), "Qelm_ReadDevice - Device read failed, timeout");
}

TEST(QelmLibrary, ReadTimeoutIsShortenedAndResetBySearch)
{
    Search("WexaA:silent");
    unsigned char value = 0;
    Qelm_SetReadTimeout(200);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Qelm_ReadA(0, &value), 0);
    const auto shortWait = std::chrono::steady_clock::now() - start;
    EXPECT_LT(shortWait, std::chrono::milliseconds(900));
    EXPECT_GE(shortWait, std::chrono::milliseconds(200));
    Search("WexaA:silent");
    start = std::chrono::steady_clock::now();
    unsigned char block[8] = {};
    EXPECT_EQ(Qelm_ReadDevice(0, block), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST(QelmLibrary, TextsAndVersion)
{
    char notice[64];
    char about[82];
    char version[12];
    Search("none");
    EXPECT_EQ(Qelm_Copyright(notice), -1);
    EXPECT_EQ(Qelm_About(about), -1);
    EXPECT_NE(std::string(about, strnlen(about, 82)).find("WexaD"), std::string::npos);
    EXPECT_EQ(Qelm_Version(version), 70);
    EXPECT_STREQ(version, "Jan 19 2012");
    EXPECT_EQ(Qelm_ClearRecentError(), -1);
    EXPECT_EQ(RecentError(), "");
}

// Each command's blocks as the board received them.
namespace {

using Block = std::array<unsigned char, 8>;

struct CommandCase {
    const char* name;
    int (*send)();
    std::vector<Block> blocks;
};

unsigned char gOut;
unsigned char gCount = 4;
unsigned char gData[6] = { 1, 2, 3, 4, 5, 6 };
unsigned char gBlock[8] = { 0x42 };

const CommandCase commandCases[] = {
    { "InitPorts", [] { return Qelm_InitPorts(0); }, { { 0 } } },
    { "InitPortsWexaC", [] { return Qelm_InitPortsWexaC(0); }, { { 0 }, { 9, 0xFF, 0xFF }, { 10, 0xFF, 0xFF } } },
    { "InitPortsWexaD", [] { return Qelm_InitPortsWexaD(0); }, { { 0 }, { 10, 0xFF, 0xFF } } },
    { "WriteA", [] { return Qelm_WriteA(0, 0x1A5); }, { { 1, 0xA5 } } },
    { "WriteBBit", [] { return Qelm_WriteBBit(0, 3, 1); }, { { 4, 3, 1 } } },
    { "ReadB", [] { return Qelm_ReadB(0, &gOut); }, { { 6 } } },
    { "ResetBit", [] { return Qelm_ResetBit(0, 5); }, { { 8, 5 } } },
    { "DirectionBOut", [] { return Qelm_DirectionBOut(0); }, { { 10, 0xFF, 0xFF } } },
    { "DirectionAIn", [] { return Qelm_DirectionAIn(0); }, { { 9, 0, 0 } } },
    { "DirectionBInPullup", [] { return Qelm_DirectionBInPullup(0); }, { { 10, 0, 0xFF }, { 2, 0xFF } } },
    { "StrobeWrite2", [] { return Qelm_StrobeWrite2(0, 1, 2, 3, 4, 5); }, { { 11, 1, 2, 3, 4, 5 } } },
    { "StrobeRead", [] { return Qelm_StrobeRead(0, &gOut, 7, 8); }, { { 12, 0, 7, 8 } } },
    { "StrobeWrites", [] { return Qelm_StrobeWrites(0, &gCount, gData); }, { { 13, 4, 1, 2, 3, 4, 5, 6 } } },
    { "ReadLatches", [] { return Qelm_ReadLatches(0, gData); }, { { 15 } } },
    { "InitLCD", [] { return Qelm_InitLCD(0, 2, 3); }, { { 16, 2, 3 } } },
    { "LCDData", [] { return Qelm_LCDData(0, 65); }, { { 18, 65 } } },
    { "InitSPI", [] { return Qelm_InitSPI(0, 9); }, { { 20, 9 } } },
    { "SPISlaveWrite", [] { return Qelm_SPISlaveWrite(0, 7, gData); }, { { 22, 7, 1, 2, 3, 4, 5, 6 } } },
    { "SPISlaveRead", [] { return Qelm_SPISlaveRead(0, &gCount, gData); }, { { 23 } } },
    { "Stepper", [] { return Qelm_Stepper(0, 1, 1, 0, 1, 5, 2, 3); }, { { 28, 1, 0x95, 2, 3 } } },
    { "Reset1Wire", [] { return Qelm_Reset1Wire(0, gBlock); }, { { 29, 0x42 } } },
    { "Write1WireBit", [] { return Qelm_Write1WireBit(0, 1); }, { { 30, 1, 1 } } },
    { "Read1WireBit", [] { return Qelm_Read1WireBit(0, gBlock); }, { { 31, 0, 1 } } },
};

} // namespace

TEST(QelmLibrary, EveryCommandSendsItsBlocks)
{
    for (const CommandCase& test : commandCases) {
        Search("WexaC");
        gCount = 4;
        for (int k = 0; k < 6; ++k)
            gData[k] = static_cast<unsigned char>(k + 1);
        gBlock[0] = 0x42;
        EXPECT_EQ(test.send(), -1) << test.name;
        EXPECT_EQ(qelm::FakeSentBlocks(), test.blocks) << test.name;
    }
}

TEST(QelmLibrary, RepliesComeBackOnlyOnSuccess)
{
    Search("WexaA,WexaA:silent");
    // Read1Wire: the whole reply, code 31 in byte 0, the data byte in byte 1.
    unsigned char block[8] = { 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE };
    EXPECT_EQ(Qelm_Read1Wire(0, block), -1);
    EXPECT_EQ(block[0], 31);
    EXPECT_EQ(block[1], 0);
    unsigned char count = 3;
    unsigned char data[6] = { 9, 8, 7, 6, 5, 4 };
    EXPECT_EQ(Qelm_SPIMaster(0, &count, data), -1);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(data[0], 9);

    Qelm_SetReadTimeout(5);
    unsigned char untouched[8] = { 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE };
    EXPECT_EQ(Qelm_Read1Wire(1, untouched), 0);
    EXPECT_EQ(untouched[0], 0xEE);
    count = 3;
    EXPECT_EQ(Qelm_SPISlaveRead(1, &count, data), 0);
    EXPECT_EQ(count, 3);
}

TEST(QelmLibrary, SequencesRunEveryStepEvenAfterAFailure)
{
    Search("WexaC:silent");
    Qelm_SetReadTimeout(5);
    EXPECT_EQ(Qelm_InitPortsWexaC(0), 0);
    EXPECT_EQ(qelm::FakeSentBlocks(), (std::vector<Block> { { 0 }, { 9, 0xFF, 0xFF }, { 10, 0xFF, 0xFF } }));
}

TEST(QelmLibraryDeathTest, NothingIsTrueBeforeTheFirstSearch)
{
    // Only a fresh process shows the state before any search: TRUE reads 0,
    // the read time-out is 0, only the version answers.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            char version[12];
            const bool ok = Qelm_DeviceValid(0) == 0 && Qelm_NumberOfDevices() == 0 && Qelm_ClearRecentError() == 0
                && Qelm_SetReadTimeout(5) == 0 && Qelm_Version(version) == 70;
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

namespace {

// A system with an unreadable interface, a board with overlong strings and a
// device of another family.
class OddSystem final : public qelm::HidTransport {
public:
    bool Enumerate(std::vector<qelm::HidInterface>& found) override
    {
        qelm::HidInterface locked;
        locked.path = "locked";
        found.push_back(locked);
        qelm::HidInterface board;
        board.path = "board";
        board.vendorId = 0x0DE7;
        board.productId = 0x01A5;
        board.manufacturer = std::string(150, 'm');
        found.push_back(board);
        qelm::HidInterface mouse;
        mouse.path = "mouse";
        mouse.vendorId = 0x046D;
        found.push_back(mouse);
        return true;
    }
    std::unique_ptr<qelm::HidHandle> Open(const qelm::HidInterface& device) override
    {
        if (device.path == "locked") return nullptr;
        return qelm::MakeFakeTransport("")->Open(device); // null too: no fake of that path
    }
};

class Unreachable final : public qelm::HidTransport {
public:
    bool Enumerate(std::vector<qelm::HidInterface>&) override { return false; }
    std::unique_ptr<qelm::HidHandle> Open(const qelm::HidInterface&) override { return nullptr; }
};

class NullHandle final : public qelm::HidHandle {
public:
    bool Write(const unsigned char*) override { return false; }
    ReadResult Read(unsigned char*, int) override { return ReadResult::Failed; }
};

class BrokenBoard final : public qelm::HidTransport {
public:
    bool Enumerate(std::vector<qelm::HidInterface>& found) override
    {
        qelm::HidInterface board;
        board.vendorId = 0x0DE7;
        board.productId = 0x0191;
        board.manufacturer = std::string(150, 'm');
        found.push_back(board);
        return true;
    }
    std::unique_ptr<qelm::HidHandle> Open(const qelm::HidInterface&) override { return std::make_unique<NullHandle>(); }
};

} // namespace

TEST(QelmLibrary, SystemFailuresAndLongStrings)
{
    qelm::OverrideTransportForTests(
        []() -> std::unique_ptr<qelm::HidTransport> { return std::make_unique<Unreachable>(); });
    EXPECT_EQ(Qelm_FindDevices(), 0);
    EXPECT_EQ(RecentError(), "Qelm_FindDevices - Could not attach to PnP node");

    qelm::OverrideTransportForTests(
        []() -> std::unique_ptr<qelm::HidTransport> { return std::make_unique<OddSystem>(); });
    EXPECT_EQ(Qelm_FindDevices(), 0);
    EXPECT_EQ(RecentError(), "Qelm_FindDevices - Could not open HID device");

    qelm::OverrideTransportForTests(
        []() -> std::unique_ptr<qelm::HidTransport> { return std::make_unique<BrokenBoard>(); });
    EXPECT_EQ(Qelm_FindDevices(), -1);
    char text[200] = {};
    EXPECT_EQ(Qelm_DeviceMfr(0, text), -1);
    EXPECT_EQ(std::string(text), std::string(99, 'm'));
    // Writes are tried five times; a failed read is an unknown error.
    EXPECT_EQ(Qelm_WriteA(0, 1), 0);
    EXPECT_EQ(RecentError(), "Qelm_WriteDevice - Device write failed, retrying");
    unsigned char block[8] = {};
    EXPECT_EQ(Qelm_ReadDevice(0, block), 0);
    EXPECT_EQ(RecentError(), "Qelm_ReadDevice - Unknown error");
    qelm::OverrideTransportForTests(nullptr);
}
