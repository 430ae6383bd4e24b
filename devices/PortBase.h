#pragma once

#include "base/Values.h"

#include <cstdarg>
#include <functional>
#include <vector>

class TqzBaseIO;
class TqzCustomLogFile;
class TqzCustomDataProcessor;

// The editor control's library has a notify list of the same name: the port
// library's lives in a namespace of its own, so that the two stay apart in
// one program.
namespace qzports {

// Observers of a device component: each entry is called with the component and
// a notify code, in the order the entries were added.
class TqzNotifyList {
public:
    using Method = std::function<void(TqzBaseIO& sender, int code)>;
    // Adds unless an entry with the same owner is there already: one owner
    // holds at most one entry, as a method pointer names its object.
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

} // namespace qzports

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

// Detail levels of the log: simple lines always, the others on request.
enum class TDetailLevel { dlSimple, dlDetail, dlDebug };

// How a fatal error that no handler took is reported.
enum class FatalReport { Keep, Show };

// One entry of a device list: "COM3" with the number 3.
struct DeviceListEntry {
    AnsiString name;
    int number = 0;
    bool operator==(const DeviceListEntry&) const = default;
};

// What a fatal error that no handler took leaves behind: the message is kept
// in `unhandled`, and with FatalReport::Show it is also shown in the
// application's error box ("Quorvatine"). Nothing is thrown: the errors arise
// on the port threads as well, where an exception would end the process.
void KeepFatalError(const AnsiString& message, FatalReport report, AnsiString& unhandled);

// The common base of the device components: the active state over a device
// handle, the device list, the notify list, the log, the data processor and
// the fatal-error path.
class TqzBaseIO {
public:
    using FatalErrorHandler
        = std::function<void(TqzBaseIO& sender, int code, int systemError, const AnsiString& message, bool& raise)>;

    virtual ~TqzBaseIO();

    bool Active() const { return IsHandleValid(); }
    // Opens or closes when the value differs from the state; nothing otherwise.
    void SetActive(bool value);

    virtual void SendChar(uint8_t byte) = 0;
    virtual void SendString(const AnsiString& text) = 0;
    virtual void SendData(const char* data, int length);
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
    void NotifyAdd(qzports::TqzNotifyList::Method method, const void* owner)
    {
        notifyList.Add(std::move(method), owner);
    }
    void NotifyDelete(const void* owner) { notifyList.Delete(owner); }
    int NotifyCount() const { return notifyList.Count(); }
    void DoNotify(int code) { notifyList.Call(*this, code); }
    // Fires OnFatalError with the raise flag set and logs the error; see
    // KeepFatalError for a flag that stays set.
    void DoFatalErrors(int code, int systemError, const AnsiString& message, FatalReport report = FatalReport::Keep);

    // Lines go to the log file, when one is set, behind the log prefix.
    void Logging(TDetailLevel level, const AnsiString& text) const;
    void LoggingFmt(TDetailLevel level, const char* format, ...) const __attribute__((format(printf, 3, 4)));

    // Things that hold a pointer to the component learn here when it goes.
    void AddFreeNotification(const void* owner, std::function<void()> gone);
    void RemoveFreeNotification(const void* owner);

    // The log file and the data processor are not owned; either clears its
    // reference here when it goes away first.
    TqzCustomLogFile* LogFile() const { return logFile; }
    void SetLogFile(TqzCustomLogFile* file);
    TqzCustomDataProcessor* DataProcessor() const { return dataProcessor; }
    void SetDataProcessor(TqzCustomDataProcessor* processor);

    FatalErrorHandler OnFatalError;
    AnsiString logPrefix;
    // The last fatal error that no handler took.
    AnsiString unhandledError;
    int handle = -1;

protected:
    virtual int RequestDeviceHandle() { return -1; }
    std::vector<DeviceListEntry> deviceList;

private:
    qzports::TqzNotifyList notifyList;
    std::vector<std::pair<const void*, std::function<void()>>> freeNotifications;
    TqzCustomLogFile* logFile = nullptr;
    TqzCustomDataProcessor* dataProcessor = nullptr;
    friend class TqzCustomLogFile;
    friend class TqzCustomDataProcessor;
};
