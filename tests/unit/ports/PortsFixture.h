#pragma once

#include "devices/PortSpace.h"
#include "devices/Ports_comms_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

// Records tones instead of sounding them: one "frequency/ms" entry each
// ("rest/ms" for silence), with "~" after it when events were not processed.
class RecordingTones : public ToneOutput {
public:
    std::vector<std::string>* log;
    explicit RecordingTones(std::vector<std::string>* target)
        : log(target)
    { }
    void Play(double frequency, int64_t ms, Delays::Pump pump, const bool*) override
    {
        char text[64];
        if (frequency > 0)
            std::snprintf(text, sizeof text, "%g/%lld", frequency, static_cast<long long>(ms));
        else
            std::snprintf(text, sizeof text, "rest/%lld", static_cast<long long>(ms));
        log->push_back(std::string(text) + (pump == Delays::Pump::No ? "~" : ""));
    }
};

// Every test starts from a reset service whose tones are recorded, and with
// no COM map of its own.
class PortsTest : public testing::Test {
protected:
    std::vector<std::string> tones;
    void SetUp() override
    {
        for (int n = 1; n <= 9; ++n)
            unsetenv(("QUORVATINE_COM" + std::to_string(n)).c_str());
        Ports_Comms_IO_Form().ResetPorts();
        Ports_Comms_IO_Form().SetToneOutput(std::make_unique<RecordingTones>(&tones));
    }
    void TearDown() override
    {
        Ports_Comms_IO_Form().ResetPorts();
        Ports_Comms_IO_Form().SetToneOutput(nullptr);
        SetPortSpaceForTests(nullptr);
    }
};

// Joins texts with spaces.
inline std::string Joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : " ") + item;
    return text;
}
