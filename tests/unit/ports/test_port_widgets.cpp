#include "devices/CommConfigDialog.h"
#include "devices/DeviceChangeWatch.h"
#include "devices/Ports_comms_io.h"
#include "devices/SerialComm.h"
#include "devices/widgets/CommConfigForm.h"
#include "devices/widgets/CommTerminalBinding.h"
#include "devices/widgets/DeviceBox.h"
#include "platform/Events.h"
#include "tests/support/PtyPeer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace {

using namespace std::chrono_literals;

// Processes events until the condition holds, two seconds at most.
template <typename Condition> bool SoonOnGui(Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        platform::WaitForEvents(5);
    }
    return true;
}

class PortWidgets : public testing::Test {
protected:
    PtyPeer first;
    PtyPeer third;
    void SetUp() override
    {
        for (int n = 1; n <= 9; ++n)
            unsetenv(("QUORVATINE_COM" + std::to_string(n)).c_str());
        first.MapAsCom(1);
        third.MapAsCom(3);
    }
    void TearDown() override
    {
        for (int n = 1; n <= 12; ++n)
            unsetenv(("QUORVATINE_COM" + std::to_string(n)).c_str());
    }
    static std::string Items(const QComboBox& box)
    {
        std::string text;
        for (int k = 0; k < box.count(); ++k)
            text += box.itemText(k).toStdString() + (k == box.currentIndex() ? "* " : " ");
        return text;
    }
};

TEST_F(PortWidgets, DeviceBoxFollowsItsComponent)
{
    auto comm = std::make_unique<TqzComm>();
    comm->SetComPortNo(3);
    TqzDeviceBox box;
    box.SetqzComm(comm.get());
    EXPECT_EQ(Items(box), "COM1 COM3* ");

    // Choosing an item sets the component's port.
    box.setCurrentIndex(0);
    emit box.activated(0);
    EXPECT_EQ(comm->ComPortNo(), 1);
    EXPECT_EQ(Items(box), "COM1* COM3 ");

    // A port that comes is listed when the system says its devices changed.
    PtyPeer tenth;
    tenth.MapAsCom(10);
    EXPECT_EQ(Items(box), "COM1* COM3 ");
    DeviceChangeWatch::Changed();
    EXPECT_EQ(Items(box), "COM1* COM3 COM10 ");

    // Code 3 from the component reloads too.
    unsetenv("QUORVATINE_COM3");
    comm->Update();
    EXPECT_EQ(Items(box), "COM1* COM10 ");

    // A component that goes is forgotten.
    comm.reset();
    EXPECT_EQ(box.qzComm(), nullptr);
    DeviceChangeWatch::Changed();
}

TEST_F(PortWidgets, SerPortsListsThroughTheHiddenBox)
{
    EXPECT_EQ(Ports_Comms_IO_Form().SerPorts(), "1\r\n3");
    EXPECT_EQ(Ports_Comms_IO_Form().qzDeviceBox1.qzComm(), nullptr);
}

TEST(DeviceEvents, OnlyPortEventsCount)
{
    const std::string add("add@/devices/x/ttyUSB0\0ACTION=add\0SUBSYSTEM=tty\0", 48);
    const std::string usb("add@/devices/x\0ACTION=add\0SUBSYSTEM=usb\0", 41);
    const std::string change("change@/devices/x\0ACTION=change\0SUBSYSTEM=tty\0", 47);
    const std::string parport("remove@/p\0ACTION=remove\0SUBSYSTEM=parport", 41);
    EXPECT_TRUE(DeviceChangeWatch::ConcernsPorts(add.data(), add.size()));
    EXPECT_FALSE(DeviceChangeWatch::ConcernsPorts(usb.data(), usb.size()));
    EXPECT_FALSE(DeviceChangeWatch::ConcernsPorts(change.data(), change.size()));
    EXPECT_TRUE(DeviceChangeWatch::ConcernsPorts(parport.data(), parport.size()));
    EXPECT_FALSE(DeviceChangeWatch::ConcernsPorts("", 0));
}

TEST_F(PortWidgets, ConfigDialogEditsTheLine)
{
    TqzComm comm;
    comm.StreamProtocol = TStreamProtocol::spNone;
    // Without the window parts there is no dialog.
    SetCommConfigEditor(nullptr);
    EXPECT_FALSE(comm.ConfigDialog());
    InstallCommConfigDialog();
    SetCommConfigAnswerForTests([](TCommConfigForm& form) {
        EXPECT_EQ(form.windowTitle().toStdString(), "COM1 Properties");
        EXPECT_EQ(form.baudBox->currentText().toStdString(), "19200");
        form.baudBox->setCurrentText("4800");
        form.dataBitsBox->setCurrentIndex(3);
        form.parityBox->setCurrentIndex(2);
        form.stopBitsBox->setCurrentIndex(2);
        form.flowBox->setCurrentIndex(1);
        return true;
    });
    comm.SetActive(true);
    ASSERT_TRUE(comm.ConfigDialog());
    EXPECT_EQ(comm.BaudRate, 4800);
    EXPECT_EQ(comm.ByteSize, 7);
    EXPECT_EQ(comm.Parity, TParity::pEven);
    EXPECT_EQ(comm.StopBits, TStopBits::sbTwo);
    EXPECT_EQ(comm.StreamProtocol, TStreamProtocol::spXonXoff);
    const LineSettings line = ReadLineSettings(first.MasterFd());
    EXPECT_EQ(line.speed, 4800u);
    EXPECT_TRUE(line.softwareFlow);

    // Cancelled, or a rate that is no number: the line stays.
    SetCommConfigAnswerForTests([](TCommConfigForm& form) {
        form.baudBox->setCurrentText("fast");
        return false;
    });
    EXPECT_FALSE(comm.ConfigDialog());
    SetCommConfigAnswerForTests([](TCommConfigForm& form) {
        form.baudBox->setCurrentText("fast");
        return true;
    });
    EXPECT_TRUE(comm.ConfigDialog());
    EXPECT_EQ(comm.BaudRate, 4800);
    SetCommConfigAnswerForTests(nullptr);
    SetCommConfigEditor(nullptr);
}

TEST_F(PortWidgets, TerminalSendsTypedAndShowsReceived)
{
    TqzComm comm;
    comm.StreamProtocol = TStreamProtocol::spNone;
    QLineEdit edit;
    new CommTerminalBinding(comm, &edit);
    comm.SetActive(true);

    QTest::keyClicks(&edit, "hi");
    EXPECT_EQ(first.Read(2, 1000), "hi");
    EXPECT_EQ(edit.text().toStdString(), "hi");

    // With echo off a typed character is sent but not shown.
    comm.TerminalEcho = false;
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(first.Read(1, 1000), "x");
    EXPECT_EQ(edit.text().toStdString(), "hi");

    // Received bytes replace the selection; zero bytes are dropped; nothing
    // received goes back to the line.
    edit.setSelection(0, 1);
    first.Write(std::string("A\0B\xe9", 4));
    ASSERT_TRUE(SoonOnGui([&] { return edit.text().size() == 4; })) << edit.text().toStdString();
    EXPECT_EQ(edit.text(), QString::fromUtf8("AB\xc3\xa9i"));
    EXPECT_EQ(first.Read(1, 100), "");

    // Receive only: typing is the widget's own business.
    comm.TerminalUsage = TTerminalUsage::tuReceive;
    QTest::keyClicks(&edit, "z");
    EXPECT_EQ(first.Read(1, 100), "");
    EXPECT_TRUE(edit.text().contains('z'));
    comm.SetActive(false);
}

TEST_F(PortWidgets, MonitorsAndPlainTextTerminal)
{
    TqzComm comm;
    comm.StreamProtocol = TStreamProtocol::spNone;
    QPlainTextEdit memo;
    new CommTerminalBinding(comm, &memo);
    QCheckBox cts;
    cts.setChecked(true);
    BindModemMonitor(comm, TModemSignal::msCTS, &cts);
    comm.SetActive(true);
    // A pty has no modem lines: the monitor shows the signal off.
    ASSERT_TRUE(SoonOnGui([&] { return !cts.isChecked(); }));
    first.Write("line\r\n");
    ASSERT_TRUE(SoonOnGui([&] { return memo.toPlainText().startsWith("line"); }));
    comm.SetActive(false);
}

} // namespace
