#include "qelm/HidTransport.h"

#include <hidapi/hidapi.h>

#include <cstdlib>
#include <cwchar>

// The system's HID devices through hidapi's hidraw back end. hidraw hands
// back input reports without the report ID byte, so a read of 8 bytes is the
// board's 8 data bytes; writes carry report ID 0 in front of the 8 bytes.

namespace qelm {
namespace {

std::string Narrow(const wchar_t* text)
{
    std::string out;
    if (!text) return out;
    for (; *text; ++text)
        out.push_back(static_cast<char>(static_cast<unsigned>(*text) & 0xFF));
    return out;
}

class HidapiHandle final : public HidHandle {
public:
    explicit HidapiHandle(hid_device* d)
        : device(d)
    { }
    ~HidapiHandle() override { hid_close(device); }
    HidapiHandle(const HidapiHandle&) = delete;
    HidapiHandle& operator=(const HidapiHandle&) = delete;

    bool Write(const unsigned char report[9]) override { return hid_write(device, report, 9) == 9; }

    ReadResult Read(unsigned char data[8], int milliseconds) override
    {
        const int got = hid_read_timeout(device, data, 8, milliseconds);
        if (got < 0) return ReadResult::Failed;
        if (got == 0) return ReadResult::TimedOut;
        for (int k = got; k < 8; ++k)
            data[k] = 0;
        return ReadResult::Done;
    }

private:
    hid_device* device;
};

// hidapi keeps state of its own from hid_init on (its last error text among
// it); it is given back when the library is unloaded, so that a program that
// loads and leaves the board library loses nothing.
struct HidLibraryState {
    bool started = false;
    bool Start()
    {
        if (!started) started = hid_init() == 0;
        return started;
    }
    ~HidLibraryState()
    {
        if (started) hid_exit();
    }
};
HidLibraryState hidLibrary;

class HidapiTransport final : public HidTransport {
public:
    bool Enumerate(std::vector<HidInterface>& found) override
    {
        if (!hidLibrary.Start()) return false;
        hid_device_info* list = hid_enumerate(0, 0);
        for (hid_device_info* info = list; info; info = info->next) {
            HidInterface entry;
            entry.path = info->path ? info->path : "";
            entry.vendorId = info->vendor_id;
            entry.productId = info->product_id;
            entry.release = info->release_number;
            entry.manufacturer = Narrow(info->manufacturer_string);
            entry.product = Narrow(info->product_string);
            entry.serial = Narrow(info->serial_number);
            found.push_back(std::move(entry));
        }
        hid_free_enumeration(list);
        return true;
    }

    std::unique_ptr<HidHandle> Open(const HidInterface& device) override
    {
        hid_device* handle = hid_open_path(device.path.c_str());
        if (!handle) return nullptr;
        return std::make_unique<HidapiHandle>(handle);
    }
};

} // namespace

std::unique_ptr<HidTransport> MakeHidapiTransport()
{
    return std::make_unique<HidapiTransport>();
}

namespace {
std::unique_ptr<HidTransport> (*testTransport)() = nullptr;
}

void OverrideTransportForTests(std::unique_ptr<HidTransport> (*make)())
{
    testTransport = make;
}

std::unique_ptr<HidTransport> ChooseTransport()
{
    if (testTransport) return testTransport();
    const char* fake = std::getenv("QELM_FAKE_BOARDS");
    if (fake && *fake) return MakeFakeTransport(fake);
    return MakeHidapiTransport();
}

} // namespace qelm
