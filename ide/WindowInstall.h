#pragma once

// Installs the window module's parts into the program's seams: the desktop
// queries, the drawing parts, the robot, and the environment and headless
// screen of WindowParts. The module's entry calls it; so do programs that link
// the parts in-process.
void InstallWindowParts();
