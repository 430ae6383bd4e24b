#pragma once

#include "interpreter/RunRobot.h"

// The real robot on the serial port of the ports service: each exchange
// discards what waits in the input queue (a late reply to an earlier command
// must not stand for this one), sends command and argument, and waits up to
// the serial time-out for the five-byte reply.
class RobotSerialLink : public RobotLink {
public:
    bool Exchange(uint8_t command, uint8_t argument, uint8_t reply[5]) override;
};
