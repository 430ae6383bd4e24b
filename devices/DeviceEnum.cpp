#include "devices/DeviceEnum.h"

#include "devices/ComPortMap.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

struct DeviceInfoEntry {
    AnsiString service;
    AnsiString keyName;
    AnsiString friendlyName;
    AnsiString description;
};

struct DeviceInfoList {
    std::vector<DeviceInfoEntry> entries;
};

namespace {

namespace fs = std::filesystem;

// "parport12" gives 12; -1 without a number.
long TrailingNumber(const std::string& name)
{
    size_t start = name.size();
    while (start > 0 && std::isdigit(static_cast<unsigned char>(name[start - 1])))
        --start;
    if (start == name.size() || name.size() - start > 6) return -1;
    return std::stol(name.substr(start));
}

std::vector<fs::path> SortedEntries(const fs::path& folder)
{
    std::vector<fs::path> paths;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    return paths;
}

void AddParallelPorts(const fs::path& root, DeviceInfoList& list)
{
    for (const fs::path& path : SortedEntries(root / "sys/class/parport")) {
        const std::string name = path.filename().string();
        const long number = TrailingNumber(name);
        if (name.rfind("parport", 0) != 0 || number < 0) continue;
        list.entries.push_back({ "parport", path.string(), "LPT" + std::to_string(number + 1), name });
    }
}

void AddSerialPorts(const fs::path& root, DeviceInfoList& list)
{
    const fs::path ttyClass = root / "sys/class/tty";
    for (const ComPortEntry& entry : ComPortMapFromSysfs(ttyClass.string(), "/dev")) {
        const std::string name = fs::path(entry.path).filename().string();
        list.entries.push_back({ "tty", (ttyClass / name).string(), "COM" + std::to_string(entry.number), name });
    }
}

std::mutex tableLock;
std::map<AnsiString, uint16_t>& Table()
{
    static std::map<AnsiString, uint16_t> table;
    return table;
}

} // namespace

DeviceInfoList* EnumDevicesOpen(const AnsiString& classId, const AnsiString& root)
{
    auto list = std::make_unique<DeviceInfoList>();
    if (classId == PortsClassId) {
        const fs::path base = root.empty() ? fs::path("/") : fs::path(root);
        AddSerialPorts(base, *list);
        AddParallelPorts(base, *list);
    }
    return list.release();
}

bool EnumDevicesNext(DeviceInfoList* list, int index, AnsiString& service, AnsiString& keyName,
    AnsiString& friendlyName, AnsiString& description)
{
    if (list == nullptr || index < 0 || static_cast<size_t>(index) >= list->entries.size()) return false;
    const DeviceInfoEntry& entry = list->entries[static_cast<size_t>(index)];
    service = entry.service;
    keyName = entry.keyName;
    friendlyName = entry.friendlyName;
    description = entry.description;
    return true;
}

void EnumDevicesClose(DeviceInfoList* list)
{
    delete list;
}

std::optional<uint16_t> ParallelPortBase(const AnsiString& root, const AnsiString& kernelName)
{
    const fs::path base = root.empty() ? fs::path("/") : fs::path(root);
    std::ifstream in(base / "proc/sys/dev/parport" / kernelName / "base-addr");
    unsigned long value = 0;
    // The file holds the base and the extended base; the first is the port's.
    if (!(in >> value) || value == 0 || value > 0xFFFF) return std::nullopt;
    return static_cast<uint16_t>(value);
}

void SetLptBase(const AnsiString& name, uint16_t base)
{
    std::lock_guard<std::mutex> guard(tableLock);
    Table()[name] = base;
}

std::optional<uint16_t> FindLptBase(const AnsiString& name)
{
    std::lock_guard<std::mutex> guard(tableLock);
    const auto found = Table().find(name);
    if (found == Table().end()) return std::nullopt;
    return found->second;
}
