#pragma once

#include "base/Values.h"

// The TCP/UDP service of the programs: one TCP client, one TCP server that
// accepts any number of clients, and named UDP channels. Never shown; all on
// the GUI thread, driven by the socket events that arrive whenever the run
// loop or a wait processes events. Every received chunk is appended to its
// endpoint's buffer as it comes (no framing); reading takes the whole buffer.
// The sockets live in the network module (devices/network), loaded when a
// program first uses the service.
class TTCPForm {
public:
    virtual ~TTCPForm() = default;

    // Before and after every run: closes the client and the server, empties
    // both TCP buffers and clears the flags. UDP channels stay.
    virtual void ResetConnections() = 0;

    virtual int TcpcConnect(const AnsiString& address, int port) = 0;
    virtual int TcpcConnectHost(const AnsiString& host, int port) = 0;
    virtual int TcpcClose() = 0;
    virtual int TcpcSend(const AnsiString& text) = 0;
    // Mode 1 peeks; any other mode takes the buffer and clears the flag.
    virtual AnsiString TcpcRead(int mode) = 0;
    virtual int TcpcBuffCount() const = 0;
    virtual const AnsiString& ClientStatus() const = 0;

    virtual int TcpsServe(int port) = 0;
    virtual int TcpsClose() = 0;
    virtual int TcpsSend(const AnsiString& text) = 0;
    virtual AnsiString TcpsRead(int mode) = 0;
    // Kind 0: the buffer's length; kind 1: the header flag before the call,
    // set to value != 0 when value >= 0.
    virtual int TcpsQuery(int kind, int value) = 0;
    virtual const AnsiString& ServerStatus() const = 0;

    // 1, or 0 when the port cannot be bound (the channel keeps its name and
    // the error as its status, and can still send).
    virtual int UdpStart(const AnsiString& name, int port) = 0;
    // Kind 1 the status, 2 a copy of the buffer, else take the buffer; "" for
    // a name with no open channel.
    virtual AnsiString UdpRead(const AnsiString& name, int kind) = 0;
    // Kind 0 closes, 1 header flag, 2 buffer length, 3 sends; -1 for a name
    // with no open channel.
    virtual int UdpControl(
        const AnsiString& name, int kind, int number, const AnsiString& address, const AnsiString& data)
        = 0;

    // The data-arrived flags of event sources 11, 12 and 13.
    virtual bool UdpDataArrived() const = 0;
    virtual bool ClientDataArrived() const = 0;
    virtual bool ServerDataArrived() const = 0;

    // The first IPv4 address of an interface that is up and not loopback,
    // else "127.0.0.1".
    static AnsiString LocalIp();

    // Each receive buffer holds at most this many bytes.
    static constexpr size_t BufferLimit = 16u << 20;
    static constexpr int MaxServerClients = 64;
    // How long a connection attempt may take (tests shorten it).
    int connectTimeoutMs = 30000;
};

// The program's one service, made on first use (after the application exists).
TTCPForm& TCPForm();
// The service when a program has used it, else null.
TTCPForm* ExistingTCPForm();
