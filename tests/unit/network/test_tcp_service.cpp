#include "devices/network/TcpSockets.h"
#include "tests/support/QtTestApplication.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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

// The server serves at most 64 clients at once: the 65th is closed at once,
// and the others keep their connections.
TEST_F(TcpService, SixtyFifthClientIsClosedAtOnce)
{
    const int port = FreePort();
    ASSERT_EQ(service.TcpsServe(port), 1);
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int k = 0; k < TTCPForm::MaxServerClients + 1; ++k) {
        clients.push_back(std::make_unique<QTcpSocket>());
        clients.back()->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        if (k == TTCPForm::MaxServerClients) break;
        // One at a time, so the last to arrive is the 65th.
        ASSERT_TRUE(WaitFor([&] {
            return clients.back()->state() == QAbstractSocket::ConnectedState
                && service.ServerStatus() == "Accepted [127.0.0.1:" + std::to_string(clients.back()->localPort()) + "]";
        })) << k;
    }
    QTcpSocket& last = *clients.back();
    ASSERT_TRUE(WaitFor([&] { return last.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(service.TcpsSend("all"), 1);
    for (int k = 0; k < TTCPForm::MaxServerClients; ++k) {
        QTcpSocket& client = *clients[static_cast<size_t>(k)];
        ASSERT_TRUE(WaitFor([&] { return client.bytesAvailable() >= 3; })) << k;
        EXPECT_EQ(client.readAll(), "all");
    }
}

// A receive buffer holds at most 16 MiB: a full buffer stops reading its
// socket, and what the peer sent beyond it arrives once the program reads.
TEST_F(TcpService, FullServerBufferHoldsTheRestBack)
{
    const int port = FreePort();
    ASSERT_EQ(service.TcpsServe(port), 1);
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    ASSERT_TRUE(WaitFor([&] { return peer.state() == QAbstractSocket::ConnectedState; }));
    const size_t extra = 1u << 20;
    QByteArray data(static_cast<qsizetype>(TTCPForm::BufferLimit + extra), 'x');
    for (qsizetype k = 0; k < data.size(); k += 4099)
        data[k] = static_cast<char>(k / 4099);
    peer.write(data);
    ASSERT_TRUE(WaitFor([&] { return static_cast<size_t>(service.TcpsQuery(0, 0)) == TTCPForm::BufferLimit; }, 20000));
    WaitFor([] { return false; }, 200); // nothing more comes in while the buffer is full
    EXPECT_EQ(static_cast<size_t>(service.TcpsQuery(0, 0)), TTCPForm::BufferLimit);
    AnsiString received = service.TcpsRead(0);
    ASSERT_TRUE(WaitFor([&] { return static_cast<size_t>(service.TcpsQuery(0, 0)) == extra; }, 20000));
    received += service.TcpsRead(0);
    EXPECT_TRUE(received == AnsiString(data.constData(), static_cast<size_t>(data.size())));
}

// A connection attempt that never completes gives up with the time-out
// status. A listening socket whose accept queue is full drops the handshake,
// so the attempt hangs as it would towards a host that does not answer.
TEST_F(TcpService, ConnectionAttemptTimesOut)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const int port = ntohs(address.sin_port);
    // Fill the accept queue.
    std::vector<std::unique_ptr<QTcpSocket>> fillers;
    for (int k = 0; k < 3; ++k) {
        fillers.push_back(std::make_unique<QTcpSocket>());
        fillers.back()->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        WaitFor([&] { return fillers.back()->state() == QAbstractSocket::ConnectedState; }, 300);
    }
    service.connectTimeoutMs = 500;
    service.TcpcConnect("127.0.0.1", port);
    EXPECT_EQ(service.ClientStatus(), "Connecting");
    ASSERT_TRUE(WaitFor([&] { return service.ClientStatus() != "Connecting"; }, 5000));
    EXPECT_EQ(service.ClientStatus(), "Error:10060");
    ::close(listener);
}
