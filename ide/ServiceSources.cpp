#include "ide/ServiceSources.h"

#include "devices/TcpService.h"

bool ServiceSources::UdpDataArrived()
{
    const TTCPForm* service = ExistingTCPForm();
    return service && service->UdpDataArrived();
}

bool ServiceSources::TcpClientDataArrived()
{
    const TTCPForm* service = ExistingTCPForm();
    return service && service->ClientDataArrived();
}

bool ServiceSources::TcpServerDataArrived()
{
    const TTCPForm* service = ExistingTCPForm();
    return service && service->ServerDataArrived();
}

void ServiceSources::ResetTcp()
{
    if (TTCPForm* service = ExistingTCPForm()) service->ResetConnections();
}
