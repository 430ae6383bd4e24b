#include "devices/PortDataProcessor.h"
#include "devices/PortIoHelpers.h"
#include "devices/PortLogFile.h"
#include "devices/PortSysUtils.h"
#include "devices/PortTimer.h"
#include "devices/SerialComm.h"
#include "platform/Events.h"
#include "platform/MessageBoxes.h"
#include "tests/support/PtyPeer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <termios.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

template <typename Condition> bool SoonOnGui(Condition condition, std::chrono::milliseconds limit = 2000ms)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        platform::WaitForEvents(5);
    }
    return true;
}

// A device whose open takes the handle it is told.
class CountingDevice : public TqzBaseIO {
public:
    int opens = 0;
    int closes = 0;
    std::string sent;
    void SendChar(uint8_t byte) override { sent += static_cast<char>(byte); }
    void SendString(const AnsiString& text) override { sent += text; }
    int GetDeviceIndex() const override { return 0; }
    void Open() override
    {
        ++opens;
        TqzBaseIO::Open();
    }
    void Close() override
    {
        ++closes;
        TqzBaseIO::Close();
    }

protected:
    int RequestDeviceHandle() override { return 5; }
};

// A log that keeps its lines in memory.
class MemoryLog : public TqzCustomLogFile {
public:
    std::string lines;
    void Save() override { }
    void Clear() override { lines.clear(); }
    void Add(const AnsiString& text) override { lines += text + "|"; }
    void AddLog(TDetailLevel level, const AnsiString& text) override
    {
        Add(std::to_string(static_cast<int>(level)) + ":" + text);
    }
};

std::string FileText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(PortBase, ActiveNotifyAndFatalErrors)
{
    CountingDevice device;
    device.SetActive(false);
    device.SetActive(true);
    device.SetActive(true);
    EXPECT_EQ(device.opens, 1);
    EXPECT_EQ(device.handle, 5);
    device.SetActive(false);
    device.SetActive(false);
    EXPECT_EQ(device.closes, 1);

    std::string calls;
    const int first = 0;
    const int second = 0;
    device.NotifyAdd([&](TqzBaseIO&, int code) { calls += "a" + std::to_string(code); }, &first);
    device.NotifyAdd([&](TqzBaseIO&, int code) { calls += "x" + std::to_string(code); }, &first);
    device.NotifyAdd([&](TqzBaseIO&, int code) { calls += "b" + std::to_string(code); }, &second);
    EXPECT_EQ(device.NotifyCount(), 2);
    device.Update();
    EXPECT_EQ(calls, "a3b3");
    device.NotifyDelete(&first);
    device.DoNotify(1);
    EXPECT_EQ(calls, "a3b3b1");

    MemoryLog log;
    device.SetLogFile(&log);
    device.logPrefix = "qzComm: ";
    // Without a handler the error stays; a handler that clears the flag takes it.
    device.DoFatalErrors(1, 2, "first");
    EXPECT_EQ(device.unhandledError, "first");
    EXPECT_EQ(log.lines, "0:qzComm: Fatal Error: 1, 2, first|");
    device.unhandledError.clear();
    device.OnFatalError = [](TqzBaseIO&, int, int, const AnsiString&, bool& raise) { raise = false; };
    device.DoFatalErrors(7, 0, "taken");
    EXPECT_EQ(device.unhandledError, "");

    // Show only: the error box shows what no handler took.
    platform::RecordingMessageBoxes boxes;
    platform::setMessageBoxes(&boxes);
    device.OnFatalError = nullptr;
    device.DoFatalErrors(10, 0, "shown", FatalReport::Show);
    platform::setMessageBoxes(nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "shown");
    EXPECT_EQ(boxes.shown[0].caption, "Quorvatine");

    device.LoggingFmt(TDetailLevel::dlDebug, "%d-%s", 42, "x");
    EXPECT_NE(log.lines.find("2:qzComm: 42-x|"), std::string::npos);
}

TEST(PortBase, ALogThatGoesIsForgotten)
{
    CountingDevice device;
    {
        MemoryLog log;
        device.SetLogFile(&log);
        EXPECT_EQ(device.LogFile(), &log);
    }
    EXPECT_EQ(device.LogFile(), nullptr);
    device.Logging(TDetailLevel::dlSimple, "nobody listens");
}

TEST(FileLog, AppendsStampedLinesByLevel)
{
    QTemporaryDir folder;
    const std::string path = folder.filePath("ports.log").toStdString();
    {
        TqzFileLog log(path);
        log.Clock = [] { return AnsiString("2026-12-11 14:00:00.000"); };
        log.DetailLevel = TDetailLevel::dlDetail;
        CountingDevice device;
        device.logPrefix = "qzComm: ";
        device.SetLogFile(&log);
        device.Logging(TDetailLevel::dlSimple, "simple");
        device.Logging(TDetailLevel::dlDetail, "detail");
        device.Logging(TDetailLevel::dlDebug, "debug");
        log.AddFmt("%s %u", "plain", 7u);
    }
    EXPECT_EQ(FileText(path),
        "2026-12-11 14:00:00.000 qzComm: simple\n2026-12-11 14:00:00.000 qzComm: detail\n"
        "2026-12-11 14:00:00.000 plain 7\n");
    {
        // A new log appends; Clear empties the file.
        TqzFileLog log(path);
        log.Add("more");
        const std::string text = FileText(path);
        ASSERT_GE(text.size(), 30u);
        EXPECT_EQ(text.substr(text.size() - 29, 5), "2026-"); // a real time stamp, then the text
        EXPECT_EQ(text.substr(text.size() - 5), "more\n");
        log.Clear();
        EXPECT_EQ(FileText(path), "");
    }
    // A file that cannot be written is the log's fatal error, once.
    TqzFileLog broken(folder.filePath("no/such/folder/x.log").toStdString());
    int errors = 0;
    broken.OnFatalError = [&](TqzCustomLogFile&, int, int, const AnsiString&, bool&) { ++errors; };
    broken.Add("a");
    broken.Add("b");
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(broken.unhandledError.rfind("Log file \"", 0), 0u);
}

// Records its hooks; what it asks the component to skip is set by the test.
class RecordingProcessor : public TqzCustomDataProcessor {
public:
    std::string* calls;
    TIgnoreTypes skip = 0;
    std::atomic<bool> handleSend { false };
    std::atomic<int> sendsDone { 0 };
    std::string name;
    RecordingProcessor(std::string* log, std::string tag)
        : calls(log)
        , name(std::move(tag))
    { }

protected:
    TIgnoreTypes DoProcessing(const char* data, int length) override
    {
        *calls += name + " got " + std::string(data, static_cast<size_t>(length)) + ";";
        return skip;
    }
    void DoAfterSendComplete(bool& handled) override
    {
        *calls += name + " send done;";
        handled = handleSend;
        ++sendsDone;
    }
    void DoMediumOpened() override { *calls += name + " opened;"; }
    void DoMediumClosed() override { *calls += name + " closed;"; }
};

TEST(DataProcessor, HooksChainAndNotifyBinding)
{
    std::string calls;
    RecordingProcessor first(&calls, "1");
    RecordingProcessor second(&calls, "2");
    first.Chained = &second;
    first.skip = IgnoreBit(TIgnoreType::itTerminal);
    second.skip = IgnoreBit(TIgnoreType::itAfterReceive);
    EXPECT_EQ(first.DataReceive("ab", 2), IgnoreBit(TIgnoreType::itTerminal) | IgnoreBit(TIgnoreType::itAfterReceive));
    EXPECT_EQ(calls, "1 got ab;2 got ab;");
    first.Active = false;
    EXPECT_EQ(first.DataReceive("x", 1), 0u);
    first.Active = true;

    CountingDevice a;
    CountingDevice b;
    calls.clear();
    a.SetDataProcessor(&first);
    EXPECT_EQ(first.Device(), &a);
    a.SetActive(true);
    a.DoNotify(PortNotify::Halting);
    // Moving to another device moves the notify entry.
    first.SetDevice(&b);
    a.DoNotify(PortNotify::Opened);
    b.DoNotify(PortNotify::Opened);
    EXPECT_EQ(calls, "1 closed;1 opened;");
    EXPECT_EQ(a.NotifyCount(), 0);
    first.DoStringSend("out");
    first.DoDataSend("!", 1);
    EXPECT_EQ(b.sent, "out!");
    first.SetDevice(nullptr);
    a.SetDataProcessor(nullptr);
}

TEST(DataProcessor, SendTimeOutRunsTheCompletionHook)
{
    std::string calls;
    RecordingProcessor processor(&calls, "p");
    EXPECT_FALSE(processor.AsyncTimer().Enabled());
    processor.StartSendTimeout(20);
    ASSERT_TRUE(SoonOnGui([&] { return !calls.empty(); }));
    EXPECT_EQ(calls, "p send done;");
    EXPECT_FALSE(processor.AsyncTimer().Enabled());
    platform::WaitForEvents(60);
    EXPECT_EQ(calls, "p send done;");
    // A completion before the time-out stops it.
    processor.StartSendTimeout(50);
    processor.handleSend = true;
    EXPECT_TRUE(processor.AfterSendComplete());
    platform::WaitForEvents(100);
    EXPECT_EQ(calls, "p send done;p send done;");
}

TEST(DataProcessor, SeesReceivedBytesOnTheSerialComponent)
{
    for (int n = 1; n <= 9; ++n)
        unsetenv(("QUORVATINE_COM" + std::to_string(n)).c_str());
    PtyPeer peer;
    peer.MapAsCom(1);
    std::string calls;
    RecordingProcessor processor(&calls, "p");
    processor.skip = IgnoreBit(TIgnoreType::itAfterReceive);
    TqzComm comm;
    comm.StreamProtocol = TStreamProtocol::spNone;
    std::atomic<int> received { 0 };
    std::atomic<int> sent { 0 };
    comm.SetTraceStates(TraceBit(TTraceState::tsRxChar) | TraceBit(TTraceState::tsTxEmpty));
    comm.OnReceived = [&](TqzComm&, const char*, int) { ++received; };
    comm.OnSent = [&](TqzComm&, int length) {
        if (length == 0) ++sent;
    };
    comm.SetDataProcessor(&processor);
    comm.SetActive(true);
    peer.Write("data");
    ASSERT_TRUE(SoonOnGui([&] { return comm.received == 4; }));
    platform::WaitForEvents(20);
    // The processor saw the bytes and asked that OnReceived be skipped.
    EXPECT_EQ(received, 0);
    // A processor that takes the transmit-empty event keeps it from OnSent.
    processor.handleSend = true;
    comm.SendString("x");
    ASSERT_TRUE(SoonOnGui([&] { return processor.sendsDone == 1; }));
    EXPECT_EQ(sent, 0);
    comm.SetActive(false);
    comm.SetDataProcessor(nullptr);
    EXPECT_NE(calls.find("p opened;p got data;"), std::string::npos) << calls;
    EXPECT_NE(calls.find("p send done;p closed;"), std::string::npos) << calls;
}

TEST(PortTimer, RunsOnlyEnabledWithIntervalAndHandler)
{
    TqzTimer timer;
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_TRUE(timer.Enabled());
    std::atomic<int> ticks { 0 };
    timer.SetInterval(10);
    platform::WaitForEvents(40);
    EXPECT_EQ(ticks, 0); // no handler yet
    timer.SetOnTimer([&] {
        ++ticks;
        throw std::runtime_error("ignored");
    });
    ASSERT_TRUE(SoonOnGui([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    platform::WaitForEvents(5);
    const int stopped = ticks;
    platform::WaitForEvents(40);
    EXPECT_EQ(ticks, stopped);
    // Set from another thread, it starts through its own event loop.
    std::thread([&] { timer.SetEnabled(true); }).join();
    ASSERT_TRUE(SoonOnGui([&] { return ticks > stopped; }));
    timer.SetInterval(0);
    platform::WaitForEvents(5);
    const int zero = ticks;
    platform::WaitForEvents(40);
    EXPECT_EQ(ticks, zero);
}

TEST(PortSysUtils, OctalTextAndSections)
{
    struct Case {
        uint32_t value;
        const char* text;
    };
    const Case cases[] = { { 0, "0" }, { 7, "7" }, { 8, "10" }, { 0755, "755" }, { 0xFFFFFFFFu, "37777777777" } };
    for (const Case& c : cases) {
        EXPECT_EQ(IntToOct(c.value), c.text);
        EXPECT_EQ(OctToInt(c.text), c.value);
    }
    EXPECT_EQ(OctToInt("12x7"), 012u);
    EXPECT_EQ(OctToInt("9"), 0u);
    EXPECT_EQ(OctToInt(""), 0u);
    // Past 32 bits the low bits stay.
    EXPECT_EQ(OctToInt("777777777777"), 0xFFFFFFFFu);
    EXPECT_EQ(FormatText("%s-%05d", "a", 42), "a-00042");
    EXPECT_EQ(FormatText("%s", std::string(5000, 'y').c_str()).size(), 5000u);
    errno = ENOENT;
    EXPECT_EQ(GetLastSysErrorString(), "No such file or directory");

    // The section may be entered again by its holder; another thread waits.
    qzEnterThreadCritical();
    qzEnterThreadCritical();
    std::atomic<bool> entered { false };
    std::thread other([&] {
        qzEnterThreadCritical();
        entered = true;
        qzLeaveThreadCritical();
    });
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(entered);
    qzLeaveThreadCritical();
    qzLeaveThreadCritical();
    other.join();
    EXPECT_TRUE(entered);
    int* object = new int(3);
    FreeAndNil(object);
    EXPECT_EQ(object, nullptr);
}

TEST(PortIoHelpers, SyncAndAsyncTransfers)
{
    for (int n = 1; n <= 9; ++n)
        unsetenv(("QUORVATINE_COM" + std::to_string(n)).c_str());
    PtyPeer peer;
    peer.MapAsCom(4);
    EXPECT_EQ(ComPortToStr(4), "COM4");
    EXPECT_EQ(OpenPort(5), -1);
    const int fd = OpenPort(4);
    ASSERT_GE(fd, 0);
    // Not shared (root may open it anyway).
    if (geteuid() != 0) {
        EXPECT_EQ(OpenPort(4), -1);
    }

    EXPECT_TRUE(WriteSync(fd, "sync", 4, 1000));
    EXPECT_EQ(peer.Read(4, 1000), "sync");
    char buffer[8] = {};
    size_t got = 0;
    peer.Write("ab");
    EXPECT_FALSE(ReadSync(fd, buffer, 3, got, 100));
    EXPECT_EQ(got, 2u);
    peer.Write("cdef");
    EXPECT_TRUE(ReadSync(fd, buffer, 4, got, 1000));
    EXPECT_EQ(std::string(buffer, 4), "cdef");

    // Held output: the write goes on without the caller until the line runs.
    ASSERT_EQ(tcflow(fd, TCOOFF), 0);
    const std::string big(300000, 'z');
    EXPECT_TRUE(WriteAsync(fd, big.data(), big.size()));
    EXPECT_FALSE(WaitForIOCompletion(50));
    ASSERT_EQ(tcflow(fd, TCOON), 0);
    std::thread reader([&] { peer.Read(big.size(), 5000); });
    EXPECT_TRUE(WaitForIOCompletion(5000));
    reader.join();

    // A cancelled write is no completion.
    ASSERT_EQ(tcflow(fd, TCOOFF), 0);
    EXPECT_TRUE(WriteAsync(fd, big.data(), big.size()));
    EXPECT_EQ(qzCancelIO(fd + 100), 0);
    EXPECT_EQ(qzCancelIO(fd), 1);
    EXPECT_FALSE(WaitForIOCompletion(0));
    tcflow(fd, TCOON);
    EXPECT_EQ(qzCancelIO(fd), 0);
    ClosePort(fd);
    EXPECT_FALSE(WriteSync(-1, "x", 1));
    unsetenv("QUORVATINE_COM4");
}

} // namespace
