#pragma once

#include "base/Values.h"

#include <functional>
#include <vector>

class TqzBaseIO;

// Observers of a device component: each entry is called with the component and
// a notify code, in the order the entries were added. (Not the editor's
// TqzNotifyList: the two live in one program.)
class TqzDeviceNotifyList {
public:
    using Method = std::function<void(TqzBaseIO& sender, int code)>;
    // Adds unless an entry with the same owner is there already: one owner
    // holds at most one entry.
    void Add(Method method, const void* owner);
    void Delete(const void* owner);
    void Clear() { entries.clear(); }
    int IndexOf(const void* owner) const;
    int Count() const { return static_cast<int>(entries.size()); }
    void Call(TqzBaseIO& sender, int code);

private:
    struct Entry {
        Method method;
        const void* owner;
    };
    std::vector<Entry> entries;
};

// Notify codes.
namespace PortNotify {
constexpr int Halting = 1;
constexpr int Opened = 2;
constexpr int DeviceChanged = 3;
} // namespace PortNotify

// Fatal-error codes of the port components.
namespace PortFatal {
constexpr int SerialOpen = 1;
constexpr int Driver = 7;
constexpr int Parallel = 10;
} // namespace PortFatal

// One entry of a device list: "COM3" with the number 3.
struct DeviceListEntry {
    AnsiString name;
    int number = 0;
};

// The common base of the device components: the active state over a device
// handle, the device list, the notify list and the fatal-error path.
//
// A fatal error never throws: the handler may clear the raise flag; when it
// stays set the error is kept in `unhandledError` for the owner to look at,
// and the component is left as the failing operation left it.
class TqzBaseIO {
public:
    using FatalErrorHandler
        = std::function<void(TqzBaseIO& sender, int code, int systemError, const AnsiString& message, bool& raise)>;
    using LogSink = std::function<void(int level, const AnsiString& text)>;

    virtual ~TqzBaseIO() = default;

    bool Active() const { return IsHandleValid(); }
    // Opens or closes when the value differs from the state; nothing otherwise.
    void SetActive(bool value);

    virtual void SendChar(uint8_t byte) = 0;
    virtual void SendString(const AnsiString& text) = 0;
    virtual void ClearDeviceInput() { }
    virtual void ClearDeviceOutput() { }
    virtual void ClearDeviceBuffers() { }
    virtual int GetDeviceIndex() const = 0;
    virtual void SetDeviceIndex(int index);
    virtual void GetDeviceList(std::vector<DeviceListEntry>& target) const;
    virtual bool IsHandleValid() const { return handle != -1; }
    virtual void Open();
    virtual void Close();
    virtual void Update() { DoNotify(PortNotify::DeviceChanged); }

    void ClearDeviceList() { deviceList.clear(); }
    void NotifyAdd(TqzDeviceNotifyList::Method method, const void* owner) { notifyList.Add(std::move(method), owner); }
    void NotifyDelete(const void* owner) { notifyList.Delete(owner); }
    void DoNotify(int code) { notifyList.Call(*this, code); }
    // Fires OnFatalError with the raise flag set, logs the error, and keeps it
    // as unhandled when the flag is still set.
    void DoFatalErrors(int code, int systemError, const AnsiString& message);
    void Logging(int level, const AnsiString& text) const;

    FatalErrorHandler OnFatalError;
    LogSink logSink;
    AnsiString logPrefix;
    // The last fatal error that no handler took.
    AnsiString unhandledError;
    int handle = -1;

protected:
    virtual int RequestDeviceHandle() { return -1; }
    std::vector<DeviceListEntry> deviceList;

private:
    TqzDeviceNotifyList notifyList;
};
