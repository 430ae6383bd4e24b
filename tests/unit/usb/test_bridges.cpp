#include "devices/CaptureBridge.h"
#include "devices/QelmBridge.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

// The bridges to the board library and the capture library: the dispatcher
// with the library absent and present, and the capture types.

using devices::QelmOperation;

TEST(QelmBridge, WithoutTheLibraryEveryOperationAnswersZero)
{
    devices::QelmBridge bridge;
    bridge.Load("/nonexistent-folder");
    EXPECT_FALSE(bridge.Loaded());
    for (int k = 0; k <= static_cast<int>(QelmOperation::Count); ++k) {
        unsigned char args[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
        AnsiString text = "kept";
        EXPECT_EQ(bridge.DeviceCall(static_cast<QelmOperation>(k), 0, args, text), 0) << k;
        EXPECT_EQ(text, "kept") << k;
        EXPECT_EQ(args[0], 1) << k;
    }
}

TEST(QelmBridge, DispatchesToTheLibrary)
{
    setenv("QELM_FAKE_BOARDS", "WexaA,WexaB", 1);
    devices::QelmBridge bridge;
    bridge.Load(QV_QELM_FOLDER);
    ASSERT_TRUE(bridge.Loaded());
    unsigned char args[8] = {};
    AnsiString text;
    EXPECT_EQ(bridge.DeviceCall(QelmOperation::FindDevices, 0, args, text), -1);
    EXPECT_EQ(bridge.DeviceCall(QelmOperation::NumberOfDevices, 0, args, text), 2);

    EXPECT_EQ(bridge.DeviceCall(QelmOperation::LibrarySpecs, 0, args, text), 70);
    EXPECT_NE(text.find("|Jan 19 2012|70"), AnsiString::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 3);

    EXPECT_EQ(bridge.DeviceCall(QelmOperation::DeviceSpecs, 257, args, text), -1); // device 1
    EXPECT_EQ(text, "1|421|3559|Quorvatine|WexaB|0002|1");

    // A 3-character command goes out with five zero bytes; the fake echoes it.
    text = "abc";
    EXPECT_EQ(bridge.DeviceCall(QelmOperation::DeviceCommand, 0, args, text), -1);
    EXPECT_EQ(text, AnsiString("abc\0\0\0\0\0", 8));

    unsigned char write[8] = { 0x3C };
    EXPECT_EQ(bridge.DeviceCall(QelmOperation::WriteA, 0, write, text), -1);
    unsigned char read[8] = { 0xFF };
    EXPECT_EQ(bridge.DeviceCall(QelmOperation::ReadA, 0, read, text), 0x3C);

    EXPECT_EQ(bridge.DeviceCall(QelmOperation::ErrorSpecs, 0, args, text), -1);
    EXPECT_EQ(text, " |Qelm_ReadDevice - Read");

    // Device 60 is refused by the library.
    EXPECT_EQ(bridge.DeviceCall(QelmOperation::DeviceValid, 60, args, text), 0);
    EXPECT_EQ(bridge.DeviceCall(QelmOperation::ErrorSpecs, 0, args, text), -1);
    EXPECT_EQ(text.substr(0, 42), "Qelm_DeviceValid - The device number was t");
}

namespace {
const std::string stubFolder = QV_CAPTURE_STUB_FOLDER;
}

TEST(CaptureBridge, TypesAndFileNames)
{
    unsetenv("QCAPTURE_STUB_AVAILABLE");
    devices::CaptureBridge bridge;
    EXPECT_EQ(bridge.Acquire(2, "x"), 0); // no library
    bridge.Load(stubFolder);
    ASSERT_TRUE(bridge.Loaded());
    EXPECT_EQ(bridge.Acquire(0, ""), 1);
    EXPECT_EQ(bridge.Acquire(2, "pic"), 1);
    void* stub = dlopen((stubFolder + "/libqcapture.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(stub, nullptr);
    auto lastName = reinterpret_cast<const char* (*)()>(dlsym(stub, "Stub_LastName"));
    auto hideUi = reinterpret_cast<int (*)()>(dlsym(stub, "Stub_HideUi"));
    EXPECT_EQ(std::string(lastName()), std::filesystem::current_path().string() + "/pic.bmp");
    EXPECT_EQ(bridge.Acquire(1, "/tmp/shot"), 1);
    EXPECT_EQ(std::string(lastName()), "/tmp/shot.bmp");
    EXPECT_EQ(hideUi(), 1);
    dlclose(stub);

    // The clipboard acquisition counts only when a picture arrived.
    bridge.clipboardHoldsPicture = [] { return false; };
    EXPECT_EQ(bridge.Acquire(2, ""), 0);
    bridge.clipboardHoldsPicture = [] { return true; };
    EXPECT_EQ(bridge.Acquire(2, ""), 7);
    EXPECT_EQ(bridge.Acquire(9, ""), 0);

    EXPECT_EQ(bridge.Acquire(3, ""), 1);
    setenv("QCAPTURE_STUB_AVAILABLE", "0", 1);
    EXPECT_EQ(bridge.Acquire(3, ""), 0);
    EXPECT_FALSE(bridge.Loaded());
    for (int type = 0; type <= 3; ++type)
        EXPECT_EQ(bridge.Acquire(type, "pic"), 0) << type;
    unsetenv("QCAPTURE_STUB_AVAILABLE");
}
