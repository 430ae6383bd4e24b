#pragma once

#include "devices/DeviceBoxModel.h"

#include <QComboBox>

// The device list box: a drop-down list of a device component's devices
// ("COM1", "LPT2"), kept in step with the component by its model. Choosing an
// item sets the component's device index.
class TqzDeviceBox : public QComboBox {
public:
    explicit TqzDeviceBox(QWidget* parent = nullptr);

    TqzBaseIO* qzComm() const { return model.qzComm(); }
    void SetqzComm(TqzBaseIO* component) { model.SetqzComm(component); }
    bool ResetOnChanged() const { return model.ResetOnChanged; }
    void SetResetOnChanged(bool on) { model.ResetOnChanged = on; }
    const TqzDeviceBoxModel& Model() const { return model; }

private:
    TqzDeviceBoxModel model;
    bool filling = false;
    void Fill();
};
