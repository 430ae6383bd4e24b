#include "screen/media/WaveFile.h"

#include <cstdio>
#include <memory>

namespace {

void PutLittleEndian(AnsiString& out, uint32_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}

} // namespace

namespace WaveFile {

AnsiString Bytes(const WaveFormat& format, std::string_view samples)
{
    const int channels = format.channels > 0 ? format.channels : 1;
    const int bits = format.bitsPerSample > 0 ? format.bitsPerSample : 16;
    const uint32_t blockAlign = static_cast<uint32_t>(channels * ((bits + 7) / 8));
    const size_t frames = samples.size() / blockAlign;
    const uint32_t dataSize = static_cast<uint32_t>(frames * blockAlign);
    const uint32_t pad = dataSize % 2;

    AnsiString out;
    out.reserve(44 + dataSize + pad);
    out += "RIFF";
    PutLittleEndian(out, 36 + dataSize + pad, 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, format.floatingPoint ? 3 : 1, 2);
    PutLittleEndian(out, static_cast<uint32_t>(channels), 2);
    PutLittleEndian(out, static_cast<uint32_t>(format.sampleRate), 4);
    PutLittleEndian(out, static_cast<uint32_t>(format.sampleRate) * blockAlign, 4);
    PutLittleEndian(out, blockAlign, 2);
    PutLittleEndian(out, static_cast<uint32_t>(bits), 2);
    out += "data";
    PutLittleEndian(out, dataSize, 4);
    out.append(samples.substr(0, dataSize));
    if (pad) out.push_back('\0');
    return out;
}

bool Write(const AnsiString& path, const WaveFormat& format, std::string_view samples)
{
    const AnsiString bytes = Bytes(format, samples);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
    return std::fflush(file.get()) == 0;
}

} // namespace WaveFile
