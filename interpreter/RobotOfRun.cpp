#include "interpreter/RobotOfRun.h"

#include "interpreter/EventThrottle.h"
#include "interpreter/RunScreen.h"
#include "platform/Events.h"
#include "platform/Waits.h"

namespace {

// The robot's pause after a redraw: without a step delay the window catches
// up only on the run loop's throttle, so drawing never slows a robot program;
// with a delay the pause is a wait that keeps the window live and ends early
// on a stop.
void PauseAfterRedraw(const RunScreen& screen, int milliseconds)
{
    if (milliseconds <= 0) {
        if (EventThrottle::Due()) platform::ProcessMessages();
        return;
    }
    // The redraw's painting counts towards the pause.
    const auto deadline = platform::DeadlineAfterMs(milliseconds);
    platform::ProcessMessages();
    platform::WaitUntil(deadline, [&screen] { return screen.stopped; });
}

} // namespace

RunRobot& RobotOfRun::Make()
{
    robot = MakeRunRobot();
    robot->random = [&random = random] { return random.Draw31(); };
    robot->pause = [&screen = screen](int milliseconds) { PauseAfterRedraw(screen, milliseconds); };
    robot->link = &link;
    robot->motionStep = motionStep;
    return *robot;
}
