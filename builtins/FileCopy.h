#pragma once

#include "base/Values.h"

#include <cstdint>

// Copies a file. Results: the number of bytes copied, or -1 when the source
// cannot be read, -2 when the target cannot be made (it exists and overwrite is
// off, or its folder refuses), -3 when reading or writing failed on the way.
//
// With overwrite the copy goes to a temporary file beside the target, which
// replaces the target only once the whole copy succeeded: a failure never
// destroys the old target, and a file copied onto itself survives. Without
// overwrite a failed copy removes the partial target it made.
namespace FileCopy {

double Copy(const AnsiString& sourcePath, const AnsiString& targetPath, bool overwrite);

} // namespace FileCopy
