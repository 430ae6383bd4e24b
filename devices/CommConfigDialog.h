#pragma once

#include "base/Values.h"
#include "devices/CommConfigRecord.h"

// The dialog of the line settings lives with the windows; the serial
// component reaches it through this hook, which the window parts set. It
// edits `line` in place and answers whether the user accepted. With no hook
// (a headless run) ConfigDialog changes nothing and answers false.
using CommConfigEditor = bool (*)(LineProperties& line, const AnsiString& portName);
void SetCommConfigEditor(CommConfigEditor editor);
CommConfigEditor GetCommConfigEditor();
