#include "screen/media/MediaPipeline.h"
#include "screen/media/MediaSlot.h"
#include "screen/media/MediaSlots.h"
#include "screen/media/VideoPanel.h"
#include "screen/media/VideoScreenForm.h"
#include "screen/media/WavePlayer.h"
#include "tests/unit/media/MediaFiles.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Each clip plays on a thread of its own: a pipeline that never gets going
// holds only that thread, never the run, and every clip's thread ends once
// the clip is closed.

namespace {

using namespace MediaOp;

// A named pipe that nobody writes: opening it for reading waits until a
// writer comes, as a file on a stalled device or share would.
class StalledFile {
public:
    StalledFile()
        : path(MediaFiles::Get().Path("stalled.wav"))
    {
        unlink(path.c_str());
        made = mkfifo(path.c_str(), 0600) == 0;
    }
    // Lets the readers that wait on it go (they read an empty file).
    ~StalledFile()
    {
        for (int k = 0; k < 50; ++k) {
            const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) close(fd);
            usleep(10000);
        }
        unlink(path.c_str());
    }
    std::string path;
    bool made = false;
};

qint64 Timed(const std::function<void()>& call)
{
    QElapsedTimer clock;
    clock.start();
    call();
    return clock.elapsed();
}

TEST(MediaPipeline, AStalledFileHoldsNoCallPastItsTimeOut)
{
    StalledFile stalled;
    ASSERT_TRUE(stalled.made);
    bool stopped = false;
    {
        MediaSlots media { stopped };
        // The slot waits at most for the load limit, then empties itself.
        EXPECT_LT(Timed([&] { media.Play(0, stalled.path, false); }), Media::LoadLimitMs + 1000);
        EXPECT_EQ(media.SlotAt(0), nullptr);
        EXPECT_EQ(media.Control(0, Mode), Media::NotReady);

        // A background sound returns at once, and so does stopping it.
        WavePlayer wave { stopped };
        EXPECT_LT(Timed([&] { wave.Play(stalled.path, true, true); }), 500);
        EXPECT_LT(Timed([&] { wave.Stop(); }), 500);
        EXPECT_FALSE(wave.Busy());

        // The run's stop ends a synchronous sound's wait.
        stopped = true;
        EXPECT_LT(Timed([&] { wave.Play(stalled.path, false, false); }), 500);
    }
}

TEST(MediaPipeline, EveryClipsThreadEndsOnceItIsClosed)
{
    MediaFiles& files = MediaFiles::Get();
    if (!files.haveClips) GTEST_SKIP() << "gst-launch-1.0 could not make the test clips";
    // Whatever a stalled file of another test left is let go by now.
    ASSERT_TRUE(MediaPipeline::WaitForLiveClips(5000));
    bool stopped = false;
    {
        MediaSlots media { stopped };
        WavePlayer wave { stopped };
        for (int k = 0; k < 10; ++k) {
            media.Play(k % 3, k % 2 ? files.clip : files.tone, k % 4 == 0);
            wave.Play(files.tone, true, k % 2 == 1);
            media.Play(3, files.garbage, false);
            media.Control(k % 3, Pause);
        }
        EXPECT_GT(MediaPipeline::LiveClips(), 0);
        media.CloseAll();
        wave.Stop();
    }
    EXPECT_TRUE(MediaPipeline::WaitForLiveClips(5000)) << MediaPipeline::LiveClips() << " clips left";
}

TEST(MediaPipeline, TheVideoWindowShowsTheClipsFrames)
{
    MediaFiles& files = MediaFiles::Get();
    if (!files.haveClips) GTEST_SKIP() << "gst-launch-1.0 could not make the test clips";
    bool stopped = false;
    MediaSlots media { stopped };
    media.Play(0, files.clip, true);
    media.Control(0, Show);
    TVideoScreenForm& window = media.VideoWindow();
    ASSERT_TRUE(WaitUntil([&] { return !window.Panel1->Frame().isNull(); }, 2000));
    EXPECT_EQ(window.Panel1->Frame().size(), QSize(64, 48));
    // The test picture's first column is white, its last black.
    const QImage frame = window.Panel1->Frame();
    EXPECT_GT(qGray(frame.pixel(1, 10)), 150);
    EXPECT_LT(qGray(frame.pixel(62, 10)), 60);
    // Once the window lets go of the slot, its panel goes black.
    media.Control(0, Close);
    EXPECT_TRUE(window.Panel1->Frame().isNull());
}

} // namespace
