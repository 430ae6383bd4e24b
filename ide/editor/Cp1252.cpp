#include "ide/editor/Cp1252.h"

#include <QList>

namespace {

// Unicode code points of the bytes 0x80 to 0x9F; the rest of the code page
// equals Latin-1.
const char16_t High[32] = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
    0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

} // namespace

QString FromCp1252(const AnsiString& bytes)
{
    QString r;
    r.reserve(static_cast<qsizetype>(bytes.size()));
    for (char b : bytes) {
        const unsigned char u = static_cast<unsigned char>(b);
        r.append(QChar(u >= 0x80 && u <= 0x9F ? High[u - 0x80] : static_cast<char16_t>(u)));
    }
    return r;
}

bool CharToCp1252(char32_t c, char& byte)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<char>(c);
        return true;
    }
    for (int k = 0; k < 32; ++k) {
        if (High[k] == c) {
            byte = static_cast<char>(0x80 + k);
            return true;
        }
    }
    return false;
}

AnsiString ToCp1252(const QString& text)
{
    AnsiString r;
    for (char32_t c : text.toUcs4()) {
        char byte = '?';
        if (!CharToCp1252(c, byte)) byte = '?';
        r.push_back(byte);
    }
    return r;
}
