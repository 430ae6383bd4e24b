#pragma once

#include "interpreter/Values.h"

#include <QString>

// The editor's texts are bytes; widgets see them through Windows-1252. Bytes
// 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character there and pass through as
// the control characters of the same code.
QString FromCp1252(const AnsiString& bytes);
// Characters outside Windows-1252 become '?'.
AnsiString ToCp1252(const QString& text);
// One character; false when it has no byte in Windows-1252.
bool CharToCp1252(char32_t c, char& byte);
