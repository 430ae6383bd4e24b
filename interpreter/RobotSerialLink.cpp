#include "interpreter/RobotSerialLink.h"

#include "devices/Ports_comms_io.h"

bool RobotSerialLink::Exchange(uint8_t command, uint8_t argument, uint8_t reply[5])
{
    TPorts_Comms_IO_Form& ports = Ports_Comms_IO_Form();
    ports.ClearSerBuffer(1);
    ports.SerOutByte(command);
    ports.SerOutByte(argument);
    return ports.SerBytesIn(reply, 5);
}
