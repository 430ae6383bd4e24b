#pragma once

#include "base/Values.h"

#include <cstddef>

// Reading and writing a port's descriptor, waited for or not. A wait of -1
// ms has no limit. Every helper answers false (or -1) on a descriptor that
// is not open, and none keeps a byte it was given past its answer except
// WriteAsync, which copies them.

// "COM" and the number.
AnsiString ComPortToStr(unsigned number);
// Opens COM n (through the COM map) for reading and writing, not shared, not
// blocking and raw; -1 when it cannot.
int OpenPort(int number);
void ClosePort(int fd);

// All n bytes written (true) or not within ms.
bool WriteSync(int fd, const char* buffer, size_t n, int ms = -1);
// All n bytes read (true) or not within ms; `got` tells how many came.
bool ReadSync(int fd, char* buffer, size_t n, size_t& got, int ms = -1);

// Starts a write that goes on without the caller: true when it completed at
// once or is under way. One write is under way at a time in the process (a
// new one first waits for the last); WaitForIOCompletion waits for it.
bool WriteAsync(int fd, const char* buffer, size_t n);
// True when the write under way completed whole within ms (or none is under
// way); false when it failed, was cancelled or is still going.
bool WaitForIOCompletion(int ms);
// Cancels the write under way on fd: 1 when one was cancelled, else 0.
int qzCancelIO(int fd);
