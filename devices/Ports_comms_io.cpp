#include "devices/Ports_comms_io.h"

#include "devices/TunePlayer.h"
#include "platform/MessageBoxes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t baudRates[15]
    = { 110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000 };
constexpr TParity parities[5] = { TParity::pNone, TParity::pOdd, TParity::pEven, TParity::pMark, TParity::pSpace };
// Argument 0 is one and a half stop bits, 1 one, 2 two.
constexpr TStopBits stopBits[3] = { TStopBits::sbOneAndHalf, TStopBits::sbOne, TStopBits::sbTwo };
constexpr TStreamProtocol protocols[3]
    = { TStreamProtocol::spNone, TStreamProtocol::spXonXoff, TStreamProtocol::spHardware };

} // namespace

TPorts_Comms_IO_Form::TPorts_Comms_IO_Form()
{
    qzComm1.BaudRate = 9600;
    qzComm1.Parity = TParity::pNone;
    qzComm1.StopBits = TStopBits::sbOne;
    qzComm1.ByteSize = 8;
    qzComm1.StreamProtocol = TStreamProtocol::spNone;
    qzComm1.BufferInSize = 4096;
    qzComm1.BufferOutSize = 4096;
    qzComm1.SetTimeoutRead(0);
    qzComm1.SetTimeoutWrite(100);
    qzComm1.OnFatalError = [this](TqzBaseIO&, int, int, const AnsiString&, bool& raise) {
        raise = false;
        qzComm1.SetActive(false);
    };
    qzLPT1.OnFatalError = [this](TqzBaseIO&, int, int, const AnsiString& message, bool& raise) {
        // A failing port would otherwise show its box at every access of a loop.
        if (shownErrors.insert(message).second)
            platform::messageBoxes().show(
                message, "Ports Error", platform::MessageFlags::Ok | platform::MessageFlags::IconError);
        raise = false;
        qzLPT1.SetActive(false);
    };
}

void TPorts_Comms_IO_Form::SetStopFlag(const bool* flag)
{
    stopFlag = flag;
    qzComm1.stopFlag = flag;
    qzLPT1.stopFlag = flag;
}

void TPorts_Comms_IO_Form::ResetPorts()
{
    playFlag = false;
    qzLPT1.SetActive(false);
    qzComm1.SetActive(false);
    speakerMask = 3;
    serialTimeout = 5000;
    parallelBase = 888;
    shownErrors.clear();
}

bool TPorts_Comms_IO_Form::SetCommPort(const int32_t record[6])
{
    qzComm1.SetActive(false);
    if (record[0] == 0) return true;
    const int32_t port = std::clamp<int32_t>(record[0], 1, 50000);
    const int32_t byteSize = std::clamp<int32_t>(record[2], 4, 8);
    const int32_t parity = std::clamp<int32_t>(record[3], 0, 4);
    const int32_t stop = std::clamp<int32_t>(record[4], 0, 2);
    const int32_t protocol = std::clamp<int32_t>(record[5], 0, 2);
    qzComm1.SetComPortNo(port);
    const int32_t baud = record[1];
    qzComm1.BaudRate = baud >= 0 && baud <= 14 ? baudRates[baud] : baud;
    qzComm1.ByteSize = byteSize;
    qzComm1.Parity = parities[parity];
    qzComm1.StopBits = stopBits[stop];
    qzComm1.StreamProtocol = protocols[protocol];
    qzComm1.SetActive(true);
    return qzComm1.Active();
}

void TPorts_Comms_IO_Form::SerOut(const AnsiString& text)
{
    if (qzComm1.Active() && !text.empty()) qzComm1.SendString(text);
}

void TPorts_Comms_IO_Form::SerOutByte(uint8_t byte)
{
    qzComm1.SendChar(byte);
}

AnsiString TPorts_Comms_IO_Form::SerIn()
{
    serialText = qzComm1.ReadString();
    return serialText;
}

bool TPorts_Comms_IO_Form::SerBytesIn(uint8_t* buffer, int n)
{
    if (n <= 0 || !qzComm1.WaitForBytes(n, serialTimeout)) return false;
    return qzComm1.Read(reinterpret_cast<char*>(buffer), n) == n;
}

void TPorts_Comms_IO_Form::ClearSerBuffer(int which)
{
    switch (which) {
    case 0:
        qzComm1.ClearDeviceBuffers();
        break;
    case 1:
        qzComm1.ClearDeviceInput();
        break;
    case 2:
        qzComm1.ClearDeviceOutput();
        break;
    default:
        break;
    }
}

AnsiString TPorts_Comms_IO_Form::SerPorts()
{
    TqzComm lister;
    qzDeviceBox1.SetqzComm(&lister);
    AnsiString text;
    for (const DeviceListEntry& entry : qzDeviceBox1.Items()) {
        if (!text.empty()) text += "\r\n";
        text += entry.name.size() > 3 ? entry.name.substr(3) : AnsiString();
    }
    qzDeviceBox1.SetqzComm(nullptr);
    return text;
}

void TPorts_Comms_IO_Form::Reach(uint16_t address)
{
    qzLPT1.LptIOBase = address;
    qzLPT1.SetActive(true);
}

uint8_t TPorts_Comms_IO_Form::InPort(uint16_t address)
{
    Reach(address);
    return qzLPT1.GetDataBits();
}

void TPorts_Comms_IO_Form::OutPort(uint16_t address, uint8_t value)
{
    Reach(address);
    qzLPT1.SetDataBits(value);
}

void TPorts_Comms_IO_Form::PPortOut(uint8_t value)
{
    Reach(parallelBase);
    qzLPT1.SetBitsControl(static_cast<uint8_t>(qzLPT1.GetBitsControl() & ~0xA0));
    qzLPT1.SetDataBits(value);
}

uint8_t TPorts_Comms_IO_Form::PPortIn()
{
    Reach(parallelBase);
    qzLPT1.SetBitsControl(static_cast<uint8_t>(qzLPT1.GetBitsControl() | 0xA0));
    return qzLPT1.GetDataBits();
}

// The four external latches: the low three control lines select one, control
// bit 3 strobes it; for input bits 5 and 7 turn the data lines round.
void TPorts_Comms_IO_Form::VPPortOut(int channel, uint8_t value)
{
    const uint8_t select = static_cast<uint8_t>(0x10 - std::clamp(channel, 1, 4));
    Reach(parallelBase);
    qzLPT1.SetBitsControl(select);
    qzLPT1.SetDataBits(value);
    qzLPT1.SetBitsControl(static_cast<uint8_t>(select & ~0x08));
    MicroDelay(1);
    qzLPT1.SetBitsControl(select);
}

uint8_t TPorts_Comms_IO_Form::VPPortIn(int channel)
{
    const uint8_t select = static_cast<uint8_t>(0xAC - std::clamp(channel, 1, 4));
    Reach(parallelBase);
    qzLPT1.SetBitsControl(select);
    qzLPT1.SetBitsControl(static_cast<uint8_t>(select & ~0x08));
    MicroDelay(1);
    const uint8_t value = qzLPT1.GetDataBits();
    qzLPT1.SetBitsControl(select);
    return value;
}

ToneOutput& TPorts_Comms_IO_Form::Tones()
{
    if (!tones) tones = MakeAudioToneOutput();
    return *tones;
}

void TPorts_Comms_IO_Form::SetToneOutput(std::unique_ptr<ToneOutput> output)
{
    tones = std::move(output);
}

void TPorts_Comms_IO_Form::DelayMs(int64_t ms, Delays::Pump pump)
{
    Tones().Play(0, ms, pump, stopFlag);
}

void TPorts_Comms_IO_Form::Sound(double frequency, int64_t ms, Delays::Pump pump)
{
    // A rest, a silenced speaker and a frequency that is no number all wait as
    // long as the tone would have sounded.
    if (!(frequency > 0) || speakerMask == 0) frequency = 0;
    Tones().Play(frequency, ms, pump, stopFlag);
}

void TPorts_Comms_IO_Form::PlaySong(const AnsiString& music)
{
    playFlag = true;
    for (const TuneStep& step : ParseTune(music)) {
        if (!playFlag || Stopped()) break;
        Sound(step.frequency, step.milliseconds, Delays::Pump::Yes);
    }
}

TPorts_Comms_IO_Form& Ports_Comms_IO_Form()
{
    static TPorts_Comms_IO_Form service;
    return service;
}
