#include "screen/media/MediaService.h"
#include "screen/media/WavePlayer.h"
#include "tests/unit/media/MediaFiles.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <memory>

extern "C" MediaService* QvMakeMediaService(const bool* stopped);

// The wave player: a synchronous sound lasts as long as it plays and never
// hangs; a background one reports itself busy while it plays.

namespace {

class WavePlayerTest : public testing::Test {
protected:
    qint64 TimedPlay(const std::string& file)
    {
        QElapsedTimer clock;
        clock.start();
        player.Play(file, false, false);
        return clock.elapsed();
    }

    MediaFiles& files = MediaFiles::Get();
    bool stopped = false;
    WavePlayer player { stopped };
};

TEST_F(WavePlayerTest, ASynchronousSoundLastsItsLength)
{
    const qint64 elapsed = TimedPlay(files.tone);
    EXPECT_GE(elapsed, 350);
    EXPECT_LT(elapsed, 400 + WavePlayer::EndGraceMs);
    EXPECT_FALSE(player.Busy());
}

TEST_F(WavePlayerTest, ASynchronousSoundThatCannotPlayReturnsAtOnce)
{
    for (const std::string& file : { files.missing, files.garbage }) {
        SCOPED_TRACE(file);
        EXPECT_LT(TimedPlay(file), 1000);
        EXPECT_FALSE(player.Busy());
    }
}

TEST_F(WavePlayerTest, AStoppedRunEndsTheWait)
{
    // The sound lasts 5 s: the bound leaves a loaded machine room to open
    // and close its pipeline, and is still far from the sound's length.
    stopped = true;
    EXPECT_LT(TimedPlay(files.longTone), 1000);
}

TEST_F(WavePlayerTest, BackgroundSoundsPlayOnceOrLoop)
{
    player.Play(files.tone, true, false);
    EXPECT_TRUE(WaitUntil([&] { return player.Busy(); }, 1000));
    EXPECT_TRUE(WaitUntil([&] { return !player.Busy(); }, 2000));

    player.Play(files.tone, true, true);
    WaitUntil([] { return false; }, 1000);
    EXPECT_TRUE(player.Busy());
    // An empty name stops it.
    player.Play({}, true, false);
    EXPECT_FALSE(player.Busy());
}

TEST(MediaService, ClosingTheScreenStopsALoopingWaveSound)
{
    bool stopped = false;
    std::unique_ptr<MediaService> media(QvMakeMediaService(&stopped));
    media->PlayWave(MediaFiles::Get().tone, true, true);
    ASSERT_TRUE(WaitUntil([&] { return media->WaveBusy(); }, 1000));
    media->CloseAll();
    EXPECT_FALSE(media->WaveBusy());
    WaitUntil([] { return false; }, 600);
    EXPECT_FALSE(media->WaveBusy());
}

} // namespace
