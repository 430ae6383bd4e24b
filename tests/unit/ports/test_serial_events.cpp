#include "devices/CommEventList.h"
#include "devices/PnpString.h"
#include "devices/SerialComm.h"
#include "tests/support/PtyPeer.h"
#include "tests/unit/ports/FakeTty.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include <sys/ioctl.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Waits up to two seconds for a condition set on another thread.
template <typename Condition> bool Eventually(Condition condition)
{
    const auto end = Clock::now() + 2s;
    while (!condition()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// What the component's events reported, gathered from its message thread.
struct EventLog {
    std::mutex lock;
    std::string text;
    std::thread::id thread;
    void Add(const std::string& line)
    {
        std::lock_guard<std::mutex> guard(lock);
        text += line + ";";
        thread = std::this_thread::get_id();
    }
    std::string Text()
    {
        std::lock_guard<std::mutex> guard(lock);
        return text;
    }
    bool Has(const std::string& line) { return Text().find(line + ";") != std::string::npos; }
    std::thread::id Thread()
    {
        std::lock_guard<std::mutex> guard(lock);
        return thread;
    }
};

std::string States(TTraceStates states)
{
    static const char* names[] = { "RxChar", "RxFlag", "TxEmpty", "CTS", "DSR", "RLSD", "Break", "Err", "Ring",
        "Rx80Full", "Event1", "Event2" };
    std::string text;
    for (int k = 0; k < 12; ++k)
        if (states & (1u << k)) text += std::string(text.empty() ? "" : "|") + names[k];
    return text.empty() ? "none" : text;
}

// COM1 is a pseudo-terminal; the component's events are logged.
class SerialEvents : public testing::Test {
protected:
    PtyPeer peer;
    TqzComm comm;
    EventLog log;
    void SetUp() override
    {
        for (int n = 1; n <= 9; ++n)
            unsetenv(("QUORVATINE_COM" + std::to_string(n)).c_str());
        ASSERT_FALSE(peer.SlavePath().empty());
        peer.MapAsCom(1);
        comm.StreamProtocol = TStreamProtocol::spNone;
        comm.OnReceived = [this](TqzComm&, const char* data, int length) {
            log.Add("received " + std::string(data, static_cast<size_t>(length)));
        };
        comm.OnSent = [this](TqzComm&, int length) { log.Add("sent " + std::to_string(length)); };
        comm.OnTraceState = [this](TqzComm&, TTraceStates states) { log.Add("trace " + States(states)); };
        comm.OnCommError = [this](TqzComm&, int errors, int, bool&) { log.Add("error " + std::to_string(errors)); };
    }
    void TearDown() override { comm.SetActive(false); }
};

TEST_F(SerialEvents, ReceivedSentAndTraceStatesFireOffTheGuiThread)
{
    comm.SetTraceStates(
        TraceBit(TTraceState::tsRxChar) | TraceBit(TTraceState::tsTxEmpty) | TraceBit(TTraceState::tsRxFlag));
    comm.EventChar = '!';
    comm.SetActive(true);
    ASSERT_TRUE(comm.Active());
    EXPECT_TRUE(log.Has("trace TxEmpty")) << log.Text();

    peer.Write("hello");
    ASSERT_TRUE(Eventually([&] { return log.Has("received hello"); })) << log.Text();
    EXPECT_NE(log.Thread(), std::this_thread::get_id());
    EXPECT_EQ(comm.GetReadyForRead(), 0);
    EXPECT_EQ(comm.received, 5);

    peer.Write("hey!");
    ASSERT_TRUE(Eventually([&] { return log.Has("trace RxFlag"); })) << log.Text();

    comm.SendString("abc");
    EXPECT_TRUE(log.Has("sent 3"));
    EXPECT_EQ(peer.Read(3, 1000), "abc");
    // The line emptied: the transmit-empty event follows the send.
    ASSERT_TRUE(Eventually([&] { return log.Has("sent 0"); })) << log.Text();
    EXPECT_EQ(comm.sent, 3);

    comm.SetActive(false);
    EXPECT_TRUE(log.Has("trace none"));
}

TEST_F(SerialEvents, UnusedBytesStayForPolling)
{
    comm.OnReceived = nullptr;
    comm.SetActive(true);
    peer.Write("polled");
    ASSERT_TRUE(Eventually([&] { return comm.GetReadyForRead() == 6; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(comm.ReadString(), "polled");
    // A handler without the receive trace state takes the bytes but is not called.
    comm.SetActive(false);
    comm.OnReceived = [this](TqzComm&, const char*, int) { log.Add("called"); };
    comm.SetActive(true);
    peer.Write("x");
    ASSERT_TRUE(Eventually([&] { return comm.received == 1; }));
    EXPECT_EQ(comm.GetReadyForRead(), 0);
    EXPECT_FALSE(log.Has("called"));
}

TEST_F(SerialEvents, EventListMatchesAndMayTakeTheBytes)
{
    comm.SetTraceStates(TraceBit(TTraceState::tsRxChar));
    comm.EventListOnLine = true;
    comm.EventList.Add("OK");
    comm.EventList.Add("ERR");
    std::atomic<bool> take { false };
    comm.OnEventList = [&](TqzComm&, int index, const char* data, int length, bool& taken) {
        log.Add("event " + std::to_string(index) + " " + std::string(data, static_cast<size_t>(length)));
        taken = take;
    };
    comm.SetActive(true);
    peer.Write("xOOKy");
    ASSERT_TRUE(Eventually([&] { return log.Has("received xOOKy"); })) << log.Text();
    EXPECT_TRUE(log.Has("event 0 OKy"));
    // Each match hands over the bytes after itself.
    peer.Write("OK1OK2");
    ASSERT_TRUE(Eventually([&] { return log.Has("event 0 OK2"); })) << log.Text();
    EXPECT_TRUE(log.Has("event 0 OK1OK2")) << log.Text();
    take = true;
    peer.Write("ERR!");
    ASSERT_TRUE(Eventually([&] { return log.Has("event 1 ERR!"); })) << log.Text();
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(log.Has("received ERR!"));
}

TEST(EventListMatcher, MatchesByteByByte)
{
    struct Case {
        std::vector<std::string> patterns;
        std::string input;
        std::string matches; // "index@position ..."
    };
    const Case cases[] = {
        { { "OK" }, "xOOKy", "0@3 " },
        // A failed match restarts only on the pattern's first byte.
        { { "aab" }, "aaab", "" },
        { { "aab" }, "aabaab", "0@2 0@5 " },
        // The first pattern to complete wins; later ones miss this byte.
        { { "K", "OK" }, "OK", "0@1 " },
        { { "OK", "K" }, "OK", "0@1 " },
        { { "AB", "B" }, "ABB", "0@1 1@2 " },
        { { std::string("\0\xff", 2) }, std::string("\0\0\xff", 3), "0@2 " },
    };
    for (const Case& c : cases) {
        TEventList list;
        for (const std::string& p : c.patterns)
            list.Add(p);
        std::string found;
        for (const TEventList::Match& m : list.Scan(c.input.data(), c.input.size()))
            found += std::to_string(m.index) + "@" + std::to_string(m.position) + " ";
        EXPECT_EQ(found, c.matches) << c.input;
    }
    TEventList list;
    EXPECT_EQ(list.Add(""), -1);
    list.Add("abc");
    list.Add("xy");
    EXPECT_EQ(list.LongestPattern(), 3u);
    list.Delete(0);
    EXPECT_EQ(list.LongestPattern(), 2u);
}

// A pseudo-terminal with stand-in modem lines.
class SerialLines : public SerialEvents {
protected:
    FakeTty fake;
    void SetUp() override
    {
        SerialEvents::SetUp();
        comm.SetTtyControl(&fake);
    }
};

TEST_F(SerialLines, ModemEventsReachTraceStatesAndMonitors)
{
    comm.SetTraceStates(TraceBit(TTraceState::tsCTS) | TraceBit(TTraceState::tsDSR) | TraceBit(TTraceState::tsRing)
        | TraceBit(TTraceState::tsRLSD) | TraceBit(TTraceState::tsErr));
    std::atomic<int> cts { -1 };
    comm.SetMonitor(TModemSignal::msCTS, [&](bool on) { cts = on; });
    comm.SetActive(true);
    EXPECT_EQ(fake.Calls(), "DTR+ RTS- ");
    EXPECT_EQ(cts, 0);
    fake.SetInputLines(TIOCM_CTS);
    ASSERT_TRUE(Eventually([&] { return log.Has("trace CTS"); })) << log.Text();
    EXPECT_EQ(cts, 1);
    EXPECT_EQ(comm.GetStateModemSignals(), ModemSignal::CTS);
    fake.SetInputLines(TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_RNG);
    ASSERT_TRUE(Eventually([&] { return log.Has("trace DSR|RLSD|Ring"); })) << log.Text();
    EXPECT_TRUE(comm.WaitForSignal(TModemSignal::msRLSD, 0));
    fake.SetInputLines(0);
    EXPECT_FALSE(comm.WaitForSignal(TModemSignal::msDSR, 30));

    fake.AddFrameError();
    ASSERT_TRUE(Eventually([&] { return log.Has("error 8"); })) << log.Text();
    // Closing ends the modem wait.
    comm.SetActive(false);
}

TEST_F(SerialLines, BreakAndFlowStatesReachThePeer)
{
    comm.SetActive(true);
    EXPECT_TRUE(comm.SetStateBreak(true));
    EXPECT_TRUE(comm.SetStateBreak(false));
    EXPECT_EQ(fake.Calls(), "DTR+ RTS- BRK+ BRK- ");

    // In packet mode the master learns when the slave's output stops and starts.
    int on = 1;
    ASSERT_EQ(ioctl(peer.MasterFd(), TIOCPKT, &on), 0);
    EXPECT_TRUE(comm.SetStateX(false));
    EXPECT_EQ(peer.Read(1, 1000), std::string(1, TIOCPKT_STOP));
    comm.SendData("held", 4);
    EXPECT_EQ(peer.Read(1, 100), "");
    EXPECT_TRUE(comm.SetStateX(true));
    const std::string after = peer.Read(1, 1000);
    EXPECT_EQ(after, std::string(1, TIOCPKT_START));
    EXPECT_EQ(peer.Read(5, 1000), std::string(1, '\0') + "held");

    EXPECT_TRUE(comm.SendAheadChar('Z'));
    EXPECT_EQ(peer.Read(2, 1000), std::string(1, '\0') + "Z");
}

TEST_F(SerialEvents, TimeOutsShapeReadsAndWrites)
{
    TCommTimeouts limits;
    limits.ReadIntervalTimeout = 7;
    limits.ReadTotalTimeoutMultiplier = 1;
    limits.ReadTotalTimeoutConstant = 100;
    limits.WriteTotalTimeoutMultiplier = 0;
    limits.WriteTotalTimeoutConstant = 150;
    comm.SetTimeOuts(limits);
    EXPECT_EQ(comm.GetTimeouts(), limits);
    comm.SetTimeoutRead(0);
    comm.SetTimeoutWrite(120);
    EXPECT_EQ(comm.TimeoutRead(), 0u);
    EXPECT_EQ(comm.GetTimeouts().WriteTotalTimeoutConstant, 120u);
    comm.SetActive(true);

    char buffer[16] = {};
    // The total limit: 1 x 10 + 100 ms.
    peer.Write("abc");
    auto start = Clock::now();
    EXPECT_EQ(comm.Read(buffer, 10), 3);
    EXPECT_GE(Clock::now() - start, 100ms);
    EXPECT_EQ(std::string(buffer, 3), "abc");

    // Returns at once with what waits: without that rule the read would wait
    // for its bytes for ever, so a bound far above any scheduling delay of a
    // loaded machine still tells the two apart.
    comm.SetTimeOuts({ 0xFFFFFFFFu, 0, 0, 0, 120 });
    start = Clock::now();
    EXPECT_EQ(comm.Read(buffer, 10), 0);
    EXPECT_LT(Clock::now() - start, 1s);

    // A held line takes nothing: the send fails after the write time-out.
    ASSERT_TRUE(comm.SetStateX(false));
    std::string big(200000, 'w');
    start = Clock::now();
    comm.SendString(big);
    const auto took = Clock::now() - start;
    EXPECT_GE(took, 120ms);
    EXPECT_LT(took, 3s);
    EXPECT_TRUE(log.Has("error 0")) << log.Text();
    EXPECT_EQ(comm.GetNotYetSend() >= 0, true);
    comm.SetStateX(true);
}

TEST_F(SerialEvents, ConfigurationIsStoredByteForByte)
{
    QTemporaryDir folder;
    const std::string file = folder.filePath("Ports.INI").toStdString();
    comm.SetComPortNo(7);
    comm.BaudRate = 57600;
    comm.ByteSize = 7;
    comm.Parity = TParity::pEven;
    comm.StopBits = TStopBits::sbTwo;
    comm.StreamProtocol = TStreamProtocol::spXonXoff;
    comm.EventChar = '\n';
    comm.SetTimeOuts({ 1, 2, 3, 4, 5 });
    ASSERT_TRUE(comm.SaveConfig(file, "Software\\Quorvatine\\Ports", "COM"));
    const auto saved = comm.ConfigRecord().Pack();
    EXPECT_EQ(saved.size(), 49u);
    EXPECT_EQ(saved[0], 7);

    TqzComm other;
    other.SetComPortNo(2);
    ASSERT_TRUE(other.LoadConfig(file, "Software\\Quorvatine\\Ports", "COM"));
    EXPECT_EQ(other.ComPortNo(), 7);
    EXPECT_EQ(other.BaudRate, 57600);
    EXPECT_EQ(other.ByteSize, 7);
    EXPECT_EQ(other.Parity, TParity::pEven);
    EXPECT_EQ(other.StopBits, TStopBits::sbTwo);
    EXPECT_EQ(other.StreamProtocol, TStreamProtocol::spXonXoff);
    EXPECT_EQ(other.EventChar, '\n');
    EXPECT_EQ(other.GetTimeouts(), (TCommTimeouts { 1, 2, 3, 4, 5 }));
    EXPECT_EQ(other.ConfigRecord().Pack(), saved);

    // Missing values and foreign sizes fail with the component's text.
    EXPECT_FALSE(other.LoadConfig(file, "Software\\Quorvatine\\Ports", "LPT"));
    EXPECT_EQ(other.unhandledError, "Error on load config information from registry");
    EXPECT_FALSE(other.SaveConfig("", "k", "v"));
    EXPECT_EQ(other.unhandledError, "Error on save config information from registry");
}

TEST(DeviceControlBlock, FromPropertiesAndBack)
{
    struct Case {
        LineProperties line;
        int byteSize;
        bool parity, cts, outX, inX, abortOnError;
        uint8_t rts;
    };
    const Case cases[] = {
        { { 9600, 9, TParity::pNone, TStopBits::sbOne, TStreamProtocol::spNone, 0 }, 8, false, false, false, false,
            true, RtsControl::Off },
        { { 300, 3, TParity::pMark, TStopBits::sbTwo, TStreamProtocol::spXonXoff, 0 }, 8, true, false, true, true, true,
            RtsControl::Off },
        { { 115200, 5, TParity::pOdd, TStopBits::sbOneAndHalf, TStreamProtocol::spHardware, 0 }, 5, true, true, false,
            false, false, RtsControl::Handshake },
    };
    for (const Case& c : cases) {
        const TDeviceControlBlock block = MakeDeviceControlBlock(c.line);
        EXPECT_EQ(block.ByteSize, c.byteSize);
        EXPECT_EQ(block.fParity, c.parity);
        EXPECT_EQ(block.fOutxCtsFlow, c.cts);
        EXPECT_EQ(block.fOutX, c.outX);
        EXPECT_EQ(block.fInX, c.inX);
        EXPECT_EQ(block.fAbortOnError, c.abortOnError);
        EXPECT_EQ(block.fRtsControl, c.rts);
        EXPECT_EQ(block.fDtrControl, 1);
        EXPECT_TRUE(block.fBinary);
        const LineProperties back = ReadDeviceControlBlock(TDeviceControlBlock::Unpack(block.Pack().data()));
        EXPECT_EQ(back.StreamProtocol, c.line.StreamProtocol);
        EXPECT_EQ(back.Parity, c.line.Parity);
        EXPECT_EQ(back.StopBits, c.line.StopBits);
        EXPECT_EQ(back.BaudRate, c.line.BaudRate);
    }
    const auto bytes = MakeDeviceControlBlock({}).Pack();
    EXPECT_EQ(bytes[0], 28); // the block's own length comes first
    const TDeviceControlBlock xon
        = MakeDeviceControlBlock({ 9600, 8, TParity::pNone, TStopBits::sbOne, TStreamProtocol::spXonXoff, 0 });
    EXPECT_EQ(xon.XonLim, 10);
    EXPECT_EQ(xon.XoffLim, 10);
    EXPECT_EQ(xon.XonChar, 17);
    EXPECT_EQ(xon.XoffChar, 19);
    // Anything but 49 bytes is no configuration.
    EXPECT_FALSE(TCommConfigRecord::Unpack(bytes.data(), 28));
}

TEST_F(SerialEvents, CloseEndsWithinASecondWhenAHandlerHangs)
{
    // The handler outlives this body: its flags must too.
    static std::atomic<bool> inHandler;
    static std::atomic<bool> release;
    inHandler = false;
    release = false;
    comm.SetTraceStates(TraceBit(TTraceState::tsRxChar));
    comm.OnReceived = [&](TqzComm&, const char*, int) {
        inHandler = true;
        while (!release)
            std::this_thread::sleep_for(1ms);
    };
    comm.SetActive(true);
    peer.Write("x");
    ASSERT_TRUE(Eventually([&] { return inHandler.load(); }));
    const auto start = Clock::now();
    comm.SetActive(false);
    const auto took = Clock::now() - start;
    EXPECT_FALSE(comm.Active());
    EXPECT_GE(took, 900ms);
    // The give-up is at 1000 ms; the rest is room for a loaded machine.
    EXPECT_LT(took, 3s);
    release = true;
}

TEST_F(SerialEvents, HangUpHaltsWithAFatalError)
{
    std::atomic<int> notified { 0 };
    comm.NotifyAdd([&](TqzBaseIO&, int code) { notified = notified * 10 + code; }, this);
    // Written on the event thread; read once `reported` is set.
    std::string message;
    std::atomic<bool> reported { false };
    comm.OnFatalError = [&](TqzBaseIO&, int code, int, const AnsiString& text, bool& raise) {
        message = std::to_string(code) + " " + text;
        raise = false;
        reported = true;
    };
    comm.SetActive(true);
    EXPECT_EQ(notified, 2);
    peer.HangUp();
    ASSERT_TRUE(Eventually([&] { return !comm.Active(); }));
    ASSERT_TRUE(Eventually([&] { return reported.load(); }));
    EXPECT_EQ(notified, 21);
    EXPECT_EQ(message.rfind("1 Device \"COM1\" failed: ", 0), 0u) << message;
    comm.SetActive(false);
}

TEST(PnpStringReader, StartBytesEndBytesAndGaps)
{
    // A scripted device: each byte after its delay; -1 for silence.
    struct Script : PnpByteSource {
        std::vector<std::pair<int, int>> steps; // delay, byte
        size_t next = 0;
        int Next(int ms) override
        {
            if (next >= steps.size() || steps[next].first > ms) return -1;
            return steps[next++].second;
        }
    };
    auto script = [](const std::string& bytes, int delay = 0, int gapAt = -1, int gap = 0) {
        Script s;
        for (size_t k = 0; k < bytes.size(); ++k)
            s.steps.push_back({ static_cast<int>(k) == gapAt ? gap : delay, static_cast<uint8_t>(bytes[k]) });
        return s;
    };
    struct Case {
        Script source;
        bool answered;
        std::string text;
    };
    Case cases[] = {
        { script("(\x01$PNP0F0C)rest"), true, "(\x01$PNP0F0C)" },
        { script("\x08\x01PNP\x09more"), true, "\x08\x01PNP\x09" },
        // A "(" string does not end at 0x09, nor a 0x08 string at ")".
        { script("(a\x09)"), true, "(a\x09)" },
        { script("\x08)\x09"), true, "\x08)\x09" },
        { script("M(PNP)"), true, "(PNP)" },
        { script("MZ"), true, "" },
        { script(""), false, "" },
        // 200 ms without a byte ends the string; 200 exactly does not.
        { script("(abc)", 0, 2, 201), true, "(a" },
        { script("(abc)", 0, 2, 200), true, "(abc)" },
        { script("(abc)", 201), false, "" },
        { script("(" + std::string(400, 'x')), true, "(" + std::string(255, 'x') },
    };
    for (Case& c : cases) {
        const PnpReadResult result = ReadPnpString(c.source);
        EXPECT_EQ(result.answered, c.answered) << c.text;
        EXPECT_EQ(result.text, c.text);
    }
}

// A device that answers once RTS rises, after the line toggles.
TEST_F(SerialLines, PnpStringFromAScriptedDevice)
{
    struct Case {
        int silentTries; // RTS rises to ignore before answering
        std::string answer;
        std::string expected;
    };
    const Case cases[] = {
        { 0, "(\x01$ABC0001)", "(\x01$ABC0001)" },
        { 1, "\x08PNP\x09", "\x08PNP\x09" },
        { 2, "(late)", "" },
    };
    for (const Case& c : cases) {
        std::atomic<int> rises { 0 };
        std::atomic<bool> toggled { false };
        std::vector<std::string> sequence;
        std::mutex sequenceLock;
        fake.onCall = [&](const std::string& call) {
            {
                std::lock_guard<std::mutex> guard(sequenceLock);
                sequence.push_back(call);
            }
            // The identification exchange starts with DTR dropped; the
            // connection test before it raises RTS too.
            if (call == "DTR-") toggled = true;
            if (call != "RTS+" || !toggled) return;
            if (rises++ == c.silentTries) peer.Write(c.answer);
        };
        fake.SetInputLines(TIOCM_DSR);
        comm.BaudRate = 9600;
        const auto start = Clock::now();
        EXPECT_EQ(comm.GetPNPDeviceString(), c.expected);
        const auto took = Clock::now() - start;
        fake.onCall = nullptr;
        // The port was closed before and is again; the settings are back.
        EXPECT_FALSE(comm.Active());
        EXPECT_EQ(comm.BaudRate, 9600);
        EXPECT_EQ(comm.ByteSize, 8);
        std::lock_guard<std::mutex> guard(sequenceLock);
        std::string text;
        for (const std::string& s : sequence)
            text += s + " ";
        // The open, the connection test, the identification line settings,
        // then DTR and RTS dropped and raised in turn, 200 ms apart.
        EXPECT_EQ(text.rfind("DTR+ RTS- DTR+ RTS- RTS+ DTR+ RTS- DTR- RTS- DTR+ RTS+ ", 0), 0u) << text;
        EXPECT_GE(took, c.answer.empty() || c.silentTries > 0 ? 800ms : 400ms);
        if (c.expected.empty()) {
            EXPECT_GE(took, 1200ms);
        }
    }
}

TEST_F(SerialLines, DeviceConnectNeedsDsr)
{
    comm.SetActive(true);
    EXPECT_FALSE(comm.InitDeviceConnect());
    EXPECT_EQ(comm.unhandledError, "Device Connect Initialization Error");
    fake.SetInputLines(TIOCM_DSR);
    comm.unhandledError.clear();
    EXPECT_TRUE(comm.InitDeviceConnect());
    EXPECT_EQ(comm.unhandledError, "");
}

} // namespace
