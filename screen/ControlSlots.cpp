#include "screen/ControlSlots.h"

#include <QWidget>

void ControlSlots::DestroyControls()
{
    for (int k = 0; k < controls.capacity; ++k) {
        // Deferred: the control may be running one of its own handlers now.
        if (QObject* control = controls.items[k]) {
            if (auto* widget = qobject_cast<QWidget*>(control)) widget->hide();
            control->deleteLater();
        }
        controls.items[k] = nullptr;
    }
}

int ControlSlots::FreeSlot()
{
    for (int k = 0; k < controls.capacity; ++k)
        if (!controls.items[k]) return k;
    const int slot = controls.capacity;
    controls.EnsureIndex(slot);
    names.EnsureIndex(slot);
    return slot;
}

void ControlSlots::Place(int slot, QObject* control, const AnsiString& name)
{
    controls.items[slot] = control;
    names.items[slot] = name;
}
