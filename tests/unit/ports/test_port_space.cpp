#include "devices/ParallelPort.h"
#include "tests/support/RunHarness.h"
#include "tests/unit/ports/PortsFixture.h"

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace {

// Runs programs on a simulated port space and reads back its access log.
class PortSpaceTest : public PortsTest {
protected:
    QTemporaryDir folder;
    std::string logPath;
    void SetUp() override
    {
        PortsTest::SetUp();
        logPath = folder.filePath("ports.log").toStdString();
        SetPortSpaceForTests(MakeSimulatedPortSpace(logPath));
    }
    std::streamoff mark = 0;
    // Later logs start here.
    void Mark()
    {
        std::ifstream in(logPath, std::ios::ate);
        mark = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    }
    std::string Log()
    {
        std::ifstream in(logPath);
        in.seekg(mark);
        std::stringstream text;
        text << in.rdbuf();
        std::string lines = text.str();
        for (char& c : lines)
            if (c == '\n') c = '|';
        return lines;
    }
};

TEST_F(PortSpaceTest, ParallelAndLatchSequences)
{
    struct Case {
        const char* program;
        const char* log;
        const char* output;
    };
    const Case cases[] = {
        // Output: control bits 5 and 7 cleared (the others kept), then the data.
        { "outport 890, 255\npportout 341", "W 037A FF|R 037A FF|W 037A 5F|W 0378 55|", "" },
        // Input: bits 5 and 7 set to turn the data lines round, then the data read.
        { "outport 888, 66\npportin v\nprint v", "W 0378 42|R 037A 00|W 037A A0|R 0378 42|", "66\n" },
        { "setpportnumber 632 + 65536\npportout 1", "R 027A 00|W 027A 00|W 0278 01|", "" },
        // Channels outside 1..4 are clamped; control bytes are written whole.
        { "vpportout 0, 7", "W 037A 0F|W 0378 07|W 037A 07|W 037A 0F|", "" },
        { "vpportout 9, 300", "W 037A 0C|W 0378 2C|W 037A 04|W 037A 0C|", "" },
        { "vpportin 2, v\nprint v", "W 037A AA|W 037A A2|R 0378 00|W 037A AA|", "0\n" },
        { "outport 97, 300\ninport 97, v\nprint v", "W 0061 2C|R 0061 2C|", "44\n" },
        { "microdelay 0\nmicrodelay -5\nmicrodelay 3", "", "" },
    };
    for (const Case& c : cases) {
        std::remove(logPath.c_str());
        SetPortSpaceForTests(MakeSimulatedPortSpace(logPath));
        Ports_Comms_IO_Form().ResetPorts();
        const RunResult result = RunProgram(c.program);
        EXPECT_EQ(result.ended, 1) << c.program;
        EXPECT_EQ(Log(), c.log) << c.program;
        EXPECT_EQ(result.output, c.output) << c.program;
    }
}

TEST_F(PortSpaceTest, ArgumentErrors)
{
    struct Case {
        const char* program;
        int error;
    };
    const Case cases[] = {
        { "outport 1", 30 },
        { "outport 1, 2, 3", 0 },
        { "vpportin 1", 30 },
        { "inport 1, 2", 52 },
        { "pportout \"a\"", 31 },
    };
    for (const Case& c : cases) {
        const RunResult result = RunProgram(c.program);
        EXPECT_EQ(result.ended, 0) << c.program;
        EXPECT_EQ(result.errorNumber, c.error) << c.program;
    }
}

TEST_F(PortSpaceTest, PinsLieOnTheirRegisterBits)
{
    TqzLPT lpt;
    lpt.LptIOBase = 0x378;
    lpt.SetActive(true);
    ASSERT_TRUE(lpt.Active());
    lpt.SetBitsStatus(0x80);
    EXPECT_TRUE(lpt.GetPin(11));
    EXPECT_FALSE(lpt.GetPin(10));
    lpt.SetDataBits(0xF0);
    lpt.SetPin(3, true);
    EXPECT_EQ(lpt.GetDataBits(), 0xF2);
    lpt.SetPin(9, false);
    EXPECT_EQ(lpt.GetDataBits(), 0x72);
    lpt.SetPin(17, true);
    EXPECT_EQ(lpt.GetBitsControl(), 0x08);
    EXPECT_FALSE(lpt.GetPin(0));
    EXPECT_FALSE(lpt.GetPin(26));
    lpt.SetPin(18, true);
}

TEST_F(PortSpaceTest, SendStringStrobesOnlyWhenNotBusy)
{
    TqzLPT lpt;
    lpt.LptIOBase = 0x378;
    lpt.SetActive(true);
    lpt.SendString("A"); // busy: skipped after 100 ms
    lpt.SetBitsStatus(0x80);
    Mark();
    lpt.SendString("B");
    EXPECT_EQ(Log(), "R 0379 80|W 0378 42|R 037A 00|W 037A 01|R 037A 01|W 037A 00|");
}

TEST_F(PortSpaceTest, BaseZeroFailsToOpen)
{
    TqzLPT lpt;
    std::string message;
    lpt.OnFatalError = [&](TqzBaseIO&, int code, int, const AnsiString& text, bool& raise) {
        EXPECT_EQ(code, 10);
        message = text;
        raise = false;
    };
    lpt.SetActive(true);
    EXPECT_FALSE(lpt.Active());
    EXPECT_EQ(message, "LPT1 open in Direct Mode is failed. Base I/O port is NULL");
    EXPECT_EQ(lpt.GetDataBits(), 0);
}

// A space that reaches nothing, as a machine without ports or rights.
class RefusingSpace : public PortSpace {
public:
    bool Reach(uint16_t, AnsiString& why) override
    {
        why = "no access here";
        return false;
    }
    uint8_t Read(uint16_t) override { return 0x55; }
    void Write(uint16_t, uint8_t) override { }
};

TEST_F(PortsTest, UnreachablePortsShowOneBoxAndReadZero)
{
    SetPortSpaceForTests(std::make_unique<RefusingSpace>());
    const RunResult result = RunProgram("for k = 1 to 3\ninport 888, a\npportout 1\nnext k\nprint a\n");
    EXPECT_EQ(result.ended, 1);
    EXPECT_EQ(result.output, "0\n");
    ASSERT_EQ(result.boxes.size(), 1u);
    EXPECT_EQ(result.boxes[0].caption, "Ports Error");
    EXPECT_EQ(result.boxes[0].text, "Create service failed.\r\nno access here");
    // A new run shows it again.
    EXPECT_EQ(RunProgram("outport 1, 1").boxes.size(), 1u);
}

} // namespace

namespace {

TEST_F(PortSpaceTest, FatalErrorsWithoutAHandlerAreKept)
{
    TqzLPT lpt;
    lpt.SetActive(true);
    EXPECT_EQ(lpt.unhandledError, "LPT1 open in Direct Mode is failed. Base I/O port is NULL");
    lpt.LptIOBase = 0x278;
    lpt.SetActive(true);
    ASSERT_TRUE(lpt.Active());
    // Active again on an active component opens nothing anew.
    int opened = 0;
    lpt.NotifyAdd([&](TqzBaseIO&, int code) { opened += code == PortNotify::Opened; }, this);
    lpt.NotifyAdd([&](TqzBaseIO&, int code) { opened += code == PortNotify::Opened; }, this);
    lpt.SetActive(true);
    EXPECT_EQ(opened, 0);
    lpt.SetActive(false);
    lpt.SetActive(true);
    EXPECT_EQ(opened, 1);
}

} // namespace
