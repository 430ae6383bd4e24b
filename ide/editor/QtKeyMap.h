#pragma once

#include <Qt>

// The editor's key code (EditorKeys.h) of a Qt key, or 0 for a key the editor
// does not know.
int VirtualKeyOf(int qtKey);
// The editor's shift-state bits of Qt modifiers.
int ShiftStateOf(Qt::KeyboardModifiers modifiers);
// The digit key under a shifted symbol of the US layout (Shift+1 gives '!'),
// so that Ctrl+Shift+digit reaches the bookmark keys; -1 for other keys.
int DigitOfShiftedKey(int qtKey);
