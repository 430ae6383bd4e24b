#include "devices/QelmBridge.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

// The entry points are bound by name in a fixed order; the dispatcher below
// calls them through typed pointers. The library copies at most 200 bytes of
// text into one shared buffer, which is zeroed before each call and read to
// at most its size.

namespace devices {
namespace {

enum Entry {
    FindDevices,
    RecentError,
    ClearRecentError,
    DebugString,
    Copyright,
    About,
    Version,
    NumberOfDevices,
    DeviceValid,
    DeviceVID,
    DevicePID,
    DeviceDID,
    DeviceMfr,
    DeviceProd,
    DeviceSer,
    InitPorts,
    WriteA,
    WriteB,
    WriteABit,
    WriteBBit,
    ReadA,
    ReadB,
    SetBit,
    ResetBit,
    DirectionA,
    DirectionB,
    StrobeWrite,
    StrobeRead,
    StrobeWrite2,
    StrobeRead2,
    StrobeWrites,
    StrobeReads,
    InitLCD,
    LCDCmd,
    LCDData,
    InitSPI,
    SPIMaster,
    SPISlaveWrite,
    SPISlaveRead,
    Stepper,
    Reset1Wire,
    Write1Wire,
    Read1Wire,
    Write1WireBit,
    Read1WireBit,
    SetReadTimeout,
    CloseDevice,
    DeviceFirmwareVer,
    ReadDevice,
    WriteDevice,
    EntryCount
};

constexpr const char* entryNames[EntryCount] = { "Qelm_FindDevices", "Qelm_RecentError", "Qelm_ClearRecentError",
    "Qelm_DebugString", "Qelm_Copyright", "Qelm_About", "Qelm_Version", "Qelm_NumberOfDevices", "Qelm_DeviceValid",
    "Qelm_DeviceVID", "Qelm_DevicePID", "Qelm_DeviceDID", "Qelm_DeviceMfr", "Qelm_DeviceProd", "Qelm_DeviceSer",
    "Qelm_InitPorts", "Qelm_WriteA", "Qelm_WriteB", "Qelm_WriteABit", "Qelm_WriteBBit", "Qelm_ReadA", "Qelm_ReadB",
    "Qelm_SetBit", "Qelm_ResetBit", "Qelm_DirectionA", "Qelm_DirectionB", "Qelm_StrobeWrite", "Qelm_StrobeRead",
    "Qelm_StrobeWrite2", "Qelm_StrobeRead2", "Qelm_StrobeWrites", "Qelm_StrobeReads", "Qelm_InitLCD", "Qelm_LCDCmd",
    "Qelm_LCDData", "Qelm_InitSPI", "Qelm_SPIMaster", "Qelm_SPISlaveWrite", "Qelm_SPISlaveRead", "Qelm_Stepper",
    "Qelm_Reset1Wire", "Qelm_Write1Wire", "Qelm_Read1Wire", "Qelm_Write1WireBit", "Qelm_Read1WireBit",
    "Qelm_SetReadTimeout", "Qelm_CloseDevice", "Qelm_DeviceFirmwareVer", "Qelm_ReadDevice", "Qelm_WriteDevice" };

using NoArgs = int (*)();
using Text = int (*)(char*);
using Dev = int (*)(int);
using DevText = int (*)(int, char*);
using DevInt = int (*)(int, int);
using DevIntInt = int (*)(int, int, int);
using DevBytes = int (*)(int, unsigned char*);
using DevCountData = int (*)(int, unsigned char*, unsigned char*);
using DevIntData = int (*)(int, int, unsigned char*);
using DevStrobeWrite = int (*)(int, int, int, int);
using DevStrobeWrite2 = int (*)(int, int, int, int, int, int);
using DevStrobeRead = int (*)(int, unsigned char*, int, int);
using DevStrobeRead2 = int (*)(int, unsigned char*, int, int, int, int);
using DevStepper = int (*)(int, int, int, int, int, int, int, int);

constexpr size_t SharedTextSize = 200;

// The shared text buffer of one call: zeroed first; read back to at most its
// size, so a fixed-length line without a zero ends at its length.
struct SharedText {
    char bytes[SharedTextSize + 1] = {};
    AnsiString Read(size_t limit = SharedTextSize) const
    {
        const size_t n = strnlen(bytes, std::min(limit, SharedTextSize));
        return AnsiString(bytes, n);
    }
};

// The text padded with eight zero bytes, so that every position a call reads
// exists.
AnsiString Padded(const AnsiString& text)
{
    return text + AnsiString(8, '\0');
}

unsigned char* Bytes(AnsiString& text)
{
    return reinterpret_cast<unsigned char*>(text.data());
}

int CharCode(const AnsiString& text, size_t k)
{
    return static_cast<unsigned char>(text[k]);
}

// What one call works with: the bound entry points, the device's number and
// its low byte, the parameter bytes and the text.
struct CallContext {
    void* const* entries;
    int device;
    int d;
    unsigned char* args;
    AnsiString& text;

    template <typename Function> Function At(Entry e) const { return reinterpret_cast<Function>(entries[e]); }
};

// The calls that do more than one plain call of one entry point.
int ErrorSpecs(CallContext& c)
{
    SharedText error, debug;
    c.At<Text>(RecentError)(error.bytes);
    const int result = c.At<Text>(DebugString)(debug.bytes);
    c.text = error.Read() + "|" + debug.Read();
    return result;
}

int LibrarySpecs(CallContext& c)
{
    SharedText about, notice, version;
    c.At<Text>(About)(about.bytes);
    c.At<Text>(Copyright)(notice.bytes);
    const int number = c.At<Text>(Version)(version.bytes);
    c.text = about.Read(82) + "|" + notice.Read(64) + "|" + version.Read(12) + "|" + std::to_string(number);
    return number;
}

int DeviceSpecs(CallContext& c)
{
    const int did = c.At<Dev>(DeviceDID)(c.d);
    const int pid = c.At<Dev>(DevicePID)(c.d);
    const int vid = c.At<Dev>(DeviceVID)(c.d);
    SharedText mfr, prod, ser;
    c.At<DevText>(DeviceMfr)(c.d, mfr.bytes);
    c.At<DevText>(DeviceProd)(c.d, prod.bytes);
    const int result = c.At<DevText>(DeviceSer)(c.d, ser.bytes);
    const int firmware = c.At<Dev>(DeviceFirmwareVer)(c.d);
    c.text = std::to_string(did) + "|" + std::to_string(pid) + "|" + std::to_string(vid) + "|" + mfr.Read() + "|"
        + prod.Read() + "|" + ser.Read() + "|" + std::to_string(firmware);
    return result;
}

// A count of bytes in args[0] and a reply of at most 6 bytes in the text.
int CountedReply(CallContext& c, Entry e)
{
    AnsiString data = Padded(c.text);
    const int result = c.At<DevCountData>(e)(c.d, &c.args[0], Bytes(data));
    data.resize(std::min<size_t>(c.args[0], 6));
    c.text = data;
    return result;
}

int SpiSlaveReadCall(CallContext& c)
{
    return CountedReply(c, SPISlaveRead);
}

int StrobeReadsCall(CallContext& c)
{
    c.args[0] = static_cast<unsigned char>(std::clamp<int>(c.args[0], 1, 6));
    return CountedReply(c, StrobeReads);
}

int DeviceCommand(CallContext& c)
{
    AnsiString block = Padded(c.text).substr(0, 8);
    int result = 0;
    if (c.At<DevBytes>(WriteDevice)(c.d, Bytes(block)) != 0) result = c.At<DevBytes>(ReadDevice)(c.d, Bytes(block));
    c.text = block;
    return result;
}

int SpiMasterCall(CallContext& c)
{
    size_t count = std::min<size_t>(c.text.size(), 6);
    AnsiString block = Padded(c.text).substr(0, 8);
    if (count == 0) {
        count = 1;
        block[0] = '\0';
    }
    c.args[0] = static_cast<unsigned char>(count);
    const int result = c.At<DevCountData>(SPIMaster)(c.d, &c.args[0], Bytes(block));
    block.resize(std::min<size_t>(c.args[0], 6));
    c.text = block;
    return result;
}

int SpiSlaveWriteCall(CallContext& c)
{
    AnsiString data = Padded(c.text);
    c.args[0] = 0;
    return c.At<DevIntData>(SPISlaveWrite)(c.d, 0, Bytes(data));
}

int StrobeWritesCall(CallContext& c)
{
    size_t count = std::min<size_t>(c.text.size(), 6);
    AnsiString data = Padded(c.text);
    if (count == 0) {
        count = 1;
        data = AnsiString(8, '\0');
    }
    c.args[0] = static_cast<unsigned char>(count);
    return c.At<DevCountData>(StrobeWrites)(c.d, &c.args[0], Bytes(data));
}

int StepperCall(CallContext& c)
{
    const AnsiString p = Padded(c.text);
    return c.At<DevStepper>(Stepper)(c.d, CharCode(p, 0), CharCode(p, 1), CharCode(p, 2), CharCode(p, 3),
        CharCode(p, 4), CharCode(p, 5), CharCode(p, 6));
}

// Fewer than 4 bytes: one strobe; more: the two-strobe entry point.
int StrobeWriteCall(CallContext& c)
{
    const AnsiString p = Padded(c.text);
    if (c.text.size() < 4) {
        if (!c.entries[StrobeWrite]) return 0;
        return c.At<DevStrobeWrite>(StrobeWrite)(c.d, CharCode(p, 0), CharCode(p, 1), CharCode(p, 2));
    }
    if (!c.entries[StrobeWrite2]) return 0;
    return c.At<DevStrobeWrite2>(StrobeWrite2)(
        c.d, CharCode(p, 0), CharCode(p, 1), CharCode(p, 2), CharCode(p, 3), CharCode(p, 4));
}

// Fewer than 3 bytes: one strobe; more: the two-strobe entry point.
int StrobeReadCall(CallContext& c)
{
    const AnsiString p = Padded(c.text);
    if (c.text.size() < 3) {
        if (!c.entries[StrobeRead]) return 0;
        c.args[0] = 0;
        c.At<DevStrobeRead>(StrobeRead)(c.d, &c.args[0], CharCode(p, 0), CharCode(p, 1));
        return c.args[0];
    }
    if (!c.entries[StrobeRead2]) return 0;
    c.args[0] = 0;
    c.At<DevStrobeRead2>(StrobeRead2)(c.d, &c.args[0], CharCode(p, 0), CharCode(p, 1), CharCode(p, 2), CharCode(p, 3));
    return c.args[0];
}

// How an operation calls its entry point.
enum class Shape {
    NoArguments, // () -> answer
    Device, // (device) -> answer
    Timeout, // (the device number's low 16 bits) -> answer
    DeviceBytes, // (device, args) -> answer
    DeviceValue, // (device, args[0]) -> answer
    DeviceTwoValues, // (device, args[0], args[1]) -> answer
    ReadByte, // (device, args) with args[0] cleared -> args[0]
    ResetWire, // (device, args) -> args[1]
    ReadWire, // (device, args) with args[0] cleared -> args[1]
    Special, // a call of its own, given as `special`
};

struct Operation {
    QelmOperation operation;
    Shape shape;
    Entry entry; // the entry point of the plain shapes
    int (*special)(CallContext&) = nullptr;
    // The entry points that must all be bound besides `entry`, as bits; a
    // special call that chooses between two entry points checks them itself.
    uint64_t alsoNeeds = 0;
};

constexpr uint64_t Needs(std::initializer_list<Entry> list)
{
    uint64_t bits = 0;
    for (Entry e : list)
        bits |= uint64_t { 1 } << e;
    return bits;
}
static_assert(EntryCount <= 64, "the needed entry points are bits of one word");

// One row per operation, in the order of QelmOperation.
const Operation operations[] = {
    { QelmOperation::ErrorSpecs, Shape::Special, RecentError, ErrorSpecs, Needs({ DebugString }) },
    { QelmOperation::LibrarySpecs, Shape::Special, About, LibrarySpecs, Needs({ Copyright, Version }) },
    { QelmOperation::DeviceSpecs, Shape::Special, DeviceDID, DeviceSpecs,
        Needs({ DevicePID, DeviceVID, DeviceMfr, DeviceProd, DeviceSer, DeviceFirmwareVer }) },
    { QelmOperation::FindDevices, Shape::NoArguments, FindDevices },
    { QelmOperation::NumberOfDevices, Shape::NoArguments, NumberOfDevices },
    { QelmOperation::ClearRecentError, Shape::NoArguments, ClearRecentError },
    { QelmOperation::DeviceValid, Shape::Device, DeviceValid },
    { QelmOperation::CloseDevice, Shape::Device, CloseDevice },
    { QelmOperation::SetReadTimeout, Shape::Timeout, SetReadTimeout },
    { QelmOperation::ReadDevice, Shape::DeviceBytes, ReadDevice },
    { QelmOperation::WriteDevice, Shape::DeviceBytes, WriteDevice },
    { QelmOperation::InitPorts, Shape::Device, InitPorts },
    { QelmOperation::WriteA, Shape::DeviceValue, WriteA },
    { QelmOperation::WriteB, Shape::DeviceValue, WriteB },
    { QelmOperation::ReadA, Shape::ReadByte, ReadA },
    { QelmOperation::ReadB, Shape::ReadByte, ReadB },
    { QelmOperation::WriteABit, Shape::DeviceTwoValues, WriteABit },
    { QelmOperation::WriteBBit, Shape::DeviceTwoValues, WriteBBit },
    { QelmOperation::SetBit, Shape::DeviceValue, SetBit },
    { QelmOperation::ResetBit, Shape::DeviceValue, ResetBit },
    { QelmOperation::DirectionA, Shape::DeviceTwoValues, DirectionA },
    { QelmOperation::DirectionB, Shape::DeviceTwoValues, DirectionB },
    { QelmOperation::Write1WireBit, Shape::DeviceValue, Write1WireBit },
    { QelmOperation::Write1Wire, Shape::DeviceValue, Write1Wire },
    { QelmOperation::Reset1Wire, Shape::ResetWire, Reset1Wire },
    { QelmOperation::LcdData, Shape::DeviceValue, LCDData },
    { QelmOperation::LcdCommand, Shape::DeviceValue, LCDCmd },
    { QelmOperation::Read1Wire, Shape::ReadWire, Read1Wire },
    { QelmOperation::Read1WireBit, Shape::ReadWire, Read1WireBit },
    { QelmOperation::InitLcd, Shape::DeviceTwoValues, InitLCD },
    { QelmOperation::InitSpi, Shape::DeviceValue, InitSPI },
    { QelmOperation::SpiSlaveRead, Shape::Special, SPISlaveRead, SpiSlaveReadCall },
    { QelmOperation::StrobeReads, Shape::Special, StrobeReads, StrobeReadsCall },
    { QelmOperation::DeviceCommand, Shape::Special, WriteDevice, DeviceCommand, Needs({ ReadDevice }) },
    { QelmOperation::SpiMaster, Shape::Special, SPIMaster, SpiMasterCall },
    { QelmOperation::SpiSlaveWrite, Shape::Special, SPISlaveWrite, SpiSlaveWriteCall },
    { QelmOperation::StrobeWrites, Shape::Special, StrobeWrites, StrobeWritesCall },
    { QelmOperation::Stepper, Shape::Special, Stepper, StepperCall },
    { QelmOperation::StrobeWrite, Shape::Special, EntryCount, StrobeWriteCall },
    { QelmOperation::StrobeRead, Shape::Special, EntryCount, StrobeReadCall },
};
static_assert(std::size(operations) == static_cast<size_t>(QelmOperation::Count), "one row per operation");

int Run(const Operation& row, CallContext& c)
{
    switch (row.shape) {
    case Shape::NoArguments:
        return c.At<NoArgs>(row.entry)();
    case Shape::Device:
        return c.At<Dev>(row.entry)(c.d);
    case Shape::Timeout:
        return c.At<Dev>(row.entry)(c.device & 0xFFFF);
    case Shape::DeviceBytes:
        return c.At<DevBytes>(row.entry)(c.d, c.args);
    case Shape::DeviceValue:
        return c.At<DevInt>(row.entry)(c.d, c.args[0]);
    case Shape::DeviceTwoValues:
        return c.At<DevIntInt>(row.entry)(c.d, c.args[0], c.args[1]);
    case Shape::ReadByte:
        c.args[0] = 0;
        c.At<DevBytes>(row.entry)(c.d, c.args);
        return c.args[0];
    case Shape::ResetWire:
        c.At<DevBytes>(row.entry)(c.d, c.args);
        return c.args[1];
    case Shape::ReadWire:
        c.args[0] = 0;
        c.At<DevBytes>(row.entry)(c.d, c.args);
        return c.args[1];
    case Shape::Special:
        return row.special(c);
    }
    return 0;
}

} // namespace

void QelmBridge::Load(const std::string& folder)
{
    if (library) return;
    const std::string path = folder + "/libqelm.so";
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return;
    for (int k = 0; k < EntryCount; ++k)
        entries[k] = dlsym(library, entryNames[k]);
}

void QelmBridge::Unload()
{
    if (library) dlclose(library);
    library = nullptr;
    pendingFolder.clear();
    std::fill(std::begin(entries), std::end(entries), nullptr);
}

void QelmBridge::LoadPending()
{
    if (pendingFolder.empty()) return;
    // Tried once, found or not.
    const std::string folder = std::move(pendingFolder);
    pendingFolder.clear();
    Load(folder);
}

std::string QelmBridge::HidLibraryVersion()
{
    LoadPending();
    if (!library) return {};
    // The HID library is the board library's own dependency: looked up
    // through the board library's handle, it is the copy the boards use.
    using VersionText = const char* (*)();
    const auto version = reinterpret_cast<VersionText>(dlsym(library, "hid_version_str"));
    const char* text = version ? version() : nullptr;
    return text ? std::string(text) : std::string();
}

int QelmBridge::DeviceCall(QelmOperation operation, int device, unsigned char args[8], AnsiString& text)
{
    LoadPending();
    const auto index = static_cast<size_t>(operation);
    if (!library || index >= std::size(operations)) return 0;
    const Operation& row = operations[index];
    if (row.entry != EntryCount && !entries[row.entry]) return 0;
    for (int e = 0; e < EntryCount; ++e)
        if ((row.alsoNeeds >> e & 1) && !entries[e]) return 0;
    CallContext context { entries, device, device & 0xFF, args, text };
    return Run(row, context);
}

QelmBridge& Qelm()
{
    static QelmBridge bridge;
    return bridge;
}

} // namespace devices
