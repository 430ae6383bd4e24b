#pragma once

#include "interpreter/RunRobot.h"
#include "support/RandomNumbers.h"

#include <functional>
#include <memory>
#include <utility>

class RunScreen;

// The robot of one run, made when the program first uses it: a program that
// never touches the robot neither makes one nor installs the window parts.
// Until then the robot is what a fresh one would be, so nothing a program
// observes depends on when it is made.
class RobotOfRun {
public:
    // The robot pauses on `runScreen`, talks to a real robot through
    // `robotLink` and draws from the run's generator `runRandom`; all must
    // outlive it. `stepAllowed` becomes the robot's motion step (see RunRobot).
    RobotOfRun(RunScreen& runScreen, RobotLink& robotLink, RandomNumbers::Generator& runRandom,
        std::function<bool()> stepAllowed = {})
        : screen(runScreen)
        , link(robotLink)
        , random(runRandom)
        , motionStep(std::move(stepAllowed))
    { }
    RobotOfRun(const RobotOfRun&) = delete;
    RobotOfRun& operator=(const RobotOfRun&) = delete;

    RunRobot& Get() { return robot ? *robot : Make(); }

private:
    RunRobot& Make();

    RunScreen& screen;
    RobotLink& link;
    RandomNumbers::Generator& random;
    std::function<bool()> motionStep;
    std::unique_ptr<RunRobot> robot;
};
