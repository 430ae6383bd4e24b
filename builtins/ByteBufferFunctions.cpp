#include "builtins/FunctionFamilies.h"
#include "interpreter/OpenFiles.h"
#include "support/LibraryFailure.h"
#include "support/TextAlgorithms.h"

#include <cmath>
#include <limits>

// Texts used as byte arrays: single bytes at 1-based positions (getstrbyte,
// putstrbyte), and bytes, little-endian integers and IEEE floats at 0-based
// offsets (the buff* functions). Writing past the end extends the text with
// zero bytes; a text that would pass the engine's text limit gives the call's
// catch result.

namespace {

// Grows s with zero bytes to at least size bytes.
void ExtendTo(AnsiString& s, uint64_t size)
{
    TextAlgorithms::CheckTextLength(size);
    if (s.size() < size) s.resize(static_cast<size_t>(size), '\0');
}

void GetStrByte(FunctionCall& call)
{
    const AnsiString& s = call.FirstText();
    int32_t position = call.NextInt();
    if (position < 1) position = 1;
    if (static_cast<size_t>(position) > s.size()) call.Raise(ErrorCode::IncorrectArrayIndexing);
    call.ReturnInt(static_cast<unsigned char>(s[static_cast<size_t>(position) - 1]));
}

void PutStrByte(FunctionCall& call)
{
    AnsiString s = call.FirstText();
    int32_t position = call.NextInt();
    const int32_t value = call.NextInt();
    if (position < 1) position = 1;
    ExtendTo(s, static_cast<uint64_t>(position));
    s[static_cast<size_t>(position) - 1] = static_cast<char>(value & 0xFF);
    call.ReturnText(std::move(s));
}

void AppendByteOrText(FunctionCall& call, AnsiString& bytes, const Value& value)
{
    if (value.tag == Tag::String) {
        TextAlgorithms::CheckTextLength(static_cast<uint64_t>(bytes.size()) + value.s.size());
        bytes += value.s;
    } else {
        bytes.push_back(static_cast<char>(call.ToInt(value) & 0xFF));
    }
}

void StrOfBytes(FunctionCall& call)
{
    AnsiString bytes;
    AppendByteOrText(call, bytes, call.first);
    while (call.HasMore())
        AppendByteOrText(call, bytes, call.NextValue());
    call.ReturnText(std::move(bytes));
}

// The offset of a buffer read: negative offsets read from 0.
size_t ReadOffset(FunctionCall& call)
{
    const int32_t offset = call.NextInt();
    return offset < 0 ? 0 : static_cast<size_t>(offset);
}

// The bytes [offset, offset + size) of the first argument; error 78 when the
// text is shorter.
const char* BytesAt(FunctionCall& call, size_t offset, size_t size)
{
    const AnsiString& s = call.FirstText();
    if (offset + size > s.size()) call.Raise(ErrorCode::IncorrectArrayIndexing);
    return s.data() + offset;
}

void BuffRead(FunctionCall& call)
{
    const AnsiString& s = call.FirstText();
    const size_t offset = ReadOffset(call);
    const int32_t count = call.NextInt();
    const size_t length = s.size();
    size_t n = count < 1 || static_cast<size_t>(count) >= length ? length : static_cast<size_t>(count);
    if (offset >= length) {
        call.ReturnText({});
        return;
    }
    n = std::min(n, length - offset);
    call.ReturnText(s.substr(offset, n));
}

void BuffReadInt(FunctionCall& call)
{
    const size_t offset = ReadOffset(call);
    call.ReturnInt(OpenFiles::ReadInt32(BytesAt(call, offset, 4)));
}

void BuffReadByte(FunctionCall& call)
{
    const size_t offset = ReadOffset(call);
    call.ReturnInt(static_cast<unsigned char>(*BytesAt(call, offset, 1)));
}

void BuffReadFloat(FunctionCall& call)
{
    const size_t offset = ReadOffset(call);
    call.ReturnFloat(OpenFiles::ReadFloat64(BytesAt(call, offset, 8)));
}

void BuffReadFloat32(FunctionCall& call)
{
    const size_t offset = ReadOffset(call);
    call.ReturnFloat(static_cast<double>(OpenFiles::ReadFloat32(BytesAt(call, offset, 4))));
}

// The offset of a buffer write: a negative offset appends.
uint64_t WriteOffset(FunctionCall& call, const AnsiString& s)
{
    const int32_t offset = call.NextInt();
    return offset < 0 ? s.size() : static_cast<uint64_t>(offset);
}

// s with bytes laid over it at offset, extended as needed.
AnsiString Overlay(AnsiString s, uint64_t offset, const AnsiString& bytes)
{
    ExtendTo(s, offset + bytes.size());
    s.replace(static_cast<size_t>(offset), bytes.size(), bytes);
    return s;
}

void BuffWrite(FunctionCall& call)
{
    const uint64_t offset = WriteOffset(call, call.FirstText());
    const Value value = call.NextValue();
    AnsiString bytes;
    if (value.tag == Tag::Int)
        OpenFiles::AppendInt32(bytes, value.i);
    else if (value.tag == Tag::Float)
        OpenFiles::AppendFloat64(bytes, value.f);
    else
        bytes = value.s;
    call.ReturnText(Overlay(call.FirstText(), offset, bytes));
}

void BuffWriteByte(FunctionCall& call)
{
    const uint64_t offset = WriteOffset(call, call.FirstText());
    const int32_t value = call.NextInt();
    call.ReturnText(Overlay(call.FirstText(), offset, AnsiString(1, static_cast<char>(value & 0xFF))));
}

void BuffWriteFloat32(FunctionCall& call)
{
    const uint64_t offset = WriteOffset(call, call.FirstText());
    const double x = call.NextNumber();
    // A finite value beyond the single range cannot be stored: like a failed
    // conversion of the class library, it gives the catch result.
    if (std::isfinite(x) && std::fabs(x) > static_cast<double>(std::numeric_limits<float>::max()))
        throw LibraryFailure { "Floating point overflow" };
    AnsiString bytes;
    OpenFiles::AppendFloat32(bytes, static_cast<float>(x));
    call.ReturnText(Overlay(call.FirstText(), offset, bytes));
}

const FunctionEntry entries[] = {
    { FunctionCode::Getstrbyte, FirstArgument::Text, GetStrByte },
    { FunctionCode::Putstrbyte, FirstArgument::Text, PutStrByte },
    { FunctionCode::Strofbytes, FirstArgument::Any, StrOfBytes },
    { FunctionCode::Buffread, FirstArgument::Text, BuffRead },
    { FunctionCode::Buffreadi, FirstArgument::Text, BuffReadInt },
    { FunctionCode::Buffreadb, FirstArgument::Text, BuffReadByte },
    { FunctionCode::Buffreadf, FirstArgument::Text, BuffReadFloat },
    { FunctionCode::Buffreadf32, FirstArgument::Text, BuffReadFloat32 },
    { FunctionCode::Buffwrite, FirstArgument::Text, BuffWrite },
    { FunctionCode::Buffwriteb, FirstArgument::Text, BuffWriteByte },
    { FunctionCode::Buffwritef32, FirstArgument::Text, BuffWriteFloat32 },
};

} // namespace

std::span<const FunctionEntry> ByteBufferFunctionEntries()
{
    return entries;
}
