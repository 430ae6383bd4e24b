#include "platform/SystemQueries.h"

namespace platform {

namespace {
bool headless = false;
const DesktopQueries* desktop = nullptr;
AnsiString processClipboard;
std::function<void()> beepHandler;

constexpr int HeadlessDesktopWidth = 1024;
constexpr int HeadlessDesktopHeight = 768;

// The desktop's queries, none in a headless run.
const DesktopQueries* Desktop()
{
    return headless ? nullptr : desktop;
}
} // namespace

void setHeadlessSystem(bool on)
{
    headless = on;
}

bool headlessSystem()
{
    return headless;
}

void setDesktopQueries(const DesktopQueries* queries)
{
    desktop = queries;
}

int desktopWidth()
{
    int width = 0;
    int height = 0;
    return Desktop() && Desktop()->desktopSize(width, height) ? width : HeadlessDesktopWidth;
}

int desktopHeight()
{
    int width = 0;
    int height = 0;
    return Desktop() && Desktop()->desktopSize(width, height) ? height : HeadlessDesktopHeight;
}

AnsiString clipboardText()
{
    AnsiString text;
    return Desktop() && Desktop()->clipboardText(text) ? text : processClipboard;
}

void setClipboardText(const AnsiString& text)
{
    if (!Desktop() || !Desktop()->setClipboardText(text)) processClipboard = text;
}

void clearClipboard()
{
    // Without the window module no picture can have been put there.
    if (desktop) desktop->clearClipboardPicture();
    if (!Desktop() || !Desktop()->clearClipboard()) processClipboard.clear();
}

bool applicationActive()
{
    return Desktop() && Desktop()->applicationActive();
}

bool systemClipboardHoldsPicture()
{
    return desktop && desktop->clipboardHoldsPicture();
}

void beep()
{
    if (beepHandler && !headless) beepHandler();
}

void setBeepHandler(std::function<void()> handler)
{
    beepHandler = std::move(handler);
}

} // namespace platform
