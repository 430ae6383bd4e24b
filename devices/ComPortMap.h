#pragma once

#include "devices/PortBase.h"

#include <string>
#include <vector>

// Which device file each COM number names on this machine.
//
// QUORVATINE_COM<n>=<path> entries, when any is set, are the whole map (tests
// use them, and users who want fixed /dev/serial/by-id/... paths). Otherwise
// the present serial ports are numbered in order from COM1: the ttyS ports
// whose UART type is not 0, then ttyACM, ttyUSB and any other tty with a
// device behind it, by name and number. Consoles, virtual consoles and
// pseudo-terminals are never listed.
struct ComPortEntry {
    int number = 0;
    std::string path;
};

// The map in ascending COM number.
std::vector<ComPortEntry> ComPortMap();
// Its two sources, apart for tests: the environment entries (KEY=VALUE texts),
// and a scan of a sysfs tty class folder with the active consoles excluded.
std::vector<ComPortEntry> ComPortMapFromEnvironment(const std::vector<std::string>& environment);
std::vector<ComPortEntry> ComPortMapFromSysfs(const std::string& ttyClassFolder, const std::string& deviceFolder);
// The device path of COM n, empty when n is not mapped.
std::string ComPortPath(int number);

// The port list of the serial component: "COM" + number, ascending by
// number, a number given twice listed once.
void GetPortList(std::vector<DeviceListEntry>& list);
// The same ordering rule, for an entry at a time.
void AddPortInOrder(std::vector<DeviceListEntry>& list, const DeviceListEntry& entry);
