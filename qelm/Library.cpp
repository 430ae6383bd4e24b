#define QELM_BUILDING
#include "qelm/Exchange.h"
#include "qelm/HidTransport.h"
#include "qelm/qelm.h"

#include <array>
#include <cstring>
#include <memory>
#include <string>

// The library's process-wide state: the device table, the texts and the
// read time-out, and the exports that read and change them. Nothing is set up
// until the first search, so before it every value reads 0, TRUE and FALSE
// included.

namespace qelm {
namespace {

constexpr int SlotCount = 50;
constexpr int ScanLimit = 127;
constexpr int TextLimit = 99; // device strings
constexpr int MessageLimit = 199; // recent error and debug texts
constexpr uint16_t FamilyVendorId = 0x0DE7;
constexpr uint16_t FamilyProducts[] = { 0x0191, 0x01A5, 0x01AF, 0x01C3 };
constexpr int DefaultReadTimeout = 1000;

struct DeviceSlot {
    bool valid = false;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t release = 0;
    std::string manufacturer;
    std::string product;
    std::string serial;
    // One handle serves writes and timed reads.
    std::unique_ptr<HidHandle> handle;
};

struct LibraryState {
    int trueValue = 0;
    int falseValue = 0;
    int readTimeout = 0;
    std::string recentError;
    std::string debugText;
    std::array<DeviceSlot, SlotCount> slots;
    // Kept while any slot holds one of its handles.
    std::unique_ptr<HidTransport> transport;
};

LibraryState& State()
{
    static LibraryState state;
    return state;
}

int SlotNumber(int device)
{
    return device & 0xFF;
}

void CopyLimited(char* out, const std::string& text, size_t limit)
{
    const size_t n = std::min(text.size(), limit);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

std::string Cut(std::string text, size_t limit)
{
    if (text.size() > limit) text.resize(limit);
    return text;
}

void ClearSlot(DeviceSlot& slot)
{
    slot = DeviceSlot {};
}

bool IsFamilyBoard(const HidInterface& device)
{
    if (device.vendorId != FamilyVendorId) return false;
    for (uint16_t product : FamilyProducts)
        if (device.productId == product) return true;
    return false;
}

// The fixed lines of the text exports, padded with zeros to their lengths.
constexpr char NoticeLine[64] = "Qelm USB I/O library. Part of the Quorvatine project.";
constexpr char DescriptionLine[82] = "Qelm: USB I/O board library for the WexaA, WexaB, WexaC and WexaD boards";
constexpr char VersionText[12] = "Jan 19 2012";
constexpr int VersionNumber = 70;

} // namespace

int True()
{
    return State().trueValue;
}

int False()
{
    return State().falseValue;
}

bool EnterDeviceExport(const char* exportName, int device)
{
    LibraryState& s = State();
    s.recentError = " ";
    if (SlotNumber(device) >= SlotCount) {
        s.recentError = std::string(exportName) + " - The device number was too large";
        return false;
    }
    return true;
}

bool WriteRead(int device, unsigned char block[8])
{
    LibraryState& s = State();
    s.recentError = " WR ";
    if (SlotNumber(device) >= SlotCount) {
        s.recentError = "Internal Write Read Error - The device number was too large";
        return false;
    }
    unsigned char command[8];
    std::memcpy(command, block, 8);
    if (Qelm_WriteDevice(device, command) != s.trueValue || s.trueValue == 0) return false;
    if (Qelm_ReadDevice(device, block) != s.trueValue) return false;
    if (block[0] != command[0]) {
        if (Qelm_WriteDevice(device, command) != s.trueValue) return false;
        if (Qelm_ReadDevice(device, block) != s.trueValue) return false;
    }
    return block[0] == command[0];
}

} // namespace qelm

using namespace qelm;

extern "C" {

int Qelm_FindDevices(void)
{
    LibraryState& s = State();
    // Handles of an earlier search are closed before the table is cleared.
    for (DeviceSlot& slot : s.slots)
        ClearSlot(slot);
    s.transport.reset();
    s.recentError.clear();
    s.debugText.clear();
    s.readTimeout = DefaultReadTimeout;
    s.trueValue = -1;
    s.falseValue = 0;
    s.recentError = " ";

    s.debugText = "Get the system HID GUID";
    s.transport = ChooseTransport();
    std::vector<HidInterface> interfaces;
    if (!s.transport->Enumerate(interfaces)) {
        s.recentError = "Qelm_FindDevices - Could not attach to PnP node";
        s.transport.reset();
        return s.falseValue;
    }
    s.debugText = "Attached to PnP node";
    bool found = false;
    const size_t scanned = std::min(interfaces.size(), static_cast<size_t>(ScanLimit));
    for (size_t k = 0; k < scanned; ++k) {
        const HidInterface& device = interfaces[k];
        std::unique_ptr<HidHandle> handle = s.transport->Open(device);
        if (!handle) {
            s.recentError = "Qelm_FindDevices - Could not open HID device";
            continue;
        }
        if (!IsFamilyBoard(device)) continue; // the handle closes here
        s.debugText = "Found Wexa Device";
        for (DeviceSlot& slot : s.slots) {
            if (slot.valid) continue;
            s.debugText = "Open Slot";
            slot.valid = true;
            slot.vendorId = device.vendorId;
            slot.productId = device.productId;
            slot.release = device.release;
            slot.manufacturer = Cut(device.manufacturer, TextLimit);
            slot.product = Cut(device.product, TextLimit);
            slot.serial = Cut(device.serial, TextLimit);
            slot.handle = std::move(handle);
            found = true;
            break;
        }
        // A board beyond the last slot is not kept: its handle closes here.
    }
    return found ? s.trueValue : s.falseValue;
}

int Qelm_NumberOfDevices(void)
{
    LibraryState& s = State();
    s.recentError = " ";
    int count = 0;
    for (const DeviceSlot& slot : s.slots)
        count += slot.valid ? 1 : 0;
    return count;
}

int Qelm_ClearRecentError(void)
{
    State().recentError.clear();
    return State().trueValue;
}

int Qelm_SetReadTimeout(int milliseconds)
{
    State().readTimeout = milliseconds;
    return State().trueValue;
}

int Qelm_RecentError(char* text)
{
    CopyLimited(text, State().recentError, MessageLimit);
    return State().trueValue;
}

int Qelm_DebugString(char* text)
{
    CopyLimited(text, State().debugText, MessageLimit);
    return State().trueValue;
}

int Qelm_Copyright(char* text)
{
    std::memcpy(text, NoticeLine, sizeof NoticeLine);
    return State().trueValue;
}

int Qelm_About(char* text)
{
    std::memcpy(text, DescriptionLine, sizeof DescriptionLine);
    return State().trueValue;
}

int Qelm_Version(char* text)
{
    std::memcpy(text, VersionText, sizeof VersionText);
    return VersionNumber;
}

int Qelm_DeviceValid(int device)
{
    if (!EnterDeviceExport("Qelm_DeviceValid", device)) return False();
    return State().slots[SlotNumber(device)].valid ? True() : False();
}

namespace {

int SlotValue(const char* name, int device, uint16_t DeviceSlot::*field)
{
    if (!EnterDeviceExport(name, device)) return False();
    const DeviceSlot& slot = State().slots[SlotNumber(device)];
    return slot.valid ? slot.*field : False();
}

int SlotText(const char* name, int device, char* text, std::string DeviceSlot::*field)
{
    if (!EnterDeviceExport(name, device)) return False();
    const DeviceSlot& slot = State().slots[SlotNumber(device)];
    if (!slot.valid) {
        text[0] = '\0';
        return False();
    }
    CopyLimited(text, slot.*field, TextLimit);
    return True();
}

} // namespace

int Qelm_DeviceVID(int device)
{
    return SlotValue("Qelm_DeviceVID", device, &DeviceSlot::vendorId);
}

int Qelm_DevicePID(int device)
{
    return SlotValue("Qelm_DevicePID", device, &DeviceSlot::productId);
}

int Qelm_DeviceDID(int device)
{
    return SlotValue("Qelm_DeviceDID", device, &DeviceSlot::release);
}

int Qelm_DeviceFirmwareVer(int device)
{
    return SlotValue("Qelm_DeviceFirmwareVer", device, &DeviceSlot::release);
}

int Qelm_DeviceMfr(int device, char* text)
{
    return SlotText("Qelm_DeviceMfr", device, text, &DeviceSlot::manufacturer);
}

int Qelm_DeviceProd(int device, char* text)
{
    return SlotText("Qelm_DeviceProd", device, text, &DeviceSlot::product);
}

int Qelm_DeviceSer(int device, char* text)
{
    return SlotText("Qelm_DeviceSer", device, text, &DeviceSlot::serial);
}

int Qelm_CloseDevice(int device)
{
    if (!EnterDeviceExport("Qelm_CloseDevice", device)) return False();
    DeviceSlot& slot = State().slots[SlotNumber(device)];
    slot.handle.reset();
    slot.valid = false;
    slot.release = 0;
    slot.manufacturer.clear();
    slot.product.clear();
    return True();
}

int Qelm_WriteDevice(int device, const unsigned char* block8)
{
    if (!EnterDeviceExport("Qelm_WriteDevice", device)) return False();
    LibraryState& s = State();
    DeviceSlot& slot = s.slots[SlotNumber(device)];
    if (!slot.valid || !slot.handle) {
        s.recentError = "Device not valid";
        return False();
    }
    unsigned char report[9];
    report[0] = 0;
    std::memcpy(report + 1, block8, 8);
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (slot.handle->Write(report)) {
            s.debugText = "Qelm_WriteDevice - Wrote";
            return True();
        }
        s.recentError = "Qelm_WriteDevice - Device write failed, retrying";
    }
    return False();
}

int Qelm_ReadDevice(int device, unsigned char* block8)
{
    if (!EnterDeviceExport("Qelm_ReadDevice", device)) return False();
    LibraryState& s = State();
    DeviceSlot& slot = s.slots[SlotNumber(device)];
    if (!slot.valid || !slot.handle) return False();
    unsigned char data[8];
    switch (slot.handle->Read(data, s.readTimeout)) {
    case HidHandle::ReadResult::Done:
        std::memcpy(block8, data, 8);
        s.debugText = "Qelm_ReadDevice - Read";
        return True();
    case HidHandle::ReadResult::TimedOut:
        s.recentError = "Qelm_ReadDevice - Device read failed, timeout";
        return False();
    case HidHandle::ReadResult::Failed:
        break;
    }
    s.recentError = "Qelm_ReadDevice - Unknown error";
    return False();
}

int Qelm_WriteReadDevice(int device, unsigned char* b0, unsigned char* b1, unsigned char* b2, unsigned char* b3,
    unsigned char* b4, unsigned char* b5, unsigned char* b6, unsigned char* b7)
{
    if (!EnterDeviceExport("Qelm_WriteReadDevice", device)) return False();
    unsigned char* bytes[8] = { b0, b1, b2, b3, b4, b5, b6, b7 };
    unsigned char block[8];
    for (int k = 0; k < 8; ++k)
        block[k] = *bytes[k];
    if (!WriteRead(device, block)) return False();
    for (int k = 0; k < 8; ++k)
        *bytes[k] = block[k];
    return True();
}

} // extern "C"
