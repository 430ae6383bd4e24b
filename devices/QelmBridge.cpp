#include "devices/QelmBridge.h"

#include <dlfcn.h>

#include <algorithm>
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

int QelmBridge::DeviceCall(int code, int device, unsigned char args[8], AnsiString& text)
{
    LoadPending();
    if (!library) return 0;
    const int d = device & 0xFF;
    // The entry point of each code, or null: the caller gets 0 and nothing changes.
    auto entry = [&](Entry e) { return entries[e]; };
    auto needs = [&](std::initializer_list<Entry> list) {
        for (Entry e : list)
            if (!entries[e]) return false;
        return true;
    };
    auto call = [&](Entry e) { return reinterpret_cast<Dev>(entry(e)); };

    switch (code) {
    case 5801: {
        if (!needs({ RecentError, DebugString })) return 0;
        SharedText error, debug;
        reinterpret_cast<Text>(entry(RecentError))(error.bytes);
        const int result = reinterpret_cast<Text>(entry(DebugString))(debug.bytes);
        text = error.Read() + "|" + debug.Read();
        return result;
    }
    case 5802: {
        if (!needs({ About, Copyright, Version })) return 0;
        SharedText about, notice, version;
        reinterpret_cast<Text>(entry(About))(about.bytes);
        reinterpret_cast<Text>(entry(Copyright))(notice.bytes);
        const int number = reinterpret_cast<Text>(entry(Version))(version.bytes);
        text = about.Read(82) + "|" + notice.Read(64) + "|" + version.Read(12) + "|" + std::to_string(number);
        return number;
    }
    case 5803: {
        if (!needs({ DeviceDID, DevicePID, DeviceVID, DeviceMfr, DeviceProd, DeviceSer, DeviceFirmwareVer })) return 0;
        const int did = call(DeviceDID)(d);
        const int pid = call(DevicePID)(d);
        const int vid = call(DeviceVID)(d);
        SharedText mfr, prod, ser;
        reinterpret_cast<DevText>(entry(DeviceMfr))(d, mfr.bytes);
        reinterpret_cast<DevText>(entry(DeviceProd))(d, prod.bytes);
        const int result = reinterpret_cast<DevText>(entry(DeviceSer))(d, ser.bytes);
        const int firmware = call(DeviceFirmwareVer)(d);
        text = std::to_string(did) + "|" + std::to_string(pid) + "|" + std::to_string(vid) + "|" + mfr.Read() + "|"
            + prod.Read() + "|" + ser.Read() + "|" + std::to_string(firmware);
        return result;
    }
    case 5804:
        return needs({ FindDevices }) ? reinterpret_cast<NoArgs>(entry(FindDevices))() : 0;
    case 5805:
        return needs({ NumberOfDevices }) ? reinterpret_cast<NoArgs>(entry(NumberOfDevices))() : 0;
    case 5806:
        return needs({ ClearRecentError }) ? reinterpret_cast<NoArgs>(entry(ClearRecentError))() : 0;
    case 5807:
        return needs({ DeviceValid }) ? call(DeviceValid)(d) : 0;
    case 5808:
        return needs({ CloseDevice }) ? call(CloseDevice)(d) : 0;
    case 5809:
        return needs({ SetReadTimeout }) ? call(SetReadTimeout)(device & 0xFFFF) : 0;
    case 5810:
        return needs({ ReadDevice }) ? reinterpret_cast<DevBytes>(entry(ReadDevice))(d, args) : 0;
    case 5811:
        return needs({ WriteDevice }) ? reinterpret_cast<DevBytes>(entry(WriteDevice))(d, args) : 0;
    case 5812:
        return needs({ InitPorts }) ? call(InitPorts)(d) : 0;
    case 5813:
    case 5814: {
        const Entry e = code == 5813 ? WriteA : WriteB;
        return needs({ e }) ? reinterpret_cast<DevInt>(entry(e))(d, args[0]) : 0;
    }
    case 5815:
    case 5816: {
        const Entry e = code == 5815 ? ReadA : ReadB;
        if (!needs({ e })) return 0;
        args[0] = 0;
        reinterpret_cast<DevBytes>(entry(e))(d, args);
        return args[0];
    }
    case 5817:
    case 5818:
    case 5821:
    case 5822:
    case 5830: {
        const Entry e = code == 5817 ? WriteABit
            : code == 5818           ? WriteBBit
            : code == 5821           ? DirectionA
            : code == 5822           ? DirectionB
                                     : InitLCD;
        return needs({ e }) ? reinterpret_cast<DevIntInt>(entry(e))(d, args[0], args[1]) : 0;
    }
    case 5819:
    case 5820:
    case 5823:
    case 5824:
    case 5826:
    case 5827:
    case 5831: {
        const Entry e = code == 5819 ? SetBit
            : code == 5820           ? ResetBit
            : code == 5823           ? Write1WireBit
            : code == 5824           ? Write1Wire
            : code == 5826           ? LCDData
            : code == 5827           ? LCDCmd
                                     : InitSPI;
        return needs({ e }) ? reinterpret_cast<DevInt>(entry(e))(d, args[0]) : 0;
    }
    case 5825:
    case 5828:
    case 5829: {
        const Entry e = code == 5825 ? Reset1Wire : code == 5828 ? Read1Wire : Read1WireBit;
        if (!needs({ e })) return 0;
        if (code != 5825) args[0] = 0;
        reinterpret_cast<DevBytes>(entry(e))(d, args);
        return args[1];
    }
    case 5832: {
        if (!needs({ SPISlaveRead })) return 0;
        AnsiString data = Padded(text);
        const int result = reinterpret_cast<DevCountData>(entry(SPISlaveRead))(d, &args[0], Bytes(data));
        data.resize(std::min<size_t>(args[0], 6));
        text = data;
        return result;
    }
    case 5833: {
        if (!needs({ StrobeReads })) return 0;
        AnsiString data = Padded(text);
        args[0] = static_cast<unsigned char>(std::clamp<int>(args[0], 1, 6));
        const int result = reinterpret_cast<DevCountData>(entry(StrobeReads))(d, &args[0], Bytes(data));
        data.resize(std::min<size_t>(args[0], 6));
        text = data;
        return result;
    }
    case 5834: {
        if (!needs({ WriteDevice, ReadDevice })) return 0;
        AnsiString block = Padded(text).substr(0, 8);
        int result = 0;
        if (reinterpret_cast<DevBytes>(entry(WriteDevice))(d, Bytes(block)) != 0)
            result = reinterpret_cast<DevBytes>(entry(ReadDevice))(d, Bytes(block));
        text = block;
        return result;
    }
    case 5835: {
        if (!needs({ SPIMaster })) return 0;
        size_t count = std::min<size_t>(text.size(), 6);
        AnsiString block = Padded(text).substr(0, 8);
        if (count == 0) {
            count = 1;
            block[0] = '\0';
        }
        args[0] = static_cast<unsigned char>(count);
        const int result = reinterpret_cast<DevCountData>(entry(SPIMaster))(d, &args[0], Bytes(block));
        block.resize(std::min<size_t>(args[0], 6));
        text = block;
        return result;
    }
    case 5836: {
        if (!needs({ SPISlaveWrite })) return 0;
        AnsiString data = Padded(text);
        args[0] = 0;
        return reinterpret_cast<DevIntData>(entry(SPISlaveWrite))(d, 0, Bytes(data));
    }
    case 5837: {
        if (!needs({ StrobeWrites })) return 0;
        size_t count = std::min<size_t>(text.size(), 6);
        AnsiString data = Padded(text);
        if (count == 0) {
            count = 1;
            data = AnsiString(8, '\0');
        }
        args[0] = static_cast<unsigned char>(count);
        return reinterpret_cast<DevCountData>(entry(StrobeWrites))(d, &args[0], Bytes(data));
    }
    case 5838: {
        if (!needs({ Stepper })) return 0;
        const AnsiString p = Padded(text);
        return reinterpret_cast<DevStepper>(entry(Stepper))(d, CharCode(p, 0), CharCode(p, 1), CharCode(p, 2),
            CharCode(p, 3), CharCode(p, 4), CharCode(p, 5), CharCode(p, 6));
    }
    case 5839: {
        const AnsiString p = Padded(text);
        if (text.size() < 4) {
            if (!needs({ StrobeWrite })) return 0;
            return reinterpret_cast<DevStrobeWrite>(entry(StrobeWrite))(
                d, CharCode(p, 0), CharCode(p, 1), CharCode(p, 2));
        }
        if (!needs({ StrobeWrite2 })) return 0;
        return reinterpret_cast<DevStrobeWrite2>(entry(StrobeWrite2))(
            d, CharCode(p, 0), CharCode(p, 1), CharCode(p, 2), CharCode(p, 3), CharCode(p, 4));
    }
    case 5840: {
        const AnsiString p = Padded(text);
        if (text.size() < 3) {
            if (!needs({ StrobeRead })) return 0;
            args[0] = 0;
            reinterpret_cast<DevStrobeRead>(entry(StrobeRead))(d, &args[0], CharCode(p, 0), CharCode(p, 1));
            return args[0];
        }
        if (!needs({ StrobeRead2 })) return 0;
        args[0] = 0;
        reinterpret_cast<DevStrobeRead2>(entry(StrobeRead2))(
            d, &args[0], CharCode(p, 0), CharCode(p, 1), CharCode(p, 2), CharCode(p, 3));
        return args[0];
    }
    default:
        return 0;
    }
}

QelmBridge& Qelm()
{
    static QelmBridge bridge;
    return bridge;
}

} // namespace devices
