#include "tests/support/RunHarness.h"
#include "tests/unit/media/MediaFiles.h"

#include <gtest/gtest.h>

// A run's media end with it: the next run finds every slot empty and no wave
// sound playing.

namespace {

TEST(MediaRuns, TheEndOfARunClosesItsSlotsAndStopsItsSound)
{
    const std::string tone = MediaFiles::Get().tone;
    const RunResult first = RunProgram(
        "mediaplay 2, \"" + tone + "\", 1\nplaywav \"" + tone + "\", 1, 1\nprint mediastate(2), \" \", wavbusy()\n");
    EXPECT_EQ(first.output, "2 1\n");
    const RunResult second = RunProgram("print mediastate(2), \" \", wavbusy()\n");
    EXPECT_EQ(second.output, "0 0\n");
}

} // namespace
