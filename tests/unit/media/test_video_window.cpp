#include "screen/media/MediaSlot.h"
#include "screen/media/MediaSlots.h"
#include "screen/media/VideoScreenForm.h"
#include "tests/unit/media/MediaFiles.h"

#include <gtest/gtest.h>

// The video window under the offscreen platform: where it goes, how large
// its client area is and what its caption says, as a clip is shown in it.

namespace {

using namespace Media;
using namespace MediaOp;

class VideoWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!files.haveClips) GTEST_SKIP() << "gst-launch-1.0 could not make the test clips";
        // The window lives for the program: each test starts from it as
        // built. (The offscreen platform takes geometry from a hidden window
        // only when it is shown.)
        window().show();
        window().move(0, 0);
        window().resize(200, 200);
        window().setWindowTitle("Quorvatine Video:");
        WaitUntil([] { return false; }, 20);
        window().close();
    }
    TVideoScreenForm& window() { return media.VideoWindow(); }
    std::string Caption() { return window().windowTitle().toStdString(); }

    MediaFiles& files = MediaFiles::Get();
    bool stopped = false;
    MediaSlots media { stopped };
};

TEST(VideoWindow, BuiltAtTheOriginWithItsCaptionBase)
{
    TVideoScreenForm window;
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    EXPECT_EQ(window.size(), QSize(200, 200));
    EXPECT_EQ(window.windowTitle().toStdString(), "Quorvatine Video:");
    EXPECT_TRUE(window.isHidden());
    EXPECT_TRUE(window.resizeToClip && window.placeAtOrigin);
}

TEST_F(VideoWindowTest, AClipShownSizesTheWindowToItself)
{
    window().move(40, 30);
    media.Play(0, files.clip, true);
    media.Control(0, Show);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().pos(), QPoint(0, 0));
    EXPECT_EQ(window().size(), QSize(64, 48));
    EXPECT_EQ(Caption(), "Quorvatine Video:clip.avi");
    // The video follows the window's size.
    window().resize(100, 80);
    EXPECT_EQ(media.Control(0, VideoWidth), 100);
    EXPECT_EQ(media.Control(0, VideoHeight), 80);
    media.Control(0, Hide);
    EXPECT_TRUE(window().isHidden());
    // Once the window shows another clip, the first has its own size again.
    media.Play(1, files.tinyClip, true);
    media.Control(1, Show);
    EXPECT_EQ(media.Control(0, VideoWidth), 64);
    EXPECT_EQ(media.Control(0, VideoHeight), 48);
}

TEST_F(VideoWindowTest, SoundShownInTheWindowStaysNoVideo)
{
    media.Play(0, files.tone, true);
    media.Control(0, Show);
    window().resize(120, 90);
    EXPECT_EQ(media.Control(0, IsVideo), 0);
    EXPECT_EQ(media.Control(0, VideoWidth), 0);
    EXPECT_EQ(window().size(), QSize(120, 90));
}

TEST_F(VideoWindowTest, AClipLowerThanTwentyLeavesTheWindowAsItIs)
{
    media.Play(0, files.tinyClip, true);
    EXPECT_EQ(media.Control(0, VideoHeight), 16);
    media.Control(0, Show);
    EXPECT_EQ(window().size(), QSize(200, 200));
    EXPECT_EQ(Caption(), "Quorvatine Video:");
}

TEST_F(VideoWindowTest, APlacedWindowKeepsItsPlaceUntilItCloses)
{
    window().Reposition(30, 40, 150, 120);
    EXPECT_FALSE(window().placeAtOrigin);
    EXPECT_FALSE(window().resizeToClip);
    media.Play(0, files.clip, true);
    media.Control(0, Show);
    EXPECT_EQ(window().frameGeometry().topLeft(), QPoint(30, 40));
    EXPECT_EQ(window().frameGeometry().size(), QSize(150, 120));
    // The video takes the window's client area.
    EXPECT_EQ(media.Control(0, VideoWidth), window().width());
    // Closing the window closes its player and sets both switches again.
    window().close();
    EXPECT_EQ(media.Control(0, Mode), NotReady);
    EXPECT_TRUE(window().placeAtOrigin);
    EXPECT_TRUE(window().resizeToClip);
}

TEST_F(VideoWindowTest, OnlyTheGivenDimensionsChange)
{
    window().Reposition(-1, 25, 0, -1);
    EXPECT_TRUE(window().placeAtOrigin == false);
    EXPECT_TRUE(window().resizeToClip);
    EXPECT_EQ(window().frameGeometry().topLeft(), QPoint(0, 25));
}

TEST_F(VideoWindowTest, StoppingOrEndingTheShownClipClosesTheWindow)
{
    media.Play(0, files.clip, true);
    media.Control(0, Show);
    media.Control(0, Close);
    EXPECT_TRUE(window().isHidden());
    EXPECT_EQ(window().player, nullptr);
    // A clip that plays once ends after its 2 s.
    media.Play(1, files.clip, false);
    media.Control(1, Show);
    ASSERT_TRUE(window().isVisible());
    EXPECT_TRUE(WaitUntil([&] { return window().isHidden(); }, 4000));
    EXPECT_EQ(media.Control(1, Mode), NotReady);
}

TEST_F(VideoWindowTest, EmptyingTheShownSlotClosesTheWindow)
{
    media.Play(0, files.clip, true);
    media.Control(0, Show);
    media.CloseAll();
    EXPECT_TRUE(window().isHidden());
    EXPECT_EQ(window().player, nullptr);
}

} // namespace
