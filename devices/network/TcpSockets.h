#pragma once

#include "devices/TcpService.h"

#include <QObject>

#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;

// The TCP/UDP service on Qt's sockets: one TCP client, one TCP server that
// accepts any number of clients, and named UDP channels. Never shown; all on
// the GUI thread, driven by the socket events that arrive whenever the run
// loop or a wait processes events. Every received chunk is appended to its
// endpoint's buffer as it comes (no framing); reading takes the whole buffer.
// The operations are described on TTCPForm.
class TcpSockets : public QObject, public TTCPForm {
public:
    TcpSockets();
    ~TcpSockets() override;

    void ResetConnections() override;

    int TcpcConnect(const AnsiString& address, int port) override;
    int TcpcConnectHost(const AnsiString& host, int port) override;
    int TcpcClose() override;
    int TcpcSend(const AnsiString& text) override;
    AnsiString TcpcRead(int mode) override;
    int TcpcBuffCount() const override { return static_cast<int>(clientBuffer.size()); }
    const AnsiString& ClientStatus() const override { return clientStatus; }

    int TcpsServe(int port) override;
    int TcpsClose() override;
    int TcpsSend(const AnsiString& text) override;
    AnsiString TcpsRead(int mode) override;
    int TcpsQuery(int kind, int value) override;
    const AnsiString& ServerStatus() const override { return serverStatus; }

    int UdpStart(const AnsiString& name, int port) override;
    AnsiString UdpRead(const AnsiString& name, int kind) override;
    int UdpControl(
        const AnsiString& name, int kind, int number, const AnsiString& address, const AnsiString& data) override;

    bool UdpDataArrived() const override { return udpArrived; }
    bool ClientDataArrived() const override { return clientArrived; }
    bool ServerDataArrived() const override { return serverArrived; }

    // TTCPForm::LocalIp.
    static AnsiString LocalIpAddress();

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
