#include "devices/DeviceEnum.h"
#include "devices/LptModes.h"
#include "devices/ParallelPort.h"
#include "devices/PortSpace.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

namespace {

// A ppdev port in memory: every call is logged as a word, and the requests
// in `failing` fail with EIO.
class FakeParport : public ParportIo {
public:
    std::string calls;
    unsigned char status = 0;
    unsigned char control = PARPORT_CONTROL_INIT;
    unsigned int capabilities = 0;
    std::set<unsigned long> failing;
    bool openFails = false;
    std::string written;

    int Open(const std::string& path) override
    {
        calls += "open " + path + " ";
        if (openFails) {
            errno = ENOENT;
            return -1;
        }
        return 42;
    }
    int Ioctl(int fd, unsigned long request, void* argument) override
    {
        static const std::map<unsigned long, std::string> names
            = { { PPCLAIM, "claim" }, { PPRELEASE, "release" }, { PPRSTATUS, "status" }, { PPRCONTROL, "control" },
                  { PPFCONTROL, "frob" }, { PPGETMODES, "modes" }, { PPNEGOT, "negotiate" }, { PPSETMODE, "setmode" } };
        const auto name = names.find(request);
        calls += (name == names.end() ? std::string("?") : name->second);
        if (fd != 42) calls += "(bad fd)";
        if (failing.count(request)) {
            calls += "! ";
            errno = EIO;
            return -1;
        }
        if (request == PPRSTATUS) *static_cast<unsigned char*>(argument) = status;
        if (request == PPRCONTROL) *static_cast<unsigned char*>(argument) = control;
        if (request == PPGETMODES) *static_cast<unsigned int*>(argument) = capabilities;
        if (request == PPFCONTROL) {
            const auto* frob = static_cast<ppdev_frob_struct*>(argument);
            calls += std::to_string(frob->mask) + "/" + std::to_string(frob->val);
        }
        if (request == PPNEGOT || request == PPSETMODE) calls += std::to_string(*static_cast<int*>(argument));
        calls += " ";
        return 0;
    }
    ssize_t Write(int, const void* data, size_t length) override
    {
        written.append(static_cast<const char*>(data), length);
        return static_cast<ssize_t>(length);
    }
    void Close(int) override { calls += "close "; }
};

class ParallelSystem : public testing::Test {
protected:
    FakeParport fake;
    TqzLPT lpt;
    std::string fatal;
    void SetUp() override
    {
        lpt.SetParportIo(&fake);
        lpt.SetDirectMode(false);
        lpt.OnFatalError = [this](TqzBaseIO&, int code, int, const AnsiString& message, bool& raise) {
            fatal = std::to_string(code) + " " + message;
            raise = false;
        };
    }
};

TEST_F(ParallelSystem, OpenClaimsInitialisesAndCloseReleases)
{
    lpt.SetLptPortNo(2);
    lpt.SetActive(true);
    ASSERT_TRUE(lpt.Active());
    EXPECT_EQ(fake.calls, "open /dev/parport1 claim frob4/0 frob4/4 ");
    fake.calls.clear();
    // The registers are the system's: reads give 0 without a request.
    EXPECT_EQ(lpt.GetDataBits(), 0);
    lpt.SetDataBits(5);
    EXPECT_FALSE(lpt.GetPin(2));
    EXPECT_EQ(fake.calls, "");
    lpt.SetActive(false);
    EXPECT_EQ(fake.calls, "release close ");
    EXPECT_FALSE(lpt.Active());
}

TEST_F(ParallelSystem, FailedOpensAreFatalErrorTen)
{
    fake.openFails = true;
    lpt.SetActive(true);
    EXPECT_FALSE(lpt.Active());
    EXPECT_EQ(fatal, "10 No such file or directory open is failed.\rLPT1");
    fake.openFails = false;
    fake.failing = { PPCLAIM };
    lpt.SetActive(true);
    EXPECT_FALSE(lpt.Active());
    EXPECT_EQ(fatal, "10 Input/output error open is failed.\rLPT1");
    EXPECT_EQ(fake.calls.substr(fake.calls.size() - 6), "close ");
}

TEST_F(ParallelSystem, StatusFlagsFromTheDriver)
{
    EXPECT_EQ(lpt.GetDeviceStatus(), LptStatusBit(TqzLptStatus::lsPortClosed));
    lpt.SetActive(true);
    struct Case {
        unsigned char status;
        unsigned char control;
        int flags;
    };
    using S = TqzLptStatus;
    const Case cases[] = {
        // Selected, not busy, paper in: the ready printer.
        { PARPORT_STATUS_SELECT | PARPORT_STATUS_BUSY, PARPORT_CONTROL_INIT, LptStatusBit(S::lsSelected) },
        { 0, PARPORT_CONTROL_INIT, LptStatusBit(S::lsOffLine) | LptStatusBit(S::lsBusy) },
        { PARPORT_STATUS_SELECT | PARPORT_STATUS_BUSY | PARPORT_STATUS_PAPEROUT, PARPORT_CONTROL_AUTOFD,
            LptStatusBit(S::lsSelected) | LptStatusBit(S::lsPaperEmpty) | LptStatusBit(S::lsInit)
                | LptStatusBit(S::lsAutoFeed) },
    };
    for (const Case& c : cases) {
        fake.status = c.status;
        fake.control = c.control;
        EXPECT_EQ(lpt.GetDeviceStatus(), c.flags) << int(c.status);
    }
    fake.failing = { PPRSTATUS };
    EXPECT_EQ(lpt.GetDeviceStatus(), LptStatusBit(S::lsPortClosed));
    EXPECT_EQ(fatal, "10 Get status error Input/output error");
}

TEST_F(ParallelSystem, PortFreeModesAndNegotiation)
{
    EXPECT_FALSE(lpt.GetPortFree());
    EXPECT_FALSE(lpt.GetPortModes());
    lpt.SetActive(true);
    fake.calls.clear();
    EXPECT_TRUE(lpt.GetPortFree());
    EXPECT_EQ(fake.calls, "release claim ");
    fake.failing = { PPCLAIM };
    EXPECT_FALSE(lpt.GetPortFree());
    EXPECT_EQ(fatal, "");
    fake.failing.clear();

    fake.capabilities = PARPORT_MODE_PCSPP | PARPORT_MODE_TRISTATE | PARPORT_MODE_ECP;
    ASSERT_TRUE(lpt.GetPortModes());
    EXPECT_EQ(GetModeNames(lpt.ReadModes), "ECP_HW_NOIRQ BYTE_BIDIR CHANNEL_NIBBLE NIBBLE ");
    EXPECT_EQ(GetModeNames(lpt.WriteModes), "ECP_HW_NOIRQ IEEE_COMPATIBILITY CENTRONICS ");

    struct Case {
        TLptModes read;
        TLptModes write;
        std::string calls;
    };
    const Case cases[] = {
        { LptModeBit(TLptMode::pmNIBBLE), LptModeBit(TLptMode::pmCENTRONICS),
            "negotiate" + std::to_string(IEEE1284_MODE_NIBBLE) + " setmode" + std::to_string(IEEE1284_MODE_NIBBLE)
                + " " },
        { LptModeBit(TLptMode::pmBYTE_BIDIR), 0,
            "negotiate" + std::to_string(IEEE1284_MODE_BYTE) + " setmode" + std::to_string(IEEE1284_MODE_BYTE) + " " },
        { 0, LptModeBit(TLptMode::pmECP_HW_IRQ),
            "negotiate" + std::to_string(IEEE1284_MODE_ECP) + " setmode" + std::to_string(IEEE1284_MODE_ECP) + " " },
        { 0, LptModeBit(TLptMode::pmEPP_SW),
            "negotiate" + std::to_string(IEEE1284_MODE_EPP) + " setmode" + std::to_string(IEEE1284_MODE_EPP) + " " },
        // Compatibility mode needs no negotiation.
        { 0, LptModeBit(TLptMode::pmCENTRONICS), "setmode" + std::to_string(IEEE1284_MODE_COMPAT) + " " },
    };
    for (const Case& c : cases) {
        fake.calls.clear();
        EXPECT_TRUE(lpt.SetLptModes(c.read, c.write));
        EXPECT_EQ(fake.calls, c.calls);
    }
    fake.failing = { PPNEGOT };
    EXPECT_FALSE(lpt.SetLptModes(LptModeBit(TLptMode::pmNIBBLE), 0));
    EXPECT_EQ(fatal, "10 Set modes error Input/output error");
}

TEST_F(ParallelSystem, SendingWaitsOnTheDriversStatus)
{
    lpt.SetActive(true);
    fake.status = PARPORT_STATUS_BUSY; // not busy
    lpt.SendString("ok");
    EXPECT_EQ(fake.written, "ok");
    fake.status = 0;
    lpt.SendChar('!');
    lpt.SendString("skipped");
    EXPECT_EQ(fake.written, "ok!");
}

TEST(LptModeNames, EachNameOnceLaterFirst)
{
    EXPECT_EQ(GetModeNames(0), "");
    EXPECT_EQ(GetModeNames(LptModeBit(TLptMode::pmCENTRONICS) | LptModeBit(TLptMode::pmNIBBLE)), "NIBBLE CENTRONICS ");
    EXPECT_EQ(GetModeNames(0x7FF),
        "ECP_SW ECP_HW_IRQ ECP_HW_NOIRQ BOUNDED_ECP EPP_SW EPP_HW BYTE_BIDIR CHANNEL_NIBBLE NIBBLE "
        "IEEE_COMPATIBILITY CENTRONICS ");
    // Bits past the eleven modes name nothing.
    EXPECT_EQ(GetModeNames(0xF800), "");
}

// A system root with two parallel ports and a serial one.
class DeviceRoot : public testing::Test {
protected:
    QTemporaryDir root;
    std::string Path(const std::string& relative)
    {
        return root.filePath(QString::fromStdString(relative)).toStdString();
    }
    void Write(const std::string& relative, const std::string& text)
    {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        std::ofstream(Path(relative)) << text;
    }
    void SetUp() override
    {
        Write("sys/class/parport/parport1/uevent", "");
        Write("sys/class/parport/parport0/uevent", "");
        Write("proc/sys/dev/parport/parport0/base-addr", "888\t1912\n");
        Write("proc/sys/dev/parport/parport1/base-addr", "632\t0\n");
        Write("sys/class/tty/ttyUSB0/device/uevent", "");
        Write("sys/class/tty/tty5/uevent", "");
    }
};

TEST_F(DeviceRoot, EnumerationOpensWalksAndCloses)
{
    DeviceInfoList* list = EnumDevicesOpen(PortsClassId, root.path().toStdString());
    AnsiString service, key, name, description;
    std::string seen;
    int index = 0;
    while (EnumDevicesNext(list, index++, service, key, name, description))
        seen += service + ":" + name + ":" + description + ":" + std::filesystem::path(key).filename().string() + " ";
    EnumDevicesClose(list);
    EXPECT_EQ(seen, "tty:COM1:ttyUSB0:ttyUSB0 parport:LPT1:parport0:parport0 parport:LPT2:parport1:parport1 ");

    // Another class, or no system at all, lists nothing.
    list = EnumDevicesOpen("{00000000-0000-0000-0000-000000000000}", root.path().toStdString());
    EXPECT_FALSE(EnumDevicesNext(list, 0, service, key, name, description));
    EnumDevicesClose(list);
    list = EnumDevicesOpen(PortsClassId, Path("nothing"));
    EXPECT_FALSE(EnumDevicesNext(list, 0, service, key, name, description));
    EnumDevicesClose(list);
    EXPECT_FALSE(EnumDevicesNext(nullptr, 0, service, key, name, description));
}

TEST_F(DeviceRoot, ParallelListFillsTheNameTable)
{
    TqzLPT lpt;
    lpt.systemRoot = root.path().toStdString();
    std::vector<DeviceListEntry> list;
    lpt.GetDeviceList(list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (DeviceListEntry { "LPT1", 1 }));
    EXPECT_EQ(list[1], (DeviceListEntry { "LPT2", 2 }));
    EXPECT_EQ(FindLptBase("LPT1"), 888);
    EXPECT_EQ(FindLptBase("LPT2"), 632);

    // The number takes its base from the table, keeps the open state and
    // tells its observers.
    SetPortSpaceForTests(MakeSimulatedPortSpace(""));
    std::string codes;
    lpt.NotifyAdd([&](TqzBaseIO&, int code) { codes += std::to_string(code); }, this);
    lpt.LptIOBase = 0x3BC;
    lpt.SetActive(true);
    lpt.SetDeviceIndex(1);
    EXPECT_EQ(lpt.LptPortNo(), 2);
    EXPECT_EQ(lpt.LptIOBase, 632);
    EXPECT_TRUE(lpt.Active());
    EXPECT_EQ(lpt.GetDeviceIndex(), 1);
    // Opened, opened again on the new number, device changed.
    EXPECT_EQ(codes, "223");
    lpt.SetLptPort(TLptPorts::lpLPTxx);
    EXPECT_EQ(lpt.LptPortNo(), 2);
    lpt.SetLptPort(TLptPorts::lpLPT4);
    EXPECT_EQ(lpt.LptPortNo(), 4);
    EXPECT_EQ(lpt.LptIOBase, 632); // no LPT4 in the table
    EXPECT_EQ(lpt.LptPort(), TLptPorts::lpLPT4);
    lpt.SetActive(false);
    SetPortSpaceForTests(nullptr);
}

TEST_F(ParallelSystem, SwitchingModeReopens)
{
    SetPortSpaceForTests(MakeSimulatedPortSpace(""));
    lpt.SetDirectMode(true);
    lpt.LptIOBase = 0x378;
    lpt.SetActive(true);
    EXPECT_EQ(fake.calls, "");
    lpt.SetDirectMode(false);
    EXPECT_TRUE(lpt.Active());
    EXPECT_EQ(fake.calls, "open /dev/parport0 claim frob4/0 frob4/4 ");
    lpt.SetDirectMode(true);
    EXPECT_TRUE(lpt.Active());
    EXPECT_EQ(fake.calls.substr(fake.calls.size() - 14), "release close ");
    lpt.SetActive(false);
    SetPortSpaceForTests(nullptr);
}

} // namespace
