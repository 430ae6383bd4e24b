#include "devices/PortBase.h"

#include <algorithm>
#include <cstdio>

void TqzDeviceNotifyList::Add(Method method, const void* owner)
{
    if (IndexOf(owner) >= 0) return;
    entries.push_back({ std::move(method), owner });
}

void TqzDeviceNotifyList::Delete(const void* owner)
{
    const int index = IndexOf(owner);
    if (index >= 0) entries.erase(entries.begin() + index);
}

int TqzDeviceNotifyList::IndexOf(const void* owner) const
{
    for (size_t k = 0; k < entries.size(); ++k)
        if (entries[k].owner == owner) return static_cast<int>(k);
    return -1;
}

void TqzDeviceNotifyList::Call(TqzBaseIO& sender, int code)
{
    // A handler may add or remove entries: call a copy.
    const std::vector<Entry> current = entries;
    for (const Entry& entry : current)
        if (entry.method) entry.method(sender, code);
}

void TqzBaseIO::SetActive(bool value)
{
    if (value == Active()) return;
    if (value)
        Open();
    else
        Close();
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

void TqzBaseIO::DoFatalErrors(int code, int systemError, const AnsiString& message)
{
    bool raise = true;
    if (OnFatalError) OnFatalError(*this, code, systemError, message, raise);
    char line[64];
    std::snprintf(
        line, sizeof line, "Fatal Error: %u, %u, ", static_cast<unsigned>(code), static_cast<unsigned>(systemError));
    Logging(0, line + message);
    if (raise) unhandledError = message;
}

void TqzBaseIO::Logging(int level, const AnsiString& text) const
{
    if (logSink) logSink(level, logPrefix + text);
}
