#pragma once

#include "base/Values.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

class Expression_Class;

// The buffer of one open regular file. Single-byte and number reads and writes
// would otherwise cost a system call each: writes gather in `bytes` until a
// block is full or another operation needs the file as written, and reads take
// a block ahead. The file's position as the program sees it is the system's
// position plus the pending writes, or less the unread bytes read ahead.
struct FileBuffer {
    enum class Mode { Idle, Writing, Reading };
    Mode mode = Mode::Idle;
    bool buffered = false; // a regular file (pipes and devices go unbuffered)
    bool readable = false;
    bool writable = false;
    bool lost = false; // a delayed write failed: closing reports it
    AnsiString bytes;
    size_t readPosition = 0;
};

struct OpenFileBuffers {
    std::unordered_map<int, FileBuffer> byDescriptor;
};

// The open-file table of a run: the descriptors that filecreate and fileopen
// handed to the program. A number counts as a handle only while it is in the
// table of the run that asks, so a program can never reach a descriptor it did
// not open (standard output, the runner's own files, a handle it closed); any
// other number acts as the invalid handle -1. Every descriptor still in the
// table is closed when the evaluator goes, however the run ended.
namespace OpenFiles {

// Records a descriptor in the table. False (and the descriptor closed) when
// the table cannot grow.
bool Record(Expression_Class& ex, int descriptor);
// True when handle is a descriptor of this table.
bool IsOpen(const Expression_Class& ex, int32_t handle);
// Closes handle and frees its slot. False when handle is not in the table, or
// when the system reports that written data was lost.
bool Close(Expression_Class& ex, int32_t handle);
// Closes every descriptor of the table, writing what is pending first.
void CloseAll(Expression_Class& ex);

// Buffered reading and writing of an open handle (see FileBuffer). Write
// gives the bytes taken (0 for a file not open for writing); Read the bytes
// read.
size_t Write(Expression_Class& ex, int handle, const char* data, size_t size);
size_t Read(Expression_Class& ex, int handle, char* data, size_t size);
// Brings the system's file in step with what the program did: pending writes
// written, unread bytes read ahead given back. False when a pending write
// failed.
bool Sync(Expression_Class& ex, int handle);
// Writes what every handle has pending: before anything reads files by name
// (copying, dates, other handles, started programs).
void WritePending(Expression_Class& ex);
// The position as the program sees it, -1 on failure.
int64_t Position(Expression_Class& ex, int handle);

// Writes all of size bytes, looping over short writes and interrupts. Returns
// the bytes written, less than size when the system refused the rest.
size_t WriteAll(int descriptor, const char* data, size_t size);
// Reads up to size bytes, looping until that many came or the end of the file
// (or an error) stopped it. Returns the bytes read.
size_t ReadFully(int descriptor, char* data, size_t size);

// Little-endian images of numbers, independent of the host's byte order.
void AppendInt32(AnsiString& bytes, int32_t value);
void AppendFloat64(AnsiString& bytes, double value);
void AppendFloat32(AnsiString& bytes, float value);
int32_t ReadInt32(const char* bytes);
double ReadFloat64(const char* bytes);
float ReadFloat32(const char* bytes);

} // namespace OpenFiles
