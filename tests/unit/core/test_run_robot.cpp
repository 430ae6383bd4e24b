#include "tests/support/RecordingScreen.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/ProgramFiles.h"
#include "interpreter/RunRobot.h"
#include "screen/robot/RobotParts.h"
#include "screen/robot/Robot_class.h"

#include <gtest/gtest.h>

#include <string>

// A run makes its robot through the maker that the window parts set, the
// first time the program uses it, and only then.

namespace {

int robotsMade = 0;

std::unique_ptr<RunRobot> CountingMaker()
{
    ++robotsMade;
    return std::make_unique<Robot_Class>();
}

class RobotOfRunTest : public testing::Test {
protected:
    void SetUp() override
    {
        robotsMade = 0;
        SetRobotMaker(&CountingMaker);
    }
    void TearDown() override { InstallRobotParts(); }
};

TEST_F(RobotOfRunTest, TheRobotIsMadeOnceAtItsFirstUse)
{
    struct Case {
        const char* program;
        int made;
        const char* printed;
    };
    const Case cases[] = {
        { "x = 1 + 2\nprint x\n", 0, "3\n" },
        { "if 1 = 2 then rcharge 5\nprint 4\n", 0, "4\n" },
        // The statement and the function act on one robot, which starts fresh.
        { "print rchargelevel()\nrcharge 50\nprint rchargelevel()\n", 1, "0\n50\n" },
        // An inner evaluator reaches the same robot as the run.
        { "rcharge 30\nprint evaluate(\"rchargelevel()\")\n", 1, "30\n" },
        { "print evaluate(\"rchargelevel()\")\nrcharge 20\nprint rchargelevel()\n", 1, "0\n20\n" },
    };
    for (const Case& c : cases) {
        robotsMade = 0;
        RecordingScreen screen;
        {
            Durnix_Class run(screen);
            EXPECT_EQ(run.Run(ProgramFiles::NormaliseLineEnds(c.program)), 1) << c.program;
        }
        EXPECT_EQ(robotsMade, c.made) << c.program;
        EXPECT_EQ(screen.printed, c.printed) << c.program;
    }
}

TEST_F(RobotOfRunTest, EachRunHasARobotOfItsOwn)
{
    RecordingScreen screen;
    Durnix_Class first(screen);
    Durnix_Class second(screen);
    first.Run(ProgramFiles::NormaliseLineEnds("rcharge 40\n"));
    second.Run(ProgramFiles::NormaliseLineEnds("print rchargelevel()\n"));
    EXPECT_EQ(robotsMade, 2);
    EXPECT_EQ(screen.printed, "0\n");
}

} // namespace
