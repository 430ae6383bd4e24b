#include "screen/media/MediaModes.h"
#include "screen/media/WaveFile.h"
#include "tests/unit/media/MediaFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

// The wave writer's files read back field by field, and the rule that turns
// a player's state into a mode.

namespace {

uint32_t Field(const AnsiString& bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(k)]);
    return value;
}

TEST(WaveFile, HeaderFieldsReadBack)
{
    struct Case {
        WaveFormat format;
        size_t sampleBytes;
        uint32_t tag, blockAlign, dataSize;
    };
    const Case cases[] = {
        { { 22050, 1, 16, false }, 100, 1, 2, 100 },
        { { 8000, 2, 8, false }, 7, 1, 2, 6 }, // a partial frame is dropped
        { { 44100, 1, 8, false }, 5, 1, 1, 5 }, // odd data gets a pad byte
        { { 48000, 2, 32, true }, 16, 3, 8, 16 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.sampleRate);
        const AnsiString bytes = WaveFile::Bytes(c.format, AnsiString(c.sampleBytes, '\x11'));
        const uint32_t pad = c.dataSize % 2;
        ASSERT_EQ(bytes.size(), 44 + c.dataSize + pad);
        EXPECT_EQ(bytes.substr(0, 4), "RIFF");
        EXPECT_EQ(Field(bytes, 4, 4), 36 + c.dataSize + pad);
        EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Field(bytes, 16, 4), 16u);
        EXPECT_EQ(Field(bytes, 20, 2), c.tag);
        EXPECT_EQ(Field(bytes, 22, 2), static_cast<uint32_t>(c.format.channels));
        EXPECT_EQ(Field(bytes, 24, 4), static_cast<uint32_t>(c.format.sampleRate));
        EXPECT_EQ(Field(bytes, 28, 4), c.format.sampleRate * c.blockAlign);
        EXPECT_EQ(Field(bytes, 32, 2), c.blockAlign);
        EXPECT_EQ(Field(bytes, 34, 2), static_cast<uint32_t>(c.format.bitsPerSample));
        EXPECT_EQ(bytes.substr(36, 4), "data");
        EXPECT_EQ(Field(bytes, 40, 4), c.dataSize);
    }
}

TEST(WaveFile, WrittenFileHoldsTheSamples)
{
    const AnsiString samples = SineSamples(440, 8000, 50);
    const std::string path = MediaFiles::Get().Path("written.wav");
    WaveFormat format;
    format.sampleRate = 8000;
    ASSERT_TRUE(WaveFile::Write(path, format, samples));
    std::ifstream file(path, std::ios::binary);
    const AnsiString bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, WaveFile::Bytes(format, samples));
    EXPECT_EQ(bytes.substr(44), samples);
    EXPECT_FALSE(WaveFile::Write(MediaFiles::Get().Path("no/such/folder.wav"), format, samples));
}

TEST(MediaModes, StatusComesBeforeState)
{
    using P = QMediaPlayer;
    struct Case {
        bool open, recording;
        P::MediaStatus status;
        P::PlaybackState state;
        int mode;
    };
    const Case cases[] = {
        { false, false, P::BufferedMedia, P::PlayingState, Media::NotReady },
        { true, true, P::NoMedia, P::StoppedState, Media::Recording },
        // An undecodable file: invalid media, yet the state says playing.
        { true, false, P::InvalidMedia, P::PlayingState, Media::NotReady },
        { true, false, P::LoadingMedia, P::PlayingState, Media::NotReady },
        { true, false, P::BufferedMedia, P::PlayingState, Media::Playing },
        { true, false, P::BufferedMedia, P::PausedState, Media::Paused },
        { true, false, P::LoadedMedia, P::StoppedState, Media::Stopped },
        { true, false, P::EndOfMedia, P::StoppedState, Media::Stopped },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Media::ModeOf(c.open, c.recording, c.status, c.state), c.mode) << c.status << " " << c.state;
}

} // namespace
