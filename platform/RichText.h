#pragma once

#include "base/Values.h"

#include <string_view>

namespace platform {

// The plain text of a rich-text document: groups, control words and control
// symbols are dropped, \par and \line become CR LF, \tab a tab, \'hh the byte
// hh, \uN its Windows-1252 byte (or "?"), and the destinations that hold no
// body text (font and colour tables, styles, pictures, "\*" groups) are
// skipped. A text that does not start with "{\rtf" is returned as it is.
AnsiString RichTextToPlain(std::string_view document);

} // namespace platform
