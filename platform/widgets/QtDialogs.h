#pragma once

#include "platform/Dialogs.h"

namespace platform {

// A modal QFileDialog over the active window for a file or folder request.
// Paths cross as the file system's own bytes, so that a chosen name opens the
// file it names. Empty when the user cancelled.
AnsiString QtChooseFile(const FileDialogRequest& request);

} // namespace platform
