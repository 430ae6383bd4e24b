#pragma once

#include "base/Values.h"

#include <QObject>

#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;

// The TCP/UDP service of the programs: one TCP client, one TCP server that
// accepts any number of clients, and named UDP channels. Never shown; all on
// the GUI thread, driven by the socket events that arrive whenever the run
// loop or a wait processes events. Every received chunk is appended to its
// endpoint's buffer as it comes (no framing); reading takes the whole buffer.
class TTCPForm : public QObject {
public:
    TTCPForm();
    ~TTCPForm() override;

    // Before and after every run: closes the client and the server, empties
    // both TCP buffers and clears the flags. UDP channels stay.
    void ResetConnections();

    int TcpcConnect(const AnsiString& address, int port);
    int TcpcConnectHost(const AnsiString& host, int port);
    int TcpcClose();
    int TcpcSend(const AnsiString& text);
    // Mode 1 peeks; any other mode takes the buffer and clears the flag.
    AnsiString TcpcRead(int mode);
    int TcpcBuffCount() const { return static_cast<int>(clientBuffer.size()); }
    const AnsiString& ClientStatus() const { return clientStatus; }

    int TcpsServe(int port);
    int TcpsClose();
    int TcpsSend(const AnsiString& text);
    AnsiString TcpsRead(int mode);
    // Kind 0: the buffer's length; kind 1: the header flag before the call,
    // set to value != 0 when value >= 0.
    int TcpsQuery(int kind, int value);
    const AnsiString& ServerStatus() const { return serverStatus; }

    // 1, or 0 when the port cannot be bound (the channel keeps its name and
    // the error as its status, and can still send).
    int UdpStart(const AnsiString& name, int port);
    // Kind 1 the status, 2 a copy of the buffer, else take the buffer; "" for
    // a name with no open channel.
    AnsiString UdpRead(const AnsiString& name, int kind);
    // Kind 0 closes, 1 header flag, 2 buffer length, 3 sends; -1 for a name
    // with no open channel.
    int UdpControl(const AnsiString& name, int kind, int number, const AnsiString& address, const AnsiString& data);

    // The data-arrived flags of event sources 11, 12 and 13.
    bool UdpDataArrived() const { return udpArrived; }
    bool ClientDataArrived() const { return clientArrived; }
    bool ServerDataArrived() const { return serverArrived; }

    // The first IPv4 address of an interface that is up and not loopback,
    // else "127.0.0.1".
    static AnsiString LocalIp();

    // Each receive buffer holds at most this many bytes.
    static constexpr size_t BufferLimit = 16u << 20;
    static constexpr int MaxServerClients = 64;
    // How long a connection attempt may take (tests shorten it).
    int connectTimeoutMs = 30000;

private:
    struct UdpChannel;

    void StartClient(const AnsiString& host, int port);
    void ReadClient();
    void ReadServerClient(QTcpSocket* socket);
    void AcceptClients();
    int FindChannel(const AnsiString& name) const;
    void ReadDatagrams(int slot);
    int UdpSend(UdpChannel& channel, int port, const AnsiString& address, const AnsiString& data);

    QTcpSocket* client = nullptr;
    QTimer* connectTimer = nullptr;
    QTcpServer* server = nullptr;
    std::vector<QTcpSocket*> serverClients;
    std::vector<std::unique_ptr<UdpChannel>> channels;

    AnsiString clientBuffer;
    AnsiString serverBuffer;
    AnsiString clientStatus = "Disconnected";
    AnsiString serverStatus = "Server Off";
    bool serverHeader = false;
    bool clientArrived = false;
    bool serverArrived = false;
    bool udpArrived = false;
};

// The program's one service, made on first use (after the application exists).
TTCPForm& TCPForm();
// The service when a program has used it, else null.
TTCPForm* ExistingTCPForm();
