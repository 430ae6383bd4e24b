#include "devices/PortDataProcessor.h"

#include "devices/PortLogFile.h"

TqzCustomDataProcessor::TqzCustomDataProcessor()
{
    asyncTimer.SetEnabled(false);
    asyncTimer.SetOnTimer([this] {
        asyncTimer.SetEnabled(false);
        bool handled = false;
        DoAfterSendComplete(handled);
    });
}

TqzCustomDataProcessor::~TqzCustomDataProcessor()
{
    if (device && device->DataProcessor() == this) device->SetDataProcessor(nullptr);
    SetDevice(nullptr);
}

void TqzCustomDataProcessor::SetDevice(TqzBaseIO* newDevice)
{
    if (newDevice == device) return;
    if (device) device->NotifyDelete(this);
    device = newDevice;
    if (device) device->NotifyAdd([this](TqzBaseIO& sender, int code) { DoHandleNotify(sender, code); }, this);
}

void TqzCustomDataProcessor::AttachTo(TqzBaseIO* component)
{
    SetDevice(component);
}

void TqzCustomDataProcessor::DetachFrom(TqzBaseIO* component)
{
    if (device == component) SetDevice(nullptr);
}

TIgnoreTypes TqzCustomDataProcessor::DataReceive(const char* data, int length)
{
    if (!Active || data == nullptr || length <= 0) return 0;
    TIgnoreTypes skip = DoProcessing(data, length);
    if (Chained && Chained != this) skip |= Chained->DataReceive(data, length);
    return skip;
}

bool TqzCustomDataProcessor::AfterSendComplete()
{
    asyncTimer.SetEnabled(false);
    bool handled = false;
    if (Active) DoAfterSendComplete(handled);
    return handled;
}

void TqzCustomDataProcessor::DoDataSend(const char* data, int length)
{
    if (device) device->SendData(data, length);
}

void TqzCustomDataProcessor::DoStringSend(const AnsiString& text)
{
    if (device) device->SendString(text);
}

void TqzCustomDataProcessor::StartSendTimeout(int ms)
{
    asyncTimer.SetInterval(ms);
    asyncTimer.SetEnabled(true);
}

void TqzCustomDataProcessor::DoHandleNotify(TqzBaseIO&, int code)
{
    if (code == PortNotify::Halting) DoMediumClosed();
    if (code == PortNotify::Opened) DoMediumOpened();
}

void TqzCustomDataProcessor::DoFatalErrors(int code, int systemError, const AnsiString& message, FatalReport report)
{
    bool raise = true;
    if (OnFatalError) OnFatalError(*this, code, systemError, message, raise);
    Logging(TDetailLevel::dlSimple,
        "Fatal Error: " + std::to_string(code) + ", " + std::to_string(systemError) + ", " + message);
    if (raise) KeepFatalError(message, report, unhandledError);
}

void TqzCustomDataProcessor::Logging(TDetailLevel level, const AnsiString& text) const
{
    if (LogFile) LogFile->AddLog(level, logPrefix + text);
}

TIgnoreTypes TqzCustomDataProcessor::DoProcessing(const char*, int)
{
    return 0;
}

void TqzCustomDataProcessor::DoAfterSendComplete(bool&) { }
