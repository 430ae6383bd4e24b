#include "builtins/FunctionFamilies.h"
#include "builtins/NumberAlgorithms.h"
#include "support/LibraryFailure.h"

// Bit and byte manipulation of 32-bit integers and the packing of IEEE singles.
// Every argument is truncated to 32 bits (wrapping); bit numbers are taken
// modulo 32 and byte numbers modulo 4, negative ones included.

namespace {

uint32_t BitMask(int32_t bit)
{
    return 1u << (static_cast<uint32_t>(bit) & 31u);
}

int ByteShift(int32_t byte)
{
    return static_cast<int>((static_cast<uint32_t>(byte) & 3u) * 8u);
}

uint32_t Bits(FunctionCall& call)
{
    return static_cast<uint32_t>(call.FirstInt());
}

void ReturnBits(FunctionCall& call, uint32_t bits)
{
    call.ReturnInt(static_cast<int32_t>(bits));
}

void SetBit(FunctionCall& call)
{
    const uint32_t x = Bits(call);
    ReturnBits(call, x | BitMask(call.NextInt()));
}

void ClearBit(FunctionCall& call)
{
    const uint32_t x = Bits(call);
    ReturnBits(call, x & ~BitMask(call.NextInt()));
}

void GetBit(FunctionCall& call)
{
    const uint32_t x = Bits(call);
    call.ReturnInt((x & BitMask(call.NextInt())) != 0 ? 1 : 0);
}

void SetByte(FunctionCall& call)
{
    const uint32_t x = Bits(call);
    ReturnBits(call, x | (0xFFu << ByteShift(call.NextInt())));
}

void ClearByte(FunctionCall& call)
{
    const uint32_t x = Bits(call);
    ReturnBits(call, x & ~(0xFFu << ByteShift(call.NextInt())));
}

void GetByte(FunctionCall& call)
{
    const uint32_t x = Bits(call);
    call.ReturnInt((x >> ByteShift(call.NextInt())) & 0xFFu);
}

void MakeByte(FunctionCall& call)
{
    const uint32_t x = Bits(call);
    const int shift = ByteShift(call.NextInt());
    const uint32_t v = static_cast<uint32_t>(call.NextInt()) & 0xFFu;
    ReturnBits(call, (x & ~(0xFFu << shift)) | (v << shift));
}

void MakeBit(FunctionCall& call)
{
    const uint32_t x = Bits(call);
    const uint32_t mask = BitMask(call.NextInt());
    const bool set = call.NextInt() != 0;
    ReturnBits(call, set ? x | mask : x & ~mask);
}

void BitSwap(FunctionCall& call)
{
    const int32_t x = call.FirstInt();
    const int32_t n = call.HasMore() ? call.NextInt() : 8;
    call.ReturnInt(NumberAlgorithms::BitSwap(x, n));
}

void DoubleToSingle(FunctionCall& call)
{
    int32_t bits = 0;
    if (!NumberAlgorithms::DoubleToSingleBits(call.FirstNumber(), bits))
        throw LibraryFailure { "Floating point overflow" };
    call.ReturnInt(bits);
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Signextend16, FirstArgument::Number,
        [](FunctionCall& c) { c.ReturnInt(static_cast<int16_t>(Bits(c) & 0xFFFFu)); } },
    { FunctionCode::Signextend8, FirstArgument::Number,
        [](FunctionCall& c) { c.ReturnInt(static_cast<int8_t>(Bits(c) & 0xFFu)); } },
    { FunctionCode::Setbit, FirstArgument::Number, SetBit },
    { FunctionCode::Clrbit, FirstArgument::Number, ClearBit },
    { FunctionCode::Getbit, FirstArgument::Number, GetBit },
    { FunctionCode::Setbyte, FirstArgument::Number, SetByte },
    { FunctionCode::Clrbyte, FirstArgument::Number, ClearByte },
    { FunctionCode::Getbyte, FirstArgument::Number, GetByte },
    { FunctionCode::Makebyte, FirstArgument::Number, MakeByte },
    { FunctionCode::Makebit, FirstArgument::Number, MakeBit },
    { FunctionCode::Bitswap, FirstArgument::Number, BitSwap },
    { FunctionCode::Sftodf, FirstArgument::Number,
        [](FunctionCall& c) { c.ReturnFloat(NumberAlgorithms::SingleBitsToDouble(c.FirstInt())); } },
    { FunctionCode::Dftosf, FirstArgument::Number, DoubleToSingle },
};

} // namespace

std::span<const FunctionEntry> BitFunctionEntries()
{
    return entries;
}
