#include "devices/Joystick.h"
#include "tests/support/RunHarness.h"
#include "tests/unit/ports/PortsFixture.h"

namespace {

class FakeJoysticks : public JoystickSource {
public:
    JoystickState first;
    bool present = true;
    int lastNumber = 0;
    bool Read(int number, JoystickState& state) override
    {
        lastNumber = number;
        if (!present) return false;
        state = first;
        return true;
    }
};

class JoystickTest : public PortsTest {
protected:
    FakeJoysticks* fake = nullptr;
    void SetUp() override
    {
        PortsTest::SetUp();
        auto source = std::make_unique<FakeJoysticks>();
        fake = source.get();
        SetJoystickSourceForTests(std::move(source));
        JoystickState& s = fake->first;
        s.axes[0] = { true, 64, -128, 127 };
        s.axes[1] = { true, 255, 0, 255 };
        s.axes[2] = { true, 5, 5, 5 };
        s.axes[4] = { true, 10, 0, 20 };
        s.axisCount = 4;
        s.buttons = 0b1100;
        s.buttonCount = 6;
        s.hasHat = true;
        s.povDegrees = 90;
    }
    void TearDown() override
    {
        SetJoystickSourceForTests(nullptr);
        PortsTest::TearDown();
    }
};

constexpr const char* readAll = "joystick 2, x, y, z, b\n"
                                "print x, \" \", y, \" \", z, \" \", b\n"
                                "joysticke 1, j\n"
                                "for r = 0 to 7\n"
                                "print j[r, 0], \",\", j[r, 1], \",\", j[r, 2]\n"
                                "next r\n";

TEST_F(JoystickTest, RowsFromADevice)
{
    const RunResult result = RunProgram(readAll);
    ASSERT_EQ(result.ended, 1) << result.output;
    EXPECT_EQ(result.output,
        // x counted from its minimum, z without a range is -1.
        "0.752941176470588 1 -1 12\n"
        "192,0,255\n"
        "255,0,255\n"
        "0,0,0\n"
        "-1,-1,-1\n"
        "10,0,20\n"
        "-1,-1,-1\n"
        "12,3,6\n"
        "90,1,4\n");
    EXPECT_EQ(fake->lastNumber, 1);
}

TEST_F(JoystickTest, DefaultsWithoutADevice)
{
    fake->present = false;
    const RunResult result = RunProgram(readAll);
    ASSERT_EQ(result.ended, 1) << result.output;
    EXPECT_EQ(result.output,
        "-1 -1 -1 -1\n"
        "-1,-1,-1\n-1,-1,-1\n-1,-1,-1\n-1,-1,-1\n-1,-1,-1\n-1,-1,-1\n"
        "0,0,0\n"
        "-1,-1,0\n");
}

TEST_F(JoystickTest, TwoAxesLeaveZAlone)
{
    fake->first.axisCount = 2;
    fake->first.hasHat = false;
    fake->first.povDegrees = -1;
    const RunResult result = RunProgram("joystick 1, x, y, z, b\nprint z\njoysticke 1, j\nprint j[7, 0], j[7, 1]\n");
    EXPECT_EQ(result.output, "-1\n-10\n");
}

TEST_F(JoystickTest, ArgumentErrors)
{
    EXPECT_EQ(RunProgram("joystick 1, x, y, z").errorNumber, 30);
    EXPECT_EQ(RunProgram("joystick 1, x, y, z, 5").errorNumber, 52);
    EXPECT_EQ(RunProgram("joysticke 1").errorNumber, 30);
}

} // namespace
