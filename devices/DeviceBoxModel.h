#pragma once

#include "devices/PortBase.h"

#include <functional>
#include <vector>

// What the device list box does, apart from its widget: bound to a device
// component, it holds the component's device list and the current index,
// reloads when the component notifies 3 (device changed) or the system's
// devices change, and choosing an item sets the component's index. When the
// bound component goes, the box forgets it.
class TqzDeviceBoxModel {
public:
    TqzDeviceBoxModel() = default;
    ~TqzDeviceBoxModel();
    TqzDeviceBoxModel(const TqzDeviceBoxModel&) = delete;
    TqzDeviceBoxModel& operator=(const TqzDeviceBoxModel&) = delete;

    TqzBaseIO* qzComm() const { return device; }
    // Null unbinds.
    void SetqzComm(TqzBaseIO* component);
    const std::vector<DeviceListEntry>& Items() const { return items; }
    int ItemIndex() const { return itemIndex; }
    void Choose(int index);
    void Reload();
    bool ResetOnChanged = false;
    // Told after every reload (the widget shows the items).
    std::function<void()> OnItemsChanged;

private:
    TqzBaseIO* device = nullptr;
    std::vector<DeviceListEntry> items;
    int itemIndex = -1;
    int watchId = 0;
    void Forget();
};
