#pragma once

#include "base/Values.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The present devices of a device class, read from sysfs with the shape of
// the system's device enumeration: open a list, take its entries one by one
// by index, close it. The ports class (PortsClassId) holds the serial ports
// (the ttys with a device behind them) and the parallel ports. For each
// entry:
//  - service: the kernel subsystem, "tty" or "parport";
//  - key name: the device's sysfs folder, the key under which more is read;
//  - friendly name: "COMn" by the COM map for a serial port, "LPTn" (n =
//    parport number + 1) for a parallel port;
//  - description: the kernel's name of the device ("ttyUSB0", "parport0").
// A class that is not known, or a system without sysfs, gives an empty list.
constexpr const char* PortsClassId = "4D36E978-E325-11CE-BFC1-08002BE10318";

struct DeviceInfoList;

// `root` is the file system root ("" for "/"); tests give a folder of their own.
DeviceInfoList* EnumDevicesOpen(const AnsiString& classId, const AnsiString& root = {});
bool EnumDevicesNext(DeviceInfoList* list, int index, AnsiString& service, AnsiString& keyName,
    AnsiString& friendlyName, AnsiString& description);
void EnumDevicesClose(DeviceInfoList* list);

// The I/O base of a parallel port from /proc/sys/dev/parport/<name>/base-addr
// under `root`; nothing when unknown.
std::optional<uint16_t> ParallelPortBase(const AnsiString& root, const AnsiString& kernelName);

// The process-wide table of parallel port names ("LPT1") to I/O bases, filled
// by the parallel component's device list.
void SetLptBase(const AnsiString& name, uint16_t base);
std::optional<uint16_t> FindLptBase(const AnsiString& name);
