#include "screen/media/MediaSlot.h"
#include "screen/media/MediaSlots.h"
#include "tests/unit/media/MediaFiles.h"

#include <QAudioDevice>
#include <QMediaDevices>

#include <gtest/gtest.h>

// The media media played for real through the backend (silently, in real
// time, without an audio device), with bounded waits.

namespace {

using namespace Media;
using namespace MediaOp;

class MediaSlotsTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!files.haveClips) GTEST_SKIP() << "gst-launch-1.0 could not make the test clips";
    }
    int ModeOf(int n) { return media.Control(n, Mode); }
    bool ModeBecomes(int n, int mode, int ms)
    {
        return WaitUntil([&] { return ModeOf(n) == mode; }, ms);
    }

    MediaFiles& files = MediaFiles::Get();
    bool stopped = false;
    MediaSlots media { stopped };
};

TEST_F(MediaSlotsTest, AClipPlaysToItsEndAndItsSlotCloses)
{
    media.Play(3, files.tone, false);
    EXPECT_EQ(ModeOf(3), Playing);
    EXPECT_TRUE(ModeBecomes(3, NotReady, 2000));
    // The player stays in its slot, closed.
    EXPECT_NE(media.SlotAt(3), nullptr);
}

TEST_F(MediaSlotsTest, ALoopingClipRestartsAtItsEnd)
{
    media.Play(0, files.tone, true);
    bool restarted = false;
    MediaSlot* slot = media.SlotAt(0);
    qint64 last = 0;
    WaitUntil(
        [&] {
            const qint64 position = slot->Player().position();
            restarted = restarted || position + 100 < last;
            last = position;
            return false;
        },
        1200);
    EXPECT_TRUE(restarted);
    EXPECT_EQ(ModeOf(0), Playing);
}

TEST_F(MediaSlotsTest, PauseResumeAndStop)
{
    media.Play(1, files.clip, true);
    ASSERT_EQ(ModeOf(1), Playing);
    media.Control(1, Pause);
    EXPECT_TRUE(ModeBecomes(1, Paused, 1000));
    // A paused clip stays paused, whatever time passes.
    WaitUntil([] { return false; }, 300);
    EXPECT_EQ(ModeOf(1), Paused);
    media.Control(1, Resume);
    EXPECT_TRUE(ModeBecomes(1, Playing, 1000));
    media.Control(1, Close);
    EXPECT_EQ(ModeOf(1), NotReady);
    EXPECT_EQ(media.Control(1, IsVideo), 0);
}

TEST_F(MediaSlotsTest, VideoAndSoundSizes)
{
    // The second clip in a slot is measured as the first was.
    media.Play(0, files.tinyClip, false);
    media.Play(0, files.clip, false);
    media.Play(1, files.tone, false);
    EXPECT_EQ(media.Control(0, IsVideo), 1);
    EXPECT_EQ(media.Control(0, VideoWidth), 64);
    EXPECT_EQ(media.Control(0, VideoHeight), 48);
    EXPECT_EQ(media.Control(1, IsVideo), 0);
    EXPECT_EQ(media.Control(1, VideoWidth), 0);
    EXPECT_EQ(media.Control(1, VideoHeight), 0);
}

TEST_F(MediaSlotsTest, FilesThatCannotPlayEmptyTheirSlot)
{
    for (const std::string& file : { files.missing, files.garbage }) {
        SCOPED_TRACE(file);
        media.Play(2, files.tone, true);
        ASSERT_NE(media.SlotAt(2), nullptr);
        media.Play(2, file, false);
        EXPECT_EQ(media.SlotAt(2), nullptr);
        EXPECT_EQ(ModeOf(2), NotReady);
        EXPECT_EQ(media.Control(2, IsVideo), 0);
    }
}

TEST_F(MediaSlotsTest, SlotNumbers)
{
    // Growth: slot 3 first makes the media before it, empty.
    media.Play(3, files.tone, true);
    EXPECT_GE(media.Capacity(), 4);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(media.SlotAt(n), nullptr);
    EXPECT_EQ(ModeOf(3), Playing);
    // A negative slot is slot 0, for playing as for asking.
    media.Play(-5, files.tone, true);
    EXPECT_EQ(ModeOf(0), Playing);
    EXPECT_EQ(ModeOf(-1), Playing);
    // Above the highest slot nothing is made.
    media.Play(HighestSlot + 1, files.tone, false);
    EXPECT_EQ(ModeOf(HighestSlot + 1), NotReady);
    EXPECT_LE(media.Capacity(), HighestSlot + 1);
    // Op -1 empties every slot.
    EXPECT_EQ(media.Control(3, CloseAll), 0);
    EXPECT_EQ(media.SlotAt(0), nullptr);
    EXPECT_EQ(media.SlotAt(3), nullptr);
}

TEST_F(MediaSlotsTest, OperationsOnAnEmptyOrPlayingSlot)
{
    for (int op : { Pause, Resume, Close, Mode, Save, Show, Hide, IsVideo, VideoWidth, VideoHeight })
        EXPECT_EQ(media.Control(7, op), 0) << "op " << op;
    // Saving is for recordings: a playing clip plays on.
    media.Play(0, files.tone, true);
    media.Control(0, Save);
    EXPECT_EQ(ModeOf(0), Playing);
}

TEST_F(MediaSlotsTest, RecordingWithoutAnInputEmptiesTheSlot)
{
    if (!QMediaDevices::defaultAudioInput().isNull()) GTEST_SKIP() << "this machine has an audio input";
    media.Record(0, files.Path("recorded.wav"));
    EXPECT_EQ(media.SlotAt(0), nullptr);
    EXPECT_EQ(ModeOf(0), NotReady);
}

} // namespace
