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
