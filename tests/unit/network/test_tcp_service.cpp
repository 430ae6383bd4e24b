#include "devices/network/TcpSockets.h"
#include "tests/support/QtTestApplication.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// The TCP/UDP service against peers this test starts on 127.0.0.1; every wait
// is bounded.

namespace {

bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A port nothing listens on right now.
int FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class TcpService : public testing::Test {
protected:
    void SetUp() override { TestApplication(); }
    TcpSockets service;
};

} // namespace

TEST_F(TcpService, ClientStatusesAndRefusal)
{
    const int port = FreePort();
    EXPECT_EQ(service.ClientStatus(), "Disconnected");
    EXPECT_EQ(service.TcpcConnect("127.0.0.1", port), 1);
    ASSERT_TRUE(WaitFor([&] { return service.ClientStatus().rfind("Error:", 0) == 0; }));
    EXPECT_EQ(service.ClientStatus(), "Error:10061");
    EXPECT_EQ(service.TcpcSend("x"), 0); // no connection: nothing sent, status kept
    EXPECT_EQ(service.ClientStatus(), "Error:10061");
}

TEST_F(TcpService, ServerHeadersAndOneClientsResetLeavesTheOthers)
{
    const int port = FreePort();
    ASSERT_EQ(service.TcpsServe(port), 1);
    QTcpSocket first, second;
    first.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    second.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    ASSERT_TRUE(WaitFor([&] {
        return first.state() == QAbstractSocket::ConnectedState && second.state() == QAbstractSocket::ConnectedState;
    }));
    service.TcpsQuery(1, 1);
    first.write("hello");
    ASSERT_TRUE(WaitFor([&] { return service.TcpsQuery(0, 0) >= 30; }));
    const AnsiString expected = "[From:127.0.0.1:" + std::to_string(first.localPort()) + ": 5 Bytes]hello";
    EXPECT_EQ(service.TcpsRead(1), expected);
    EXPECT_TRUE(service.ServerDataArrived());
    EXPECT_EQ(service.TcpsRead(0), expected);
    EXPECT_FALSE(service.ServerDataArrived());
    EXPECT_EQ(service.TcpsRead(0), "");

    first.abort(); // a reset on one client
    ASSERT_TRUE(WaitFor([&] { return service.ServerStatus().rfind("Client Disconnected", 0) == 0; }));
    EXPECT_EQ(service.TcpsSend(AnsiString("a\0b", 3)), 1);
    ASSERT_TRUE(WaitFor([&] { return second.bytesAvailable() >= 3; }));
    EXPECT_EQ(second.readAll(), QByteArray("a\0b", 3)); // binary-safe
    EXPECT_EQ(service.ServerStatus(), "Sent 3 Bytes");

    service.ResetConnections();
    EXPECT_EQ(service.ServerStatus(), "Server Off");
    EXPECT_EQ(service.TcpsSend("x"), 0);
}

TEST_F(TcpService, BindFailuresAreReported)
{
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::AnyIPv4, 0));
    EXPECT_EQ(service.TcpsServe(taken.serverPort()), 0);
    EXPECT_EQ(service.ServerStatus(), "Error:10048");

    QUdpSocket udpTaken;
    ASSERT_TRUE(udpTaken.bind(QHostAddress::AnyIPv4, 0, QUdpSocket::DontShareAddress));
    EXPECT_EQ(service.UdpStart("busy", udpTaken.localPort()), 0);
    EXPECT_EQ(service.UdpRead("busy", 1), "Error:10048");
}

TEST_F(TcpService, UdpChannelsGrowAndReuseSlots)
{
    // Eleven channels on free ports grow the table past ten; all work.
    std::vector<int> ports;
    for (int k = 0; k < 11; ++k) {
        QUdpSocket probe;
        probe.bind(QHostAddress::AnyIPv4, 0);
        ports.push_back(probe.localPort());
    }
    for (int k = 0; k < 11; ++k)
        ASSERT_EQ(service.UdpStart("c" + std::to_string(k), ports[static_cast<size_t>(k)]), 1) << k;
    EXPECT_EQ(service.UdpControl("c0", 3, ports[10], "127.0.0.1", "to ten"), 6);
    ASSERT_TRUE(WaitFor([&] { return service.UdpControl("c10", 2, 0, "", "") == 6; }));
    EXPECT_TRUE(service.UdpDataArrived());
    EXPECT_EQ(service.UdpRead("c10", 0), "to ten");
    EXPECT_FALSE(service.UdpDataArrived());

    // The same port again: the slot is reused and renamed.
    EXPECT_EQ(service.UdpStart("renamed", ports[3]), 1);
    EXPECT_EQ(service.UdpRead("c3", 1), "");
    EXPECT_EQ(service.UdpRead("renamed", 1), "No Activity");
    // Closing frees the slot; the name is gone.
    EXPECT_EQ(service.UdpControl("renamed", 0, 0, "", ""), -1);
    EXPECT_EQ(service.UdpControl("renamed", 2, 0, "", ""), -1);
    EXPECT_EQ(service.UdpStart("back", ports[3]), 1);

    // UDP channels survive the reset between runs.
    service.ResetConnections();
    EXPECT_EQ(service.UdpRead("back", 1), "No Activity");
}
