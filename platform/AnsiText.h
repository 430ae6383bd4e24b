#pragma once

#include "base/Values.h"

#include <QString>
#include <QStringList>

// Texts cross into widgets and back only through these two functions, which use
// Windows-1252. Every byte maps to one character and back to the same byte; the
// five bytes that Windows-1252 leaves undefined map to the control characters of
// the same value, as the system's own conversion does.
namespace platform {

QString toQString(const AnsiString& text);

// The lines of a text separated by CR LF (a bare LF also ends a line); a final
// line break adds no empty line.
QStringList linesOf(const AnsiString& text);

// Characters that Windows-1252 cannot represent become '?'.
AnsiString fromQString(const QString& text);

// The byte of one character; false when Windows-1252 has none for it.
bool characterToByte(char32_t character, char& byte);

// The character of one byte.
char32_t byteToCharacter(unsigned char byte);

} // namespace platform
