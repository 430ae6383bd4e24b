#include "devices/network/TcpSockets.h"

#include "platform/Events.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>

namespace {

constexpr int DefaultTcpPort = 50000;
constexpr int DefaultUdpPort = 50001;
constexpr int UdpSendLimit = 2048;
constexpr int InitialChannelSlots = 10;
constexpr int HostLookupMs = 5000;
// Each socket keeps at most this much unread in its own buffer, so that a
// full receive buffer makes the peer wait instead of growing memory.
constexpr qint64 SocketReadBuffer = 1 << 20;

int PortOr(int port, int fallback)
{
    return port >= 1 && port <= 65535 ? port : fallback;
}

// Programs test the numbers their sockets reported on the original platform.
int ErrorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::SocketTimeoutError:
        return 10060;
    case QAbstractSocket::NetworkError:
        return 10051;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    default:
        return 10053;
    }
}

AnsiString ErrorStatus(QAbstractSocket::SocketError error)
{
    return "Error:" + std::to_string(ErrorNumber(error));
}

// Addresses print in dotted IPv4 form, also when they arrive IPv4-mapped.
AnsiString Dotted(const QHostAddress& address)
{
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    if (mapped) return QHostAddress(v4).toString().toStdString();
    return address.toString().toStdString();
}

AnsiString PeerOf(const QTcpSocket* socket)
{
    return Dotted(socket->peerAddress()) + ":" + std::to_string(socket->peerPort());
}

QByteArray Bytes(const AnsiString& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

AnsiString Take(AnsiString& buffer, bool& arrived)
{
    AnsiString taken = std::move(buffer);
    buffer.clear();
    arrived = false;
    return taken;
}

// The address a text names: a dotted address directly, a host name looked up
// for at most a few seconds while events go on.
QHostAddress Resolve(const AnsiString& text)
{
    QHostAddress address;
    if (address.setAddress(QString::fromLatin1(text.c_str()))) return address;
    bool done = false;
    QHostInfo found;
    const int id = QHostInfo::lookupHost(QString::fromLatin1(text.c_str()), [&](const QHostInfo& info) {
        found = info;
        done = true;
    });
    QDeadlineTimer deadline(HostLookupMs);
    while (!done && !deadline.hasExpired())
        platform::ProcessMessages();
    if (!done) {
        QHostInfo::abortHostLookup(id);
        return {};
    }
    for (const QHostAddress& candidate : found.addresses())
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol) return candidate;
    return {};
}

} // namespace

struct TcpSockets::UdpChannel {
    QUdpSocket* socket = nullptr;
    int port = 0;
    AnsiString name;
    AnsiString buffer;
    AnsiString status = "No Activity";
    bool header = false;
};

TcpSockets::TcpSockets()
{
    channels.resize(InitialChannelSlots);
}

TcpSockets::~TcpSockets()
{
    ResetConnections();
    for (auto& channel : channels)
        if (channel) delete channel->socket;
}

void TcpSockets::ResetConnections()
{
    if (connectTimer) connectTimer->stop();
    if (client) {
        client->disconnect(this);
        client->abort();
        client->deleteLater();
        client = nullptr;
    }
    TcpsClose();
    clientBuffer.clear();
    serverBuffer.clear();
    clientStatus = "Disconnected";
    serverStatus = "Server Off";
    serverHeader = false;
    clientArrived = serverArrived = udpArrived = false;
}

// ---- TCP client ----

void TcpSockets::StartClient(const AnsiString& host, int port)
{
    // A new connection replaces the old one.
    if (client) {
        client->disconnect(this);
        client->abort();
        client->deleteLater();
    }
    client = new QTcpSocket(this);
    client->setReadBufferSize(SocketReadBuffer);
    QTcpSocket* socket = client;
    connect(socket, &QAbstractSocket::stateChanged, this, [this, socket](QAbstractSocket::SocketState state) {
        if (socket != client) return;
        if (state == QAbstractSocket::HostLookupState) clientStatus = "Looking Up";
        if (state == QAbstractSocket::ConnectingState) clientStatus = "Connecting";
    });
    connect(socket, &QAbstractSocket::connected, this, [this, socket] {
        if (socket != client) return;
        connectTimer->stop();
        clientStatus = "Connected:" + Dotted(socket->peerAddress());
    });
    connect(socket, &QAbstractSocket::disconnected, this, [this, socket] {
        if (socket == client) clientStatus = "Disconnected";
    });
    connect(socket, &QIODevice::readyRead, this, [this, socket] {
        if (socket == client) ReadClient();
    });
    connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError error) {
        if (socket != client || error == QAbstractSocket::RemoteHostClosedError) return;
        connectTimer->stop();
        socket->abort();
        clientStatus = ErrorStatus(error);
    });
    if (!connectTimer) {
        connectTimer = new QTimer(this);
        connectTimer->setSingleShot(true);
        connect(connectTimer, &QTimer::timeout, this, [this] {
            if (!client || client->state() == QAbstractSocket::ConnectedState) return;
            client->disconnect(this);
            client->abort();
            clientStatus = ErrorStatus(QAbstractSocket::SocketTimeoutError);
        });
    }
    connectTimer->start(connectTimeoutMs);
    client->connectToHost(QString::fromLatin1(host.c_str()), static_cast<quint16>(PortOr(port, DefaultTcpPort)));
}

int TcpSockets::TcpcConnect(const AnsiString& address, int port)
{
    StartClient(address, port);
    return 1;
}

int TcpSockets::TcpcConnectHost(const AnsiString& host, int port)
{
    StartClient(host, port);
    return 1;
}

int TcpSockets::TcpcClose()
{
    if (client) client->disconnectFromHost();
    return 1;
}

int TcpSockets::TcpcSend(const AnsiString& text)
{
    if (!client || client->state() != QAbstractSocket::ConnectedState) return 0;
    client->write(Bytes(text));
    clientStatus = "Sent " + std::to_string(text.size()) + " Bytes";
    return 1;
}

void TcpSockets::ReadClient()
{
    const qint64 room = static_cast<qint64>(BufferLimit - std::min(BufferLimit, clientBuffer.size()));
    if (room == 0) return; // read again once the program takes the buffer
    const QByteArray data = client->read(room);
    if (data.isEmpty()) return;
    clientStatus = "Received " + std::to_string(data.size()) + " Bytes";
    clientBuffer.append(data.constData(), static_cast<size_t>(data.size()));
    clientArrived = true;
}

AnsiString TcpSockets::TcpcRead(int mode)
{
    if (mode == 1) return clientBuffer;
    AnsiString taken = Take(clientBuffer, clientArrived);
    if (client && client->bytesAvailable() > 0) ReadClient();
    return taken;
}

// ---- TCP server ----

int TcpSockets::TcpsServe(int port)
{
    TcpsClose();
    server = new QTcpServer(this);
    if (!server->listen(QHostAddress::AnyIPv4, static_cast<quint16>(PortOr(port, DefaultTcpPort)))) {
        serverStatus = ErrorStatus(server->serverError());
        delete server;
        server = nullptr;
        return 0;
    }
    connect(server, &QTcpServer::newConnection, this, [this] { AcceptClients(); });
    serverStatus = "Listening";
    return 1;
}

void TcpSockets::AcceptClients()
{
    while (server && server->hasPendingConnections()) {
        QTcpSocket* socket = server->nextPendingConnection();
        if (static_cast<int>(serverClients.size()) >= MaxServerClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setReadBufferSize(SocketReadBuffer);
        serverClients.push_back(socket);
        const AnsiString peer = PeerOf(socket);
        serverStatus = "Accepted [" + peer + "]";
        connect(socket, &QIODevice::readyRead, this, [this, socket] { ReadServerClient(socket); });
        connect(socket, &QAbstractSocket::disconnected, this, [this, socket, peer] {
            auto at = std::find(serverClients.begin(), serverClients.end(), socket);
            if (at == serverClients.end()) return;
            serverClients.erase(at);
            serverStatus = "Client Disconnected [" + peer + "]";
            socket->deleteLater();
        });
        connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError error) {
            if (error == QAbstractSocket::RemoteHostClosedError) return;
            // An error on one client closes that client only.
            socket->abort();
            serverStatus = ErrorStatus(error);
        });
    }
}

void TcpSockets::ReadServerClient(QTcpSocket* socket)
{
    for (;;) {
        const qint64 available = socket->bytesAvailable();
        if (available <= 0) return;
        const AnsiString peer = PeerOf(socket);
        const size_t room = BufferLimit - std::min(BufferLimit, serverBuffer.size());
        // The header of the largest chunk that could still fit.
        const AnsiString probe = serverHeader ? "[From:" + peer + ": " + std::to_string(available) + " Bytes]" : "";
        if (room <= probe.size()) return; // read again once the program takes the buffer
        const QByteArray data = socket->read(static_cast<qint64>(room - probe.size()));
        if (data.isEmpty()) return;
        const AnsiString count = std::to_string(data.size());
        if (serverHeader) serverBuffer += "[From:" + peer + ": " + count + " Bytes]";
        serverBuffer.append(data.constData(), static_cast<size_t>(data.size()));
        serverStatus = "Received " + count + " Bytes [" + peer + "]";
        serverArrived = true;
    }
}

int TcpSockets::TcpsClose()
{
    for (QTcpSocket* socket : serverClients) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    serverClients.clear();
    if (server) {
        server->close();
        server->deleteLater();
        server = nullptr;
    }
    serverStatus = "Server Off";
    return 1;
}

int TcpSockets::TcpsSend(const AnsiString& text)
{
    if (serverClients.empty()) return 0;
    const QByteArray bytes = Bytes(text);
    for (QTcpSocket* socket : serverClients)
        socket->write(bytes);
    serverStatus = "Sent " + std::to_string(text.size()) + " Bytes";
    return 1;
}

AnsiString TcpSockets::TcpsRead(int mode)
{
    if (mode == 1) return serverBuffer;
    AnsiString taken = Take(serverBuffer, serverArrived);
    // Clients held back by a full buffer go on.
    const std::vector<QTcpSocket*> waiting = serverClients;
    for (QTcpSocket* socket : waiting)
        if (socket->bytesAvailable() > 0) ReadServerClient(socket);
    return taken;
}

int TcpSockets::TcpsQuery(int kind, int value)
{
    if (kind == 0) return static_cast<int>(serverBuffer.size());
    if (kind != 1) return 0;
    const int before = serverHeader ? 1 : 0;
    if (value >= 0) serverHeader = value != 0;
    return before;
}

// ---- UDP channels ----

int TcpSockets::FindChannel(const AnsiString& name) const
{
    for (size_t k = 0; k < channels.size(); ++k)
        if (channels[k] && channels[k]->name == name) return static_cast<int>(k);
    return -1;
}

int TcpSockets::UdpStart(const AnsiString& name, int port)
{
    port = PortOr(port, DefaultUdpPort);
    int slot = -1;
    for (size_t k = 0; k < channels.size(); ++k) {
        if (channels[k] && channels[k]->port == port) {
            slot = static_cast<int>(k);
            break;
        }
    }
    if (slot < 0) {
        auto free = std::find(channels.begin(), channels.end(), nullptr);
        if (free == channels.end()) {
            const size_t old = channels.size();
            channels.resize(old * 2);
            free = channels.begin() + static_cast<std::ptrdiff_t>(old);
        }
        slot = static_cast<int>(free - channels.begin());
    }
    bool bound = true;
    if (!channels[static_cast<size_t>(slot)]) {
        auto channel = std::make_unique<UdpChannel>();
        channel->port = port;
        channel->socket = new QUdpSocket(this);
        bound = channel->socket->bind(QHostAddress::AnyIPv4, static_cast<quint16>(port), QUdpSocket::DontShareAddress);
        connect(channel->socket, &QUdpSocket::readyRead, this, [this, slot] { ReadDatagrams(slot); });
        channels[static_cast<size_t>(slot)] = std::move(channel);
    }
    UdpChannel& channel = *channels[static_cast<size_t>(slot)];
    channel.name = name;
    channel.buffer.clear();
    channel.header = false;
    channel.status = bound ? "No Activity" : ErrorStatus(channel.socket->error());
    return bound ? 1 : 0;
}

void TcpSockets::ReadDatagrams(int slot)
{
    UdpChannel* channel = channels[static_cast<size_t>(slot)].get();
    if (!channel) return;
    while (channel->socket->hasPendingDatagrams()) {
        QByteArray data(static_cast<qsizetype>(std::max<qint64>(0, channel->socket->pendingDatagramSize())), '\0');
        QHostAddress sender;
        const qint64 got = channel->socket->readDatagram(data.data(), data.size(), &sender);
        if (got < 0) continue;
        data.resize(got);
        const AnsiString from = Dotted(sender);
        const AnsiString count = std::to_string(got);
        const AnsiString header = channel->header ? "[From:" + from + ":" + count + " Bytes]" : "";
        // A datagram that does not fit is dropped whole.
        if (channel->buffer.size() + header.size() + static_cast<size_t>(got) > BufferLimit) continue;
        channel->buffer += header;
        channel->buffer.append(data.constData(), static_cast<size_t>(got));
        channel->status = "Received " + count + " Bytes [" + from + "]";
        udpArrived = true;
    }
}

AnsiString TcpSockets::UdpRead(const AnsiString& name, int kind)
{
    const int slot = FindChannel(name);
    if (slot < 0) return "";
    UdpChannel& channel = *channels[static_cast<size_t>(slot)];
    if (kind == 1) return channel.status;
    if (kind == 2) return channel.buffer;
    return Take(channel.buffer, udpArrived);
}

int TcpSockets::UdpSend(UdpChannel& channel, int port, const AnsiString& address, const AnsiString& data)
{
    if (data.empty()) {
        channel.status = "No Data To Send";
        return 0;
    }
    const size_t n = std::min<size_t>(data.size(), UdpSendLimit);
    if (address.empty()) {
        channel.status = "Bad Address:[]";
        return 0;
    }
    port = PortOr(port, DefaultUdpPort);
    const QHostAddress target = Resolve(address);
    if (target.isNull()
        || channel.socket->writeDatagram(data.data(), static_cast<qint64>(n), target, static_cast<quint16>(port))
            != static_cast<qint64>(n)) {
        channel.status = "Bad Address:[" + address + "]";
        return 0;
    }
    channel.status = "Sent " + std::to_string(n) + " Bytes [" + address + ":" + std::to_string(port) + "]";
    return static_cast<int>(n);
}

int TcpSockets::UdpControl(
    const AnsiString& name, int kind, int number, const AnsiString& address, const AnsiString& data)
{
    const int slot = FindChannel(name);
    if (slot < 0) return -1;
    UdpChannel& channel = *channels[static_cast<size_t>(slot)];
    switch (kind) {
    case 0:
        delete channel.socket;
        channels[static_cast<size_t>(slot)].reset();
        return -1;
    case 1: {
        const int before = channel.header ? 1 : 0;
        if (number >= 0) channel.header = number != 0;
        return before;
    }
    case 2:
        return static_cast<int>(channel.buffer.size());
    case 3:
        return UdpSend(channel, number, address, data);
    default:
        return -1;
    }
}

AnsiString TcpSockets::LocalIpAddress()
{
    for (const QNetworkInterface& face : QNetworkInterface::allInterfaces()) {
        const auto flags = face.flags();
        if (!(flags & QNetworkInterface::IsUp) || (flags & QNetworkInterface::IsLoopBack)) continue;
        for (const QNetworkAddressEntry& entry : face.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) return entry.ip().toString().toStdString();
    }
    return "127.0.0.1";
}
