#include "platform/AnsiText.h"

namespace platform {

namespace {

// The characters of the bytes 0x80 to 0x9F; every other byte is its own code point.
constexpr char16_t highControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

char16_t characterOfByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) return highControlRange[byte - 0x80];
    return byte;
}

char byteOfCharacter(char16_t character)
{
    char byte = '?';
    characterToByte(character, byte);
    return byte;
}

} // namespace

char32_t byteToCharacter(unsigned char byte)
{
    return characterOfByte(byte);
}

bool characterToByte(char32_t character, char& byte)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        byte = static_cast<char>(character);
        return true;
    }
    for (int k = 0; k < 32; ++k) {
        if (highControlRange[k] == character) {
            byte = static_cast<char>(0x80 + k);
            return true;
        }
    }
    return false;
}

QString toQString(const AnsiString& text)
{
    QString result;
    result.resize(static_cast<qsizetype>(text.size()));
    for (size_t k = 0; k < text.size(); ++k)
        result[static_cast<qsizetype>(k)] = QChar(characterOfByte(static_cast<unsigned char>(text[k])));
    return result;
}

QStringList linesOf(const AnsiString& text)
{
    QString all = toQString(text);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = all.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

AnsiString fromQString(const QString& text)
{
    AnsiString result;
    result.reserve(static_cast<size_t>(text.size()));
    for (qsizetype k = 0; k < text.size(); ++k) {
        char16_t unit = text[k].unicode();
        // A surrogate pair is one character that Windows-1252 lacks.
        if (QChar::isHighSurrogate(unit) && k + 1 < text.size() && text[k + 1].isLowSurrogate()) ++k;
        result.push_back(QChar::isSurrogate(unit) ? '?' : byteOfCharacter(unit));
    }
    return result;
}

} // namespace platform
