#include "runner/WindowParts.h"

#include "platform/WindowModule.h"

namespace {

WindowParts parts {};

} // namespace

void SetWindowParts(const WindowParts& installed)
{
    parts = installed;
}

const WindowParts& Window()
{
    platform::RequireWindowModule();
    return parts;
}
