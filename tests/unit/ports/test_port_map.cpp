#include "devices/ComPortMap.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string Describe(const std::vector<ComPortEntry>& map)
{
    std::string text;
    for (const ComPortEntry& entry : map)
        text += "COM" + std::to_string(entry.number) + "=" + entry.path + " ";
    return text;
}

TEST(ComPortMap, EnvironmentEntriesAreTheWholeMap)
{
    const std::vector<std::string> environment
        = { "PATH=/bin", "QUORVATINE_COM10=/dev/c", "QUORVATINE_COM3=/dev/b", "QUORVATINE_COM1=/dev/a",
              "QUORVATINE_COM=/dev/x", "QUORVATINE_COMX=/dev/y", "QUORVATINE_COM0=/dev/z", "QUORVATINE_COM4=" };
    EXPECT_EQ(Describe(ComPortMapFromEnvironment(environment)), "COM1=/dev/a COM3=/dev/b COM10=/dev/c ");
}

TEST(ComPortMap, SysfsScanListsRealPortsOnly)
{
    QTemporaryDir root;
    namespace fs = std::filesystem;
    const fs::path tty = root.filePath("tty").toStdString();
    auto add = [&](const std::string& name, const char* type, bool device) {
        fs::create_directories(tty / name);
        if (type) std::ofstream(tty / name / "type") << type << "\n";
        if (device) fs::create_directories(tty / name / "device");
    };
    add("ttyS0", "4", true); // the console
    add("ttyS1", "4", true);
    add("ttyS10", "4", true);
    add("ttyS2", "0", true); // no UART behind it
    add("ttyUSB0", nullptr, true);
    add("ttyACM1", nullptr, true);
    add("ttyACM0", nullptr, true);
    add("tty1", nullptr, false);
    add("tty", nullptr, false);
    add("console", nullptr, false);
    add("ptmx", nullptr, false);
    add("ttyAMA0", nullptr, true);
    add("ttyGS0", nullptr, false); // nothing behind it
    fs::create_directories(tty / "console");
    std::ofstream(tty / "console" / "active") << "tty0 ttyS0\n";
    EXPECT_EQ(Describe(ComPortMapFromSysfs(tty.string(), "/dev")),
        "COM1=/dev/ttyS1 COM2=/dev/ttyS10 COM3=/dev/ttyACM0 COM4=/dev/ttyACM1 COM5=/dev/ttyUSB0 COM6=/dev/ttyAMA0 ");
}

TEST(ComPortMap, PortListKeepsAscendingNumbers)
{
    std::vector<DeviceListEntry> list;
    for (int number : { 3, 1, 10, 10 })
        AddPortInOrder(list, { "COM" + std::to_string(number), number });
    std::string names;
    for (const DeviceListEntry& entry : list)
        names += entry.name + " ";
    EXPECT_EQ(names, "COM1 COM3 COM10 ");
}

} // namespace
