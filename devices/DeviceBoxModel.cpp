#include "devices/DeviceBoxModel.h"

#include "devices/DeviceChangeWatch.h"

TqzDeviceBoxModel::~TqzDeviceBoxModel()
{
    SetqzComm(nullptr);
}

void TqzDeviceBoxModel::SetqzComm(TqzBaseIO* component)
{
    if (component == device) return;
    if (device) {
        device->NotifyDelete(this);
        device->RemoveFreeNotification(this);
    }
    Forget();
    device = component;
    if (device) {
        device->NotifyAdd(
            [this](TqzBaseIO&, int code) {
                if (code == PortNotify::DeviceChanged) Reload();
            },
            this);
        device->AddFreeNotification(this, [this] {
            device = nullptr;
            Forget();
        });
        watchId = DeviceChangeWatch::Subscribe([this] { Reload(); });
    }
    Reload();
}

void TqzDeviceBoxModel::Forget()
{
    if (watchId) DeviceChangeWatch::Unsubscribe(watchId);
    watchId = 0;
    items.clear();
    itemIndex = -1;
}

void TqzDeviceBoxModel::Reload()
{
    items.clear();
    itemIndex = -1;
    if (device) {
        device->GetDeviceList(items);
        itemIndex = device->GetDeviceIndex();
    }
    if (OnItemsChanged) OnItemsChanged();
}

void TqzDeviceBoxModel::Choose(int index)
{
    if (!device || index < 0 || static_cast<size_t>(index) >= items.size()) return;
    device->SetDeviceIndex(index);
    itemIndex = device->GetDeviceIndex();
}
