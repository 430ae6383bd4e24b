#include "builtins/FunctionFamilies.h"
#include "devices/CaptureBridge.h"
#include "devices/QelmBridge.h"

#include <algorithm>

// The USB I/O board functions and the image-capture functions: each reads its
// arguments, calls the bridge once (or twice, for the pull-up directions) and
// returns its answer. The device number is the truncated first argument;
// numeric parameters travel in the two port bytes, texts in and out through
// one text.

namespace {

using devices::QelmOperation;

const AnsiString NotValid = "NOTVALID";

// The library operation of each board function that makes one call.
struct OperationOfCode {
    FunctionCode code;
    QelmOperation operation;
};
constexpr OperationOfCode operationsOfCodes[] = {
    { FunctionCode::QelmErrorspecs, QelmOperation::ErrorSpecs },
    { FunctionCode::QelmDllspecs, QelmOperation::LibrarySpecs },
    { FunctionCode::QelmDevicespecs, QelmOperation::DeviceSpecs },
    { FunctionCode::QelmFinddevices, QelmOperation::FindDevices },
    { FunctionCode::QelmNumberofdevices, QelmOperation::NumberOfDevices },
    { FunctionCode::QelmClearrecenterror, QelmOperation::ClearRecentError },
    { FunctionCode::QelmDevicevalid, QelmOperation::DeviceValid },
    { FunctionCode::QelmClosedevice, QelmOperation::CloseDevice },
    { FunctionCode::QelmSetreadtimeout, QelmOperation::SetReadTimeout },
    { FunctionCode::QelmInitports, QelmOperation::InitPorts },
    { FunctionCode::QelmWritea, QelmOperation::WriteA },
    { FunctionCode::QelmWriteb, QelmOperation::WriteB },
    { FunctionCode::QelmReada, QelmOperation::ReadA },
    { FunctionCode::QelmReadb, QelmOperation::ReadB },
    { FunctionCode::QelmWriteabit, QelmOperation::WriteABit },
    { FunctionCode::QelmWritebbit, QelmOperation::WriteBBit },
    { FunctionCode::QelmSetbit, QelmOperation::SetBit },
    { FunctionCode::QelmResetbit, QelmOperation::ResetBit },
    { FunctionCode::QelmDirectiona, QelmOperation::DirectionA },
    { FunctionCode::QelmDirectionb, QelmOperation::DirectionB },
    { FunctionCode::QelmWrite1wirebit, QelmOperation::Write1WireBit },
    { FunctionCode::QelmWrite1wire, QelmOperation::Write1Wire },
    { FunctionCode::QelmReset1wire, QelmOperation::Reset1Wire },
    { FunctionCode::QelmLcddata, QelmOperation::LcdData },
    { FunctionCode::QelmLcdcmd, QelmOperation::LcdCommand },
    { FunctionCode::QelmRead1wire, QelmOperation::Read1Wire },
    { FunctionCode::QelmRead1wirebit, QelmOperation::Read1WireBit },
    { FunctionCode::QelmInitlcd, QelmOperation::InitLcd },
    { FunctionCode::QelmInitspi, QelmOperation::InitSpi },
    { FunctionCode::QelmSpislaveread, QelmOperation::SpiSlaveRead },
    { FunctionCode::QelmStrobereads, QelmOperation::StrobeReads },
    { FunctionCode::QelmDevicecmd, QelmOperation::DeviceCommand },
    { FunctionCode::QelmSpimaster, QelmOperation::SpiMaster },
    { FunctionCode::QelmSpislavewrite, QelmOperation::SpiSlaveWrite },
    { FunctionCode::QelmStrobewrites, QelmOperation::StrobeWrites },
    { FunctionCode::QelmStepper, QelmOperation::Stepper },
    { FunctionCode::QelmStrobewrite, QelmOperation::StrobeWrite },
    { FunctionCode::QelmStroberead, QelmOperation::StrobeRead },
};

// Only codes of the table reach the handlers that ask.
QelmOperation OperationOf(int code)
{
    for (const OperationOfCode& row : operationsOfCodes)
        if (Code(row.code) == code) return row.operation;
    return QelmOperation::Count;
}

unsigned char LowByte(int32_t value)
{
    return static_cast<unsigned char>(value & 0xFF);
}

struct UsbCall {
    int device = 0;
    unsigned char portBytes[2] = {};
    AnsiString text;

    int Run(QelmOperation operation)
    {
        unsigned char args[8] = { portBytes[0], portBytes[1] };
        return devices::Qelm().DeviceCall(operation, device, args, text);
    }
    int Run(int code) { return Run(OperationOf(code)); }
};

UsbCall WithDevice(FunctionCall& call)
{
    UsbCall usb;
    usb.device = call.FirstInt();
    return usb;
}

// qelm_errorspecs, qelm_dllspecs: no device, a text.
void TextOfLibrary(FunctionCall& call)
{
    UsbCall usb;
    usb.Run(call.code);
    call.ReturnText(usb.text);
}

// The functions without arguments that return the library's answer.
void LibraryAnswer(FunctionCall& call)
{
    UsbCall usb;
    call.ReturnInt(usb.Run(call.code));
}

// (n): the device only.
void DeviceAnswer(FunctionCall& call)
{
    UsbCall usb = WithDevice(call);
    call.ReturnInt(usb.Run(call.code));
}

// (n, v): v in the first port byte.
void DeviceAndValue(FunctionCall& call)
{
    UsbCall usb = WithDevice(call);
    usb.portBytes[0] = LowByte(call.NextInt());
    call.ReturnInt(usb.Run(call.code));
}

// (n, a, b): a and b in the two port bytes.
void DeviceAndTwoValues(FunctionCall& call)
{
    UsbCall usb = WithDevice(call);
    usb.portBytes[0] = LowByte(call.NextInt());
    usb.portBytes[1] = LowByte(call.NextInt());
    call.ReturnInt(usb.Run(call.code));
}

// (n): a text answer, "NOTVALID" when the library answers 0.
void DeviceText(FunctionCall& call)
{
    UsbCall usb = WithDevice(call);
    const int result = usb.Run(call.code);
    call.ReturnText(result == 0 ? NotValid : usb.text);
}

// qelm_strobereads (n, v): the count v, saturated to a byte, then a text answer.
void StrobeReads(FunctionCall& call)
{
    UsbCall usb = WithDevice(call);
    usb.portBytes[0] = static_cast<unsigned char>(std::clamp(call.NextNumber(), 0.0, 255.0));
    const int result = usb.Run(call.code);
    call.ReturnText(result == 0 ? NotValid : usb.text);
}

// (n, text) with a text answer: the reply, "NOTVALID" on 0.
void TextInTextOut(FunctionCall& call)
{
    UsbCall usb = WithDevice(call);
    usb.text = call.NextText();
    const int result = usb.Run(call.code);
    call.ReturnText(result == 0 ? NotValid : usb.text);
}

// (n, text) with the library's answer.
void TextInAnswer(FunctionCall& call)
{
    UsbCall usb = WithDevice(call);
    usb.text = call.NextText();
    call.ReturnInt(usb.Run(call.code));
}

// The functions read by signature: the device in the first slot.
UsbCall SignatureDevice(FunctionCall& call)
{
    UsbCall usb;
    usb.device = call.ex.argInt[0];
    return usb;
}

// qelm_directionaout ... qelm_directionbinpullup: the direction command of
// the port with fixed bytes; the pull-up forms then write 255 to the port.
void FixedDirection(FunctionCall& call)
{
    struct Form {
        FunctionCode code;
        QelmOperation direction;
        unsigned char first, second;
        QelmOperation write; // the port write of a pull-up form, or Count for none
    };
    static constexpr Form forms[] = {
        { FunctionCode::QelmDirectionaout, QelmOperation::DirectionA, 255, 255, QelmOperation::Count },
        { FunctionCode::QelmDirectionain, QelmOperation::DirectionA, 0, 0, QelmOperation::Count },
        { FunctionCode::QelmDirectionainpullup, QelmOperation::DirectionA, 0, 255, QelmOperation::WriteA },
        { FunctionCode::QelmDirectionbout, QelmOperation::DirectionB, 255, 255, QelmOperation::Count },
        { FunctionCode::QelmDirectionbin, QelmOperation::DirectionB, 0, 0, QelmOperation::Count },
        { FunctionCode::QelmDirectionbinpullup, QelmOperation::DirectionB, 0, 255, QelmOperation::WriteB },
    };
    for (const Form& form : forms) {
        if (Code(form.code) != call.code) continue;
        UsbCall usb = SignatureDevice(call);
        usb.portBytes[0] = form.first;
        usb.portBytes[1] = form.second;
        const int result = usb.Run(form.direction);
        if (form.write != QelmOperation::Count) {
            UsbCall write = SignatureDevice(call);
            write.portBytes[0] = 255;
            write.Run(form.write);
        }
        call.ReturnInt(result);
        return;
    }
}

// qelm_readlatches (n): the raw command 15; the reply as text.
void ReadLatches(FunctionCall& call)
{
    UsbCall usb = SignatureDevice(call);
    usb.text = AnsiString(1, static_cast<char>(15));
    const int result = usb.Run(QelmOperation::DeviceCommand);
    call.ReturnText(result == 0 ? NotValid : usb.text);
}

// qelm_wire2control (n, v): the raw command 24 with v; the first data byte of
// the reply, -1 on failure.
void Wire2Control(FunctionCall& call)
{
    UsbCall usb = SignatureDevice(call);
    usb.text = AnsiString(1, static_cast<char>(24));
    usb.text += static_cast<char>(LowByte(call.ex.argInt[1]));
    const int result = usb.Run(QelmOperation::DeviceCommand);
    call.ReturnInt(result == 0 || usb.text.size() < 2 ? -1 : static_cast<unsigned char>(usb.text[1]));
}

// qelm_wire2data (n, text): the raw command 25 followed by the text.
void Wire2Data(FunctionCall& call)
{
    UsbCall usb = SignatureDevice(call);
    usb.text = AnsiString(1, static_cast<char>(25)) + call.ex.argText[1];
    const int result = usb.Run(QelmOperation::DeviceCommand);
    call.ReturnText(result == 0 ? NotValid : usb.text);
}

// capturesrc, capturedlg, captureImage, capturerdy: the capture of type
// code - 5270, into the file named by the optional text.
void Capture(FunctionCall& call)
{
    const AnsiString file = call.FirstIsText() ? call.FirstText() : AnsiString();
    call.ReturnInt(devices::Capture().Acquire(call.code - Code(FunctionCode::Capturesrc), file));
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::QelmErrorspecs, FirstArgument::None, TextOfLibrary },
    { FunctionCode::QelmDllspecs, FirstArgument::None, TextOfLibrary },
    { FunctionCode::QelmDevicespecs, FirstArgument::Number, DeviceText },
    { FunctionCode::QelmFinddevices, FirstArgument::None, LibraryAnswer },
    { FunctionCode::QelmNumberofdevices, FirstArgument::None, LibraryAnswer },
    { FunctionCode::QelmClearrecenterror, FirstArgument::None, LibraryAnswer },
    { FunctionCode::QelmDevicevalid, FirstArgument::Number, DeviceAnswer },
    { FunctionCode::QelmClosedevice, FirstArgument::Number, DeviceAnswer },
    { FunctionCode::QelmSetreadtimeout, FirstArgument::Number, DeviceAnswer },
    { FunctionCode::QelmInitports, FirstArgument::Number, DeviceAnswer },
    { FunctionCode::QelmReada, FirstArgument::Number, DeviceAnswer },
    { FunctionCode::QelmReadb, FirstArgument::Number, DeviceAnswer },
    { FunctionCode::QelmRead1wire, FirstArgument::Number, DeviceAnswer },
    { FunctionCode::QelmRead1wirebit, FirstArgument::Number, DeviceAnswer },
    { FunctionCode::QelmInitspi, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmWritea, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmWriteb, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmSetbit, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmResetbit, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmWrite1wirebit, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmWrite1wire, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmReset1wire, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmLcddata, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmLcdcmd, FirstArgument::Number, DeviceAndValue },
    { FunctionCode::QelmWriteabit, FirstArgument::Number, DeviceAndTwoValues },
    { FunctionCode::QelmWritebbit, FirstArgument::Number, DeviceAndTwoValues },
    { FunctionCode::QelmDirectiona, FirstArgument::Number, DeviceAndTwoValues },
    { FunctionCode::QelmDirectionb, FirstArgument::Number, DeviceAndTwoValues },
    { FunctionCode::QelmInitlcd, FirstArgument::Number, DeviceAndTwoValues },
    { FunctionCode::QelmSpislaveread, FirstArgument::Number, DeviceText },
    { FunctionCode::QelmStrobereads, FirstArgument::Number, StrobeReads },
    { FunctionCode::QelmDevicecmd, FirstArgument::Number, TextInTextOut },
    { FunctionCode::QelmSpimaster, FirstArgument::Number, TextInTextOut },
    { FunctionCode::QelmSpislavewrite, FirstArgument::Number, TextInAnswer },
    { FunctionCode::QelmStrobewrites, FirstArgument::Number, TextInAnswer },
    { FunctionCode::QelmStepper, FirstArgument::Number, TextInAnswer },
    { FunctionCode::QelmStrobewrite, FirstArgument::Number, TextInAnswer },
    { FunctionCode::QelmStroberead, FirstArgument::Number, TextInAnswer },
    { FunctionCode::QelmDirectionaout, FirstArgument::Signature, FixedDirection },
    { FunctionCode::QelmDirectionain, FirstArgument::Signature, FixedDirection },
    { FunctionCode::QelmDirectionainpullup, FirstArgument::Signature, FixedDirection },
    { FunctionCode::QelmDirectionbout, FirstArgument::Signature, FixedDirection },
    { FunctionCode::QelmDirectionbin, FirstArgument::Signature, FixedDirection },
    { FunctionCode::QelmDirectionbinpullup, FirstArgument::Signature, FixedDirection },
    { FunctionCode::QelmReadlatches, FirstArgument::Signature, ReadLatches },
    { FunctionCode::QelmWire2control, FirstArgument::Signature, Wire2Control },
    { FunctionCode::QelmWire2data, FirstArgument::Signature, Wire2Data },
    { FunctionCode::Capturesrc, FirstArgument::None, Capture },
    { FunctionCode::Capturedlg, FirstArgument::OptionalZero, Capture },
    { FunctionCode::CaptureImage, FirstArgument::OptionalZero, Capture },
    { FunctionCode::Capturerdy, FirstArgument::None, Capture },
};

} // namespace

std::span<const FunctionEntry> UsbFunctionEntries()
{
    return entries;
}
