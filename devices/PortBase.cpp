#include "devices/PortBase.h"

#include "devices/PortDataProcessor.h"
#include "devices/PortLogFile.h"
#include "devices/PortSysUtils.h"
#include "platform/MessageBoxes.h"

#include <cstdio>

void qzports::TqzNotifyList::Add(Method method, const void* owner)
{
    if (IndexOf(owner) >= 0) return;
    entries.push_back({ std::move(method), owner });
}

void qzports::TqzNotifyList::Delete(const void* owner)
{
    const int index = IndexOf(owner);
    if (index >= 0) entries.erase(entries.begin() + index);
}

int qzports::TqzNotifyList::IndexOf(const void* owner) const
{
    for (size_t k = 0; k < entries.size(); ++k)
        if (entries[k].owner == owner) return static_cast<int>(k);
    return -1;
}

void qzports::TqzNotifyList::Call(TqzBaseIO& sender, int code)
{
    // A handler may add or remove entries: call a copy.
    const std::vector<Entry> current = entries;
    for (const Entry& entry : current)
        if (entry.method) entry.method(sender, code);
}

void KeepFatalError(const AnsiString& message, FatalReport report, AnsiString& unhandled)
{
    unhandled = message;
    if (report == FatalReport::Show)
        platform::messageBoxes().show(
            message, "Quorvatine", platform::MessageFlags::Ok | platform::MessageFlags::IconError);
}

TqzBaseIO::~TqzBaseIO()
{
    const auto current = std::move(freeNotifications);
    for (const auto& [owner, gone] : current)
        if (gone) gone();
    SetLogFile(nullptr);
    SetDataProcessor(nullptr);
}

void TqzBaseIO::SetActive(bool value)
{
    if (value == Active()) return;
    if (value)
        Open();
    else
        Close();
}

void TqzBaseIO::SendData(const char* data, int length)
{
    if (data != nullptr && length > 0) SendString(AnsiString(data, static_cast<size_t>(length)));
}

void TqzBaseIO::SetDeviceIndex(int index)
{
    (void)index;
    DoNotify(PortNotify::DeviceChanged);
}

void TqzBaseIO::GetDeviceList(std::vector<DeviceListEntry>& target) const
{
    target = deviceList;
}

void TqzBaseIO::Open()
{
    handle = RequestDeviceHandle();
}

void TqzBaseIO::Close()
{
    handle = -1;
}

void TqzBaseIO::DoFatalErrors(int code, int systemError, const AnsiString& message, FatalReport report)
{
    bool raise = true;
    if (OnFatalError) OnFatalError(*this, code, systemError, message, raise);
    LoggingFmt(TDetailLevel::dlSimple, "Fatal Error: %u, %u, %s", static_cast<unsigned>(code),
        static_cast<unsigned>(systemError), message.c_str());
    if (raise) KeepFatalError(message, report, unhandledError);
}

void TqzBaseIO::Logging(TDetailLevel level, const AnsiString& text) const
{
    if (logFile) logFile->AddLog(level, logPrefix + text);
}

void TqzBaseIO::LoggingFmt(TDetailLevel level, const char* format, ...) const
{
    if (!logFile) return;
    va_list arguments;
    va_start(arguments, format);
    const AnsiString text = FormatText(format, arguments);
    va_end(arguments);
    logFile->AddLog(level, logPrefix + text);
}

void TqzBaseIO::SetLogFile(TqzCustomLogFile* file)
{
    if (file == logFile) return;
    if (logFile) logFile->Forget(this);
    logFile = file;
    if (logFile) logFile->Remember(this);
}

void TqzBaseIO::SetDataProcessor(TqzCustomDataProcessor* processor)
{
    if (processor == dataProcessor) return;
    TqzCustomDataProcessor* old = dataProcessor;
    dataProcessor = processor;
    if (old) old->DetachFrom(this);
    if (processor) processor->AttachTo(this);
}

void TqzBaseIO::AddFreeNotification(const void* owner, std::function<void()> gone)
{
    RemoveFreeNotification(owner);
    freeNotifications.emplace_back(owner, std::move(gone));
}

void TqzBaseIO::RemoveFreeNotification(const void* owner)
{
    std::erase_if(freeNotifications, [owner](const auto& entry) { return entry.first == owner; });
}
