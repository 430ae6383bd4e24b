// Receiving through the TCP service: a peer on loopback sends 10 MB in 4 KiB
// writes while the program side takes the server's buffer as it fills, the
// way a program's tcps_read loop does. Target: under 1 s for the whole
// transfer (the service adds little to what the transfer itself costs).
#include "devices/network/TcpSockets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    constexpr qint64 Total = 10'000'000;
    constexpr qint64 Chunk = 4096;

    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();

    TcpSockets service;
    if (service.TcpsServe(port) != 1) {
        std::fprintf(stderr, "cannot listen on %d\n", port);
        return 1;
    }
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    while (peer.state() != QAbstractSocket::ConnectedState)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    const QByteArray chunk(Chunk, 'q');
    QElapsedTimer clock;
    clock.start();
    qint64 written = 0, received = 0, reads = 0;
    while (received < Total) {
        // Keep a few chunks in flight, as a sender pacing on its socket would.
        while (written < Total && peer.bytesToWrite() < 16 * Chunk) {
            const qint64 n = std::min(Chunk, Total - written);
            peer.write(chunk.constData(), n);
            written += n;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (service.ServerDataArrived()) {
            received += static_cast<qint64>(service.TcpsRead(0).size());
            ++reads;
        }
        if (clock.elapsed() > 30000) {
            std::fprintf(stderr, "gave up after 30 s with %lld bytes\n", static_cast<long long>(received));
            return 1;
        }
    }
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    std::printf("10 MB in 4 KiB chunks through tcps_read: %.1f ms (%lld reads; target < 1000 ms)\n", ms,
        static_cast<long long>(reads));
    return 0;
}
