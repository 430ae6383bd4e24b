#pragma once

#include "devices/CommTypes.h"
#include "devices/PortBase.h"
#include "devices/PortTimer.h"

#include <functional>

// Sits between a device component and its users: sees every received chunk
// first (and may ask the component to skip its own uses of it), sends through
// the device, and learns when the device opens, closes and finishes a send.
// A processor may hand what it received on to a chained processor.
//
// The hooks run where the component's events run: on the serial port's
// message thread.
class TqzCustomDataProcessor {
public:
    using FatalErrorHandler = std::function<void(
        TqzCustomDataProcessor& sender, int code, int systemError, const AnsiString& message, bool& raise)>;

    TqzCustomDataProcessor();
    virtual ~TqzCustomDataProcessor();
    TqzCustomDataProcessor(const TqzCustomDataProcessor&) = delete;
    TqzCustomDataProcessor& operator=(const TqzCustomDataProcessor&) = delete;

    bool Active = true;
    TqzBaseIO* Device() const { return device; }
    // Moves the processor's notify entry from the old device to the new one.
    void SetDevice(TqzBaseIO* newDevice);
    TqzCustomDataProcessor* Chained = nullptr;

    // The received chunk: this processor's hook, then the chained one's; the
    // skips asked for add up. Nothing while inactive.
    TIgnoreTypes DataReceive(const char* data, int length);
    // The device finished sending (or the send time-out ran out): the
    // time-out stops and DoAfterSendComplete says whether the processor
    // took the event.
    bool AfterSendComplete();
    // Sends through the device.
    void DoDataSend(const char* data, int length);
    void DoStringSend(const AnsiString& text);
    // Gives a send at most ms to complete before DoAfterSendComplete runs anyway.
    void StartSendTimeout(int ms);
    TqzTimer& AsyncTimer() { return asyncTimer; }

    void DoHandleNotify(TqzBaseIO& sender, int code);
    void DoFatalErrors(int code, int systemError, const AnsiString& message, FatalReport report = FatalReport::Keep);
    void Logging(TDetailLevel level, const AnsiString& text) const;

    TqzCustomLogFile* LogFile = nullptr;
    AnsiString logPrefix;
    FatalErrorHandler OnFatalError;
    AnsiString unhandledError;

protected:
    virtual TIgnoreTypes DoProcessing(const char* data, int length);
    virtual void DoAfterSendComplete(bool& handled);
    virtual void DoMediumOpened() { }
    virtual void DoMediumClosed() { }

private:
    TqzBaseIO* device = nullptr;
    TqzTimer asyncTimer;
    friend class TqzBaseIO;
    void AttachTo(TqzBaseIO* component);
    void DetachFrom(TqzBaseIO* component);
};
