#include "devices/ComPortMap.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

extern char** environ;

namespace {

constexpr const char* EnvironmentPrefix = "QUORVATINE_COM";

std::string ReadFirstLine(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The names of the active consoles ("ttyS0" ...): they belong to the kernel.
std::set<std::string> ActiveConsoles(const std::filesystem::path& ttyClass)
{
    std::set<std::string> names;
    std::istringstream words(ReadFirstLine(ttyClass / "console" / "active"));
    std::string word;
    while (words >> word)
        names.insert(word);
    return names;
}

// "ttyUSB12" splits into "ttyUSB" and 12; a name without digits has -1.
std::pair<std::string, long> SplitName(const std::string& name)
{
    size_t end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1])))
        --end;
    if (end == name.size() || name.size() - end > 9) return { name, -1 };
    return { name.substr(0, end), std::strtol(name.c_str() + end, nullptr, 10) };
}

// The group a tty falls in, in listing order; -1 for ttys never listed.
int GroupOf(const std::string& stem, bool hasDevice, const std::filesystem::path& folder)
{
    if (stem == "ttyS") {
        const std::string type = ReadFirstLine(folder / "type");
        return !type.empty() && type != "0" ? 0 : -1;
    }
    if (stem == "ttyACM") return 1;
    if (stem == "ttyUSB") return 2;
    if (stem == "tty" || stem == "console" || stem == "ptmx" || stem.rfind("pty", 0) == 0) return -1;
    return hasDevice ? 3 : -1;
}

} // namespace

std::vector<ComPortEntry> ComPortMapFromEnvironment(const std::vector<std::string>& environment)
{
    std::vector<ComPortEntry> map;
    const size_t prefixLength = std::char_traits<char>::length(EnvironmentPrefix);
    for (const std::string& entry : environment) {
        if (entry.compare(0, prefixLength, EnvironmentPrefix) != 0) continue;
        const size_t equals = entry.find('=');
        if (equals == std::string::npos || equals == prefixLength) continue;
        const std::string digits = entry.substr(prefixLength, equals - prefixLength);
        if (digits.size() > 5
            || !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
            continue;
        const int number = std::atoi(digits.c_str());
        const std::string path = entry.substr(equals + 1);
        if (number < 1 || path.empty()) continue;
        map.push_back({ number, path });
    }
    std::sort(map.begin(), map.end(), [](const ComPortEntry& a, const ComPortEntry& b) { return a.number < b.number; });
    map.erase(std::unique(map.begin(), map.end(),
                  [](const ComPortEntry& a, const ComPortEntry& b) { return a.number == b.number; }),
        map.end());
    return map;
}

std::vector<ComPortEntry> ComPortMapFromSysfs(const std::string& ttyClassFolder, const std::string& deviceFolder)
{
    namespace fs = std::filesystem;
    struct Found {
        int group;
        std::string stem;
        long number;
        std::string name;
    };
    std::vector<Found> found;
    const std::set<std::string> consoles = ActiveConsoles(ttyClassFolder);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(ttyClassFolder, error)) {
        const std::string name = entry.path().filename().string();
        if (consoles.count(name)) continue;
        const auto [stem, number] = SplitName(name);
        const bool hasDevice = fs::exists(entry.path() / "device", error);
        const int group = GroupOf(stem, hasDevice, entry.path());
        if (group < 0) continue;
        found.push_back({ group, stem, number, name });
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.group != b.group) return a.group < b.group;
        if (a.stem != b.stem) return a.stem < b.stem;
        return a.number < b.number;
    });
    std::vector<ComPortEntry> map;
    for (const Found& f : found)
        map.push_back({ static_cast<int>(map.size()) + 1, deviceFolder + "/" + f.name });
    return map;
}

std::vector<ComPortEntry> ComPortMap()
{
    std::vector<std::string> environment;
    for (char** entry = environ; entry && *entry; ++entry)
        environment.emplace_back(*entry);
    std::vector<ComPortEntry> map = ComPortMapFromEnvironment(environment);
    if (!map.empty()) return map;
    return ComPortMapFromSysfs("/sys/class/tty", "/dev");
}

std::string ComPortPath(int number)
{
    for (const ComPortEntry& entry : ComPortMap())
        if (entry.number == number) return entry.path;
    return {};
}

void AddPortInOrder(std::vector<DeviceListEntry>& list, const DeviceListEntry& entry)
{
    if (!list.empty() && list.back().number == entry.number) return;
    auto larger = std::find_if(
        list.begin(), list.end(), [&](const DeviceListEntry& existing) { return existing.number > entry.number; });
    list.insert(larger, entry);
}

void GetPortList(std::vector<DeviceListEntry>& list)
{
    list.clear();
    for (const ComPortEntry& entry : ComPortMap())
        AddPortInOrder(list, { "COM" + std::to_string(entry.number), entry.number });
}
