#include "screen/robot/RobotParts.h"

#include "screen/robot/Robot_class.h"

void InstallRobotParts()
{
    SetRobotMaker([]() -> std::unique_ptr<RunRobot> { return std::make_unique<Robot_Class>(); });
}
