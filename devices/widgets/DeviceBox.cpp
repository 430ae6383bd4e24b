#include "devices/widgets/DeviceBox.h"

#include "platform/AnsiText.h"

#include <QThread>

TqzDeviceBox::TqzDeviceBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    model.OnItemsChanged = [this] {
        // A component may change its device on one of its own threads.
        if (QThread::currentThread() == thread())
            Fill();
        else
            QMetaObject::invokeMethod(
                this, [this] { Fill(); }, Qt::QueuedConnection);
    };
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!filling) model.Choose(index);
    });
}

void TqzDeviceBox::Fill()
{
    filling = true;
    clear();
    for (const DeviceListEntry& entry : model.Items())
        addItem(platform::toQString(entry.name), entry.number);
    setCurrentIndex(model.ItemIndex());
    filling = false;
}
