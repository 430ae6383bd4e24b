#include "interpreter/ProtectedPrograms.h"

#include <cctype>
#include <cstdint>

namespace ProtectedPrograms {

namespace {

constexpr char key[BlockLength + 1] = "K4729105836Q";
constexpr char endLine[] = "//---End of BinaryFile";

uint8_t RotateLeft(uint8_t b, int n)
{
    return static_cast<uint8_t>((b << n) | (b >> (8 - n)));
}

uint8_t RotateRight(uint8_t b, int n)
{
    return static_cast<uint8_t>((b >> n) | (b << (8 - n)));
}

AnsiString UpperCased(const char* lower)
{
    // std::toupper is a library call, so the compiler cannot fold the result
    // into a constant that would end up in the executable.
    AnsiString result;
    for (const char* p = lower; *p; ++p)
        result += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return result;
}

} // namespace

AnsiString BinaryFileMarker()
{
    return UpperCased("quorvatine_binary_file");
}

AnsiString CompiledProgramMarker()
{
    return UpperCased("quorvatine_compil_file");
}

AnsiString MakeBody(const AnsiString& text, unsigned seed)
{
    AnsiString body = text + endLine;
    const size_t rest = body.size() % BlockLength;
    if (rest == 0) return body;
    // A small linear congruential generator: the digits are never read back,
    // they only fill the last block.
    uint32_t state = seed;
    for (size_t k = rest; k < BlockLength; ++k) {
        state = state * 1103515245u + 12345u;
        body += static_cast<char>('0' + (state >> 16) % 9);
    }
    return body;
}

void ScrambleBlocks(AnsiString& body)
{
    for (size_t start = 0; start + BlockLength <= body.size(); start += BlockLength) {
        uint8_t in[BlockLength];
        for (size_t j = 0; j < BlockLength; ++j)
            in[j] = static_cast<uint8_t>(body[start + j]);
        for (size_t j = 0; j < BlockLength; ++j)
            body[start + j] = static_cast<char>(
                RotateRight(in[BlockLength - 1 - j], 3) ^ RotateLeft(static_cast<uint8_t>(key[j]), 2));
    }
}

void UnscrambleBlocks(AnsiString& body)
{
    if (body.size() % BlockLength) body.append(BlockLength - body.size() % BlockLength, ' ');
    for (size_t start = 0; start < body.size(); start += BlockLength) {
        uint8_t in[BlockLength];
        for (size_t j = 0; j < BlockLength; ++j)
            in[j] = static_cast<uint8_t>(body[start + j]);
        for (size_t j = 0; j < BlockLength; ++j)
            body[start + BlockLength - 1 - j]
                = static_cast<char>(RotateLeft(in[j] ^ RotateLeft(static_cast<uint8_t>(key[j]), 2), 3));
    }
}

bool UnscrambleBinaryProgram(AnsiString& text)
{
    if (text.size() < MarkerLength || text.compare(0, MarkerLength, BinaryFileMarker()) != 0) return false;
    text.erase(0, MarkerLength);
    UnscrambleBlocks(text);
    return true;
}

AnsiString BinaryFileBytes(const AnsiString& text, unsigned seed)
{
    AnsiString body = MakeBody(text, seed);
    ScrambleBlocks(body);
    return BinaryFileMarker() + body;
}

} // namespace ProtectedPrograms
