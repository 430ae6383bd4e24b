// A stand-in for the image-capture library, built only for the tests and
// never placed beside the program. It answers like a library with one source
// and records what it was asked.

#include <cstdlib>
#include <string>

namespace {
std::string lastName;
int hideUi = -1;
int calls = 0;
} // namespace

extern "C" {

__attribute__((visibility("default"))) int TWAIN_SetHideUI(int hide)
{
    hideUi = hide;
    return 1;
}

__attribute__((visibility("default"))) int TWAIN_SelectImageSource(long)
{
    ++calls;
    return 1;
}

__attribute__((visibility("default"))) int TWAIN_AcquireToClipboard(long, unsigned)
{
    ++calls;
    return 7;
}

__attribute__((visibility("default"))) int TWAIN_IsAvailable()
{
    const char* answer = std::getenv("QCAPTURE_STUB_AVAILABLE");
    return answer ? std::atoi(answer) : 1;
}

__attribute__((visibility("default"))) int TWAIN_AcquireToFilename(long, const char* name)
{
    ++calls;
    lastName = name;
    return 0;
}

__attribute__((visibility("default"))) const char* Stub_LastName()
{
    return lastName.c_str();
}

__attribute__((visibility("default"))) int Stub_HideUi()
{
    return hideUi;
}
}
