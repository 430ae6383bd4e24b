#pragma once

// What a program can ask of the USB I/O board library, one value per call
// shape the built-in functions need. The built-in functions map their codes
// to these; the bridge finds each one's entry points and call shape in a table.
namespace devices {

enum class QelmOperation {
    ErrorSpecs, // the recent error and the debug string, as "error|debug"
    LibrarySpecs, // about, copyright and version texts and the version number
    DeviceSpecs, // a device's ids, maker, product, serial number and firmware
    FindDevices,
    NumberOfDevices,
    ClearRecentError,
    DeviceValid,
    CloseDevice,
    SetReadTimeout, // the device number carries the time-out
    ReadDevice,
    WriteDevice,
    InitPorts,
    WriteA,
    WriteB,
    ReadA,
    ReadB,
    WriteABit,
    WriteBBit,
    SetBit,
    ResetBit,
    DirectionA,
    DirectionB,
    Write1WireBit,
    Write1Wire,
    Reset1Wire,
    LcdData,
    LcdCommand,
    Read1Wire,
    Read1WireBit,
    InitLcd,
    InitSpi,
    SpiSlaveRead,
    StrobeReads,
    DeviceCommand, // a raw 8-byte command block and its reply
    SpiMaster,
    SpiSlaveWrite,
    StrobeWrites,
    Stepper,
    StrobeWrite, // one strobed write, or the two-strobe form for 4 or more bytes
    StrobeRead, // one strobed read, or the two-strobe form for 3 or more bytes
    Count
};

} // namespace devices
