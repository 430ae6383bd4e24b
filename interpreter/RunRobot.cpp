#include "interpreter/RunRobot.h"

#include "platform/WindowModule.h"

#include <cstdio>
#include <cstdlib>

namespace {

RobotMaker robotMaker = nullptr;

} // namespace

void SetRobotMaker(RobotMaker maker)
{
    robotMaker = maker;
}

std::unique_ptr<RunRobot> MakeRunRobot()
{
    if (robotMaker == nullptr) platform::RequireWindowModule();
    if (robotMaker == nullptr) {
        // Window parts that bring no robot are a broken build, not a program
        // error: no run could go on.
        std::fprintf(stderr, "quorvatine: the window parts have no robot\n");
        std::fflush(nullptr);
        std::_Exit(2);
    }
    return robotMaker();
}
