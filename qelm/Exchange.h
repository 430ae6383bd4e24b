#pragma once

// What the command exports share with the device table: the entry checks of
// an export and the write-read exchange of one 8-byte block.

namespace qelm {

// Sets the recent error to " " and checks the device number's low byte;
// false (with the export's "too large" message) for 50 and above.
bool EnterDeviceExport(const char* exportName, int device);

// Sends the block to the device and reads the reply into it; one resend when
// the reply does not echo the command code. True when the reply echoes it.
bool WriteRead(int device, unsigned char block[8]);

int True();
int False();

} // namespace qelm
