#pragma once

#include "platform/Dialogs.h"

namespace platform {

// Modal QFileDialogs over the active window. Paths cross as the file system's
// own bytes, so that a chosen name opens the file it names.
class QtDialogs : public Dialogs {
public:
    AnsiString chooseFile(const FileDialogRequest& request) override;
};

} // namespace platform
