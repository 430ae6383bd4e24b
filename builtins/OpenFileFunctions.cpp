#include "builtins/FunctionFamilies.h"
#include "interpreter/OpenFiles.h"
#include "platform/RegularFiles.h"
#include "support/FileNames.h"
#include "support/LibraryFailure.h"
#include "support/TextAlgorithms.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Files opened by a program: creating and opening them, moving in them,
// reading and writing bytes, numbers and delimited fields, closing them. A
// handle counts only while it is in the run's open-file table; every other
// number behaves as the invalid handle -1.

namespace {

constexpr int32_t InvalidHandle = -1;

// The handle of the call's first argument, or -1 when the run did not open it.
int Handle(FunctionCall& call)
{
    const int32_t handle = call.FirstInt();
    return OpenFiles::IsOpen(call.ex, handle) ? handle : InvalidHandle;
}

// A handle is for a regular file only: a pipe, socket or device would block
// or never end (see platform/RegularFiles.h).
int OpenDescriptor(const AnsiString& path, int flags)
{
    return platform::OpenRegularFile(path, flags);
}

void ReturnRecorded(FunctionCall& call, const std::optional<AnsiString>& path, int flags)
{
    OpenFiles::WritePending(call.ex);
    if (!path) {
        call.ReturnInt(InvalidHandle);
        return;
    }
    const int descriptor = OpenDescriptor(*path, flags);
    if (descriptor < 0 || !OpenFiles::Record(call.ex, descriptor)) {
        call.ReturnInt(InvalidHandle);
        return;
    }
    call.ReturnInt(descriptor);
}

void FileCreate(FunctionCall& call)
{
    ReturnRecorded(call, FileNames::Resolve(call.FirstText()), O_RDWR | O_CREAT | O_TRUNC);
}

void FileOpen(FunctionCall& call)
{
    const std::optional<AnsiString> path = FileNames::Resolve(call.FirstText());
    const int32_t mode = call.NextInt();
    // The sharing flags (16 to 64) have no counterpart here and are accepted.
    static const int access[] = { O_RDONLY, O_WRONLY, O_RDWR, -1 };
    const int flags = access[mode & 3];
    if (flags < 0) {
        call.ReturnInt(InvalidHandle);
        return;
    }
    ReturnRecorded(call, path, flags);
}

void FileClose(FunctionCall& call)
{
    call.ReturnInt(OpenFiles::Close(call.ex, call.FirstInt()) ? 1 : 0);
}

void FileSeek(FunctionCall& call)
{
    const int handle = Handle(call);
    const int32_t origin = call.NextInt();
    const int32_t offset = call.NextInt();
    static const int whence[] = { SEEK_SET, SEEK_CUR, SEEK_END };
    if (handle < 0 || origin < 0 || origin > 2) {
        call.ReturnInt(-1);
        return;
    }
    OpenFiles::Sync(call.ex, handle);
    const off_t position = ::lseek(handle, offset, whence[origin]);
    call.ReturnInt(position < 0 ? -1.0 : static_cast<double>(position));
}

void FileEnd(FunctionCall& call)
{
    const int handle = Handle(call);
    struct stat status { };
    const int64_t position = handle < 0 ? -1 : OpenFiles::Position(call.ex, handle);
    // An unknown handle is at its end, so that a loop "while fileend(h) = 0"
    // ends.
    if (position < 0 || ::fstat(handle, &status) != 0) {
        call.ReturnInt(1);
        return;
    }
    call.ReturnInt(position >= status.st_size ? 1 : 0);
}

void FileSize(FunctionCall& call)
{
    const int handle = Handle(call);
    struct stat status { };
    // Pending writes count in the size.
    if (handle < 0 || OpenFiles::Position(call.ex, handle) < 0 || ::fstat(handle, &status) != 0) {
        call.ReturnInt(-1);
        return;
    }
    call.ReturnInt(static_cast<double>(status.st_size));
}

void FileRead(FunctionCall& call)
{
    const int handle = Handle(call);
    int32_t wanted = call.HasMore() ? call.NextInt() : 1;
    if (wanted < 1) wanted = 1;
    AnsiString text;
    if (handle >= 0) {
        // Read in blocks, so that a huge count on a small file allocates only
        // what came.
        constexpr size_t Block = 65536;
        size_t left = static_cast<size_t>(wanted);
        while (left > 0) {
            const size_t before = text.size();
            const size_t step = std::min(left, Block);
            text.resize(before + step);
            const size_t got = OpenFiles::Read(call.ex, handle, text.data() + before, step);
            text.resize(before + got);
            if (got < step) break;
            left -= got;
            if (text.size() > TextAlgorithms::MaxTextLength) throw LibraryFailure { "Out of memory" };
        }
    }
    call.ReturnText(std::move(text));
}

// filereadi, filereadb and filereadf take the handle alone.
bool ReadNumberBytes(FunctionCall& call, char* bytes, size_t size)
{
    const int handle = Handle(call);
    if (call.HasMore()) call.Raise(ErrorCode::SyntaxError);
    if (handle < 0 || OpenFiles::Read(call.ex, handle, bytes, size) < size) {
        call.ReturnText({});
        return false;
    }
    return true;
}

void FileReadInt(FunctionCall& call)
{
    char bytes[4];
    if (ReadNumberBytes(call, bytes, sizeof bytes)) call.ReturnInt(OpenFiles::ReadInt32(bytes));
}

void FileReadByte(FunctionCall& call)
{
    char byte;
    if (ReadNumberBytes(call, &byte, 1)) call.ReturnInt(static_cast<unsigned char>(byte));
}

void FileReadFloat(FunctionCall& call)
{
    char bytes[8];
    if (ReadNumberBytes(call, bytes, sizeof bytes)) call.ReturnFloat(OpenFiles::ReadFloat64(bytes));
}

void FileReadField(FunctionCall& call)
{
    const int handle = Handle(call);
    const AnsiString delimiter = call.HasMore() ? call.NextText() : AnsiString("\r\n");
    AnsiString field;
    if (handle < 0) {
        call.ReturnText({});
        return;
    }
    // The field is found on the file itself, with its position in step.
    OpenFiles::Sync(call.ex, handle);
    const off_t start = ::lseek(handle, 0, SEEK_CUR);
    constexpr size_t Block = 1024;
    for (;;) {
        const size_t before = field.size();
        field.resize(before + Block);
        const size_t got = OpenFiles::ReadFully(handle, field.data() + before, Block);
        field.resize(before + got);
        if (!delimiter.empty()) {
            // Only the new block can hold the delimiter, together with the
            // delimiter's length less one bytes before it.
            const size_t from = before >= delimiter.size() - 1 ? before - (delimiter.size() - 1) : 0;
            const size_t found = field.find(delimiter, from);
            if (found != AnsiString::npos) {
                field.resize(found);
                if (start >= 0) (void)::lseek(handle, start + static_cast<off_t>(found + delimiter.size()), SEEK_SET);
                break;
            }
        }
        if (got < Block) break;
        if (field.size() > TextAlgorithms::MaxTextLength) throw LibraryFailure { "Out of memory" };
    }
    call.ReturnText(std::move(field));
}

// The bytes that filewrite writes for a value.
AnsiString ValueBytes(const Value& value)
{
    AnsiString bytes;
    if (value.tag == Tag::Int)
        OpenFiles::AppendInt32(bytes, value.i);
    else if (value.tag == Tag::Float)
        OpenFiles::AppendFloat64(bytes, value.f);
    else
        bytes = value.s;
    return bytes;
}

void FileWrite(FunctionCall& call)
{
    const int handle = Handle(call);
    const AnsiString bytes = ValueBytes(call.NextValue());
    if (handle < 0) {
        call.ReturnInt(0);
        return;
    }
    call.ReturnInt(static_cast<double>(OpenFiles::Write(call.ex, handle, bytes.data(), bytes.size())));
}

void FileWriteByte(FunctionCall& call)
{
    const int handle = Handle(call);
    const Value value = call.NextValue();
    if (handle < 0 || (value.tag == Tag::String && value.s.empty())) {
        call.ReturnInt(0);
        return;
    }
    const char byte = value.tag == Tag::String ? value.s[0] : static_cast<char>(call.ToInt(value) & 0xFF);
    call.ReturnInt(static_cast<double>(OpenFiles::Write(call.ex, handle, &byte, 1)));
}

const FunctionEntry entries[] = {
    { FunctionCode::Filecreate, FirstArgument::Text, FileCreate },
    { FunctionCode::Fileopen, FirstArgument::Text, FileOpen },
    { FunctionCode::Fileclose, FirstArgument::Number, FileClose },
    { FunctionCode::Fileseek, FirstArgument::Number, FileSeek },
    { FunctionCode::Fileend, FirstArgument::Number, FileEnd },
    { FunctionCode::Filesize, FirstArgument::Number, FileSize },
    { FunctionCode::Fileread, FirstArgument::Number, FileRead },
    { FunctionCode::Filereadi, FirstArgument::Number, FileReadInt },
    { FunctionCode::Filereadb, FirstArgument::Number, FileReadByte },
    { FunctionCode::Filereadf, FirstArgument::Number, FileReadFloat },
    { FunctionCode::Filereadfield, FirstArgument::Number, FileReadField },
    { FunctionCode::Filewrite, FirstArgument::Number, FileWrite },
    { FunctionCode::Filewriteb, FirstArgument::Number, FileWriteByte },
};

} // namespace

std::span<const FunctionEntry> OpenFileFunctionEntries()
{
    return entries;
}
