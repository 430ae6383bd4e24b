#include "builtins/FunctionFamilies.h"
#include "devices/TcpService.h"

// The TCP client, TCP server and UDP channel functions: each reads its
// arguments and calls the service once.

namespace {

// An optional trailing number, -1 when omitted.
int OptionalInt(FunctionCall& call)
{
    return call.HasMore() ? call.NextInt() : -1;
}

void LocalIp(FunctionCall& call)
{
    call.ReturnText(TTCPForm::LocalIp());
}

void ClientStatus(FunctionCall& call)
{
    call.ReturnText(TCPForm().ClientStatus());
}

void ClientCount(FunctionCall& call)
{
    call.ReturnInt(TCPForm().TcpcBuffCount());
}

void ClientRead(FunctionCall& call)
{
    call.ReturnText(TCPForm().TcpcRead(0));
}

void ClientPeek(FunctionCall& call)
{
    call.ReturnText(TCPForm().TcpcRead(1));
}

void ClientClose(FunctionCall& call)
{
    call.ReturnInt(TCPForm().TcpcClose());
}

void ClientSend(FunctionCall& call)
{
    call.ReturnInt(TCPForm().TcpcSend(call.FirstText()));
}

void ClientConnect(FunctionCall& call)
{
    const AnsiString address = call.FirstText();
    call.ReturnInt(TCPForm().TcpcConnect(address, OptionalInt(call)));
}

void ClientConnectHost(FunctionCall& call)
{
    const AnsiString host = call.FirstText();
    call.ReturnInt(TCPForm().TcpcConnectHost(host, OptionalInt(call)));
}

void ServerStatus(FunctionCall& call)
{
    call.ReturnText(TCPForm().ServerStatus());
}

void ServerCount(FunctionCall& call)
{
    call.ReturnInt(TCPForm().TcpsQuery(0, 0));
}

void ServerRead(FunctionCall& call)
{
    call.ReturnText(TCPForm().TcpsRead(0));
}

void ServerPeek(FunctionCall& call)
{
    call.ReturnText(TCPForm().TcpsRead(1));
}

void ServerClose(FunctionCall& call)
{
    call.ReturnInt(TCPForm().TcpsClose());
}

void ServerSend(FunctionCall& call)
{
    call.ReturnInt(TCPForm().TcpsSend(call.FirstText()));
}

void Serve(FunctionCall& call)
{
    call.ReturnInt(TCPForm().TcpsServe(call.FirstInt()));
}

void ServerHeader(FunctionCall& call)
{
    call.ReturnInt(TCPForm().TcpsQuery(1, call.FirstInt()));
}

void UdpStart(FunctionCall& call)
{
    const AnsiString name = call.FirstText();
    call.ReturnInt(TCPForm().UdpStart(name, OptionalInt(call)));
}

void UdpStatus(FunctionCall& call)
{
    call.ReturnText(TCPForm().UdpRead(call.FirstText(), 1));
}

void UdpCount(FunctionCall& call)
{
    call.ReturnInt(TCPForm().UdpControl(call.FirstText(), 2, 0, "", ""));
}

void UdpRead(FunctionCall& call)
{
    call.ReturnText(TCPForm().UdpRead(call.FirstText(), 0));
}

void UdpPeek(FunctionCall& call)
{
    call.ReturnText(TCPForm().UdpRead(call.FirstText(), 2));
}

void UdpSend(FunctionCall& call)
{
    const AnsiString name = call.FirstText();
    const AnsiString address = call.NextText();
    const AnsiString data = call.NextText();
    const int port = OptionalInt(call);
    call.ReturnInt(TCPForm().UdpControl(name, 3, port, address, data));
}

void UdpHeader(FunctionCall& call)
{
    const AnsiString name = call.FirstText();
    call.ReturnInt(TCPForm().UdpControl(name, 1, OptionalInt(call), "", ""));
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::TcpLocalip, FirstArgument::None, LocalIp },
    { FunctionCode::TcpcStatus, FirstArgument::None, ClientStatus },
    { FunctionCode::TcpcBuffcount, FirstArgument::None, ClientCount },
    { FunctionCode::TcpcRead, FirstArgument::None, ClientRead },
    { FunctionCode::TcpcPeek, FirstArgument::None, ClientPeek },
    { FunctionCode::TcpcClose, FirstArgument::None, ClientClose },
    { FunctionCode::TcpcSend, FirstArgument::Text, ClientSend },
    { FunctionCode::TcpcConnect, FirstArgument::Text, ClientConnect },
    { FunctionCode::TcpcConnecthost, FirstArgument::Text, ClientConnectHost },
    { FunctionCode::TcpsStatus, FirstArgument::None, ServerStatus },
    { FunctionCode::TcpsBuffcount, FirstArgument::None, ServerCount },
    { FunctionCode::TcpsRead, FirstArgument::None, ServerRead },
    { FunctionCode::TcpsPeek, FirstArgument::None, ServerPeek },
    { FunctionCode::TcpsClose, FirstArgument::None, ServerClose },
    { FunctionCode::TcpsSend, FirstArgument::Text, ServerSend },
    { FunctionCode::TcpsServe, FirstArgument::OptionalZero, Serve },
    { FunctionCode::TcpsHeader, FirstArgument::OptionalMinusOne, ServerHeader },
    { FunctionCode::UdpStart, FirstArgument::Text, UdpStart },
    { FunctionCode::UdpStatus, FirstArgument::Text, UdpStatus },
    { FunctionCode::UdpBuffcount, FirstArgument::Text, UdpCount },
    { FunctionCode::UdpRead, FirstArgument::Text, UdpRead },
    { FunctionCode::UdpPeek, FirstArgument::Text, UdpPeek },
    { FunctionCode::UdpSend, FirstArgument::Text, UdpSend },
    { FunctionCode::UdpHeader, FirstArgument::Text, UdpHeader },
};

} // namespace

std::span<const FunctionEntry> NetworkFunctionEntries()
{
    return entries;
}
