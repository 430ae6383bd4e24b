#pragma once

#include "base/DArray.h"
#include "base/Values.h"

class QObject;

// The slots of one family of run-time controls: the control of each slot (null
// when empty) and the name the program gave it (empty when empty). Both arrays
// start with 10 empty slots and grow together.
struct ControlSlots {
    DArray<QObject*> controls;
    DArray<AnsiString> names;

    // The first empty slot, the arrays grown when every slot is used.
    int FreeSlot();
    // Puts a new control into an empty slot.
    void Place(int slot, QObject* control, const AnsiString& name);

    // Destroys every control and empties its slot; the names stay.
    void DestroyControls();
};
