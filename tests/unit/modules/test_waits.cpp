#include "devices/Modules.h"
#include "devices/SmtpClient.h"
#include "devices/ToneOutput.h"
#include "devices/audio/AudioToneModule.h"
#include "devices/network/NetworkModule.h"
#include "platform/Application.h"
#include "screen/media/MediaService.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

// The modules loaded on first need (tones, the network, media) wait on events
// the way the core does, so a wait inside each of them runs the work the run
// gave the event pump. Test programs hold the core as the executable does and
// export it: the modules are the built ones, loaded from the build's folder,
// and must reach the one hook state of this process, not a copy of their own.

namespace {

int idleCalls = 0;

void CountIdleCall()
{
    ++idleCalls;
}

class ModuleWaitTest : public testing::Test {
protected:
    void SetUp() override
    {
        idleCalls = 0;
        platform::setIdleWork(&CountIdleCall);
    }
    void TearDown() override { platform::setIdleWork(nullptr); }
};

// 200 ms of silence, 8 kHz, 16-bit mono.
void WriteSilentWave(const std::string& path)
{
    constexpr uint32_t rate = 8000;
    constexpr uint32_t dataBytes = rate / 5 * 2;
    std::ofstream out(path, std::ios::binary);
    auto put = [&](uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k)
            out.put(static_cast<char>((value >> (8 * k)) & 0xff));
    };
    out << "RIFF";
    put(36 + dataBytes, 4);
    out << "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    out << "data";
    put(dataBytes, 4);
    out << std::string(dataBytes, '\0');
}

TEST_F(ModuleWaitTest, ASynchronousWaveSoundRunsTheIdleWork)
{
    const auto make = reinterpret_cast<MakeMediaServiceEntry>(LoadModuleEntry(mediaModuleFile, mediaModuleEntry));
    ASSERT_NE(make, nullptr);
    QTemporaryDir folder;
    const std::string wave = folder.filePath("silence.wav").toStdString();
    WriteSilentWave(wave);
    bool stopped = false;
    std::unique_ptr<MediaService> media(make(&stopped));
    media->PlayWave(wave, false, false);
    EXPECT_GT(idleCalls, 0);
}

TEST_F(ModuleWaitTest, AMailSendRunsTheIdleWork)
{
    ASSERT_NE(LoadModuleEntry(networkModuleFile, networkModuleEntry), nullptr);
    // Nothing answers on port 1: the connection's wait ends with its refusal.
    MailSettings mail;
    mail.host = "127.0.0.1";
    mail.port = 1;
    mail.from = "a@example.com";
    mail.to = { "b@example.com" };
    MailObserver nobody;
    const bool stopped = false;
    EXPECT_NE(Smtp::Send(mail, nobody, stopped, 500), Smtp::Result::Sent);
    EXPECT_GT(idleCalls, 0);
}

TEST_F(ModuleWaitTest, ATonePumpingEventsRunsTheIdleWork)
{
    ASSERT_NE(LoadModuleEntry(audioModuleFile, audioModuleEntry), nullptr);
    const std::unique_ptr<ToneOutput> tones = MakeAudioToneOutput();
    tones->Play(440, 100, Delays::Pump::Yes, nullptr);
    EXPECT_GT(idleCalls, 0);
}

} // namespace
