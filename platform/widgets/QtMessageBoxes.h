#pragma once

#include "platform/MessageBoxes.h"

namespace platform {

// Shows a modal QMessageBox with the Windows button set, icon and default
// button that the flags select, over the active window.
class QtMessageBoxes : public MessageBoxes {
public:
    int show(const AnsiString& text, const AnsiString& caption, int flags) override;
};

} // namespace platform
