#pragma once

#include "base/Values.h"

#include <cstddef>
#include <cstdint>

class Expression_Class;

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
// Closes every descriptor of the table.
void CloseAll(Expression_Class& ex);

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
