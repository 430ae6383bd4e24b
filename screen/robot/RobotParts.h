#pragma once

// Makes the run's robot a simulated robot on the run-time screen: part of
// installing the window parts.
void InstallRobotParts();
