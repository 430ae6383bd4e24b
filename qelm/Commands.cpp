#define QELM_BUILDING
#include "qelm/Exchange.h"
#include "qelm/qelm.h"

#include <cstring>
#include <initializer_list>

// The board commands: each builds one 8-byte block (or a short fixed run of
// them) from its arguments, runs the write-read exchange and hands back parts
// of the reply. Results are written back only when the exchange succeeded.

using namespace qelm;

namespace {

unsigned char Byte(int value)
{
    return static_cast<unsigned char>(value & 0xFF);
}

// One exchange of the block {code, bytes...}; the reply is left in `reply`.
bool Run(int device, int code, std::initializer_list<int> bytes, unsigned char reply[8])
{
    std::memset(reply, 0, 8);
    reply[0] = Byte(code);
    int k = 1;
    for (int b : bytes)
        reply[k++] = Byte(b);
    return WriteRead(device, reply);
}

int Command(const char* name, int device, int code, std::initializer_list<int> bytes = {})
{
    if (!EnterDeviceExport(name, device)) return False();
    unsigned char reply[8];
    return Run(device, code, bytes, reply) ? True() : False();
}

// A command that returns reply byte 1 through `out`.
int ReadByte(const char* name, int device, int code, unsigned char* out, std::initializer_list<int> bytes = {})
{
    if (!EnterDeviceExport(name, device)) return False();
    unsigned char reply[8];
    if (!Run(device, code, bytes, reply)) return False();
    *out = reply[1];
    return True();
}

// Commands with a count byte and six data bytes going out in bytes 1 to 7;
// with `readBack` the reply's bytes 1 to 7 come back into them.
int CountAndData(
    const char* name, int device, int code, unsigned char* count, unsigned char* data6, bool sendData, bool readBack)
{
    if (!EnterDeviceExport(name, device)) return False();
    unsigned char block[8] = {};
    block[0] = Byte(code);
    if (sendData) {
        block[1] = *count;
        std::memcpy(block + 2, data6, 6);
    }
    if (!WriteRead(device, block)) return False();
    if (readBack) {
        *count = block[1];
        std::memcpy(data6, block + 2, 6);
    }
    return True();
}

// The 1-wire reads and the reset: the whole 8-byte reply comes back.
int WholeReply(const char* name, int device, int code, std::initializer_list<int> bytes, unsigned char* block8)
{
    if (!EnterDeviceExport(name, device)) return False();
    unsigned char reply[8];
    if (!Run(device, code, bytes, reply)) return False();
    std::memcpy(block8, reply, 8);
    return True();
}

// Runs every step even when one fails; the result is the last one's.
int Sequence(const char* name, int device, std::initializer_list<std::initializer_list<int>> steps)
{
    if (!EnterDeviceExport(name, device)) return False();
    bool ok = false;
    for (auto step : steps) {
        unsigned char reply[8];
        auto it = step.begin();
        const int code = *it++;
        unsigned char block[8] = {};
        block[0] = Byte(code);
        for (int k = 1; it != step.end(); ++it, ++k)
            block[k] = Byte(*it);
        std::memcpy(reply, block, 8);
        ok = WriteRead(device, reply);
    }
    return ok ? True() : False();
}

} // namespace

extern "C" {

int Qelm_InitPorts(int device)
{
    return Command("Qelm_InitPorts", device, 0);
}

int Qelm_InitPortsWexaA(int device)
{
    return Command("Qelm_InitPortsWexaA", device, 0);
}

int Qelm_InitPortsWexaB(int device)
{
    return Command("Qelm_InitPortsWexaB", device, 0);
}

int Qelm_InitPortsWexaC(int device)
{
    return Sequence("Qelm_InitPortsWexaC", device, { { 0 }, { 9, 0xFF, 0xFF }, { 10, 0xFF, 0xFF } });
}

int Qelm_InitPortsWexaD(int device)
{
    return Sequence("Qelm_InitPortsWexaD", device, { { 0 }, { 10, 0xFF, 0xFF } });
}

int Qelm_WriteA(int device, int value)
{
    return Command("Qelm_WriteA", device, 1, { value });
}

int Qelm_WriteB(int device, int value)
{
    return Command("Qelm_WriteB", device, 2, { value });
}

int Qelm_WriteABit(int device, int p1, int p2)
{
    return Command("Qelm_WriteABit", device, 3, { p1, p2 });
}

int Qelm_WriteBBit(int device, int p1, int p2)
{
    return Command("Qelm_WriteBBit", device, 4, { p1, p2 });
}

int Qelm_ReadA(int device, unsigned char* out)
{
    return ReadByte("Qelm_ReadA", device, 5, out);
}

int Qelm_ReadB(int device, unsigned char* out)
{
    return ReadByte("Qelm_ReadB", device, 6, out);
}

int Qelm_SetBit(int device, int bit)
{
    return Command("Qelm_SetBit", device, 7, { bit });
}

int Qelm_ResetBit(int device, int bit)
{
    return Command("Qelm_ResetBit", device, 8, { bit });
}

int Qelm_DirectionA(int device, int p1, int p2)
{
    return Command("Qelm_DirectionA", device, 9, { p1, p2 });
}

int Qelm_DirectionB(int device, int p1, int p2)
{
    return Command("Qelm_DirectionB", device, 10, { p1, p2 });
}

int Qelm_DirectionAOut(int device)
{
    return Command("Qelm_DirectionAOut", device, 9, { 0xFF, 0xFF });
}

int Qelm_DirectionBOut(int device)
{
    return Command("Qelm_DirectionBOut", device, 10, { 0xFF, 0xFF });
}

int Qelm_DirectionAIn(int device)
{
    return Command("Qelm_DirectionAIn", device, 9, { 0, 0 });
}

int Qelm_DirectionBIn(int device)
{
    return Command("Qelm_DirectionBIn", device, 10, { 0, 0 });
}

int Qelm_DirectionAInPullup(int device)
{
    return Sequence("Qelm_DirectionAInPullup", device, { { 9, 0, 0xFF }, { 1, 0xFF } });
}

int Qelm_DirectionBInPullup(int device)
{
    return Sequence("Qelm_DirectionBInPullup", device, { { 10, 0, 0xFF }, { 2, 0xFF } });
}

int Qelm_StrobeWrite(int device, int p1, int p2, int p3)
{
    return Command("Qelm_StrobeWrite", device, 11, { p1, p2, p3 });
}

int Qelm_StrobeWrite2(int device, int p1, int p2, int p3, int p4, int p5)
{
    return Command("Qelm_StrobeWrite2", device, 11, { p1, p2, p3, p4, p5 });
}

int Qelm_StrobeRead(int device, unsigned char* out, int p1, int p2)
{
    return ReadByte("Qelm_StrobeRead", device, 12, out, { 0, p1, p2 });
}

int Qelm_StrobeRead2(int device, unsigned char* out, int p1, int p2, int p3, int p4)
{
    return ReadByte("Qelm_StrobeRead2", device, 12, out, { 0, p1, p2, p3, p4 });
}

int Qelm_StrobeWrites(int device, unsigned char* count, unsigned char* data6)
{
    return CountAndData("Qelm_StrobeWrites", device, 13, count, data6, true, true);
}

int Qelm_StrobeReads(int device, unsigned char* count, unsigned char* data6)
{
    return CountAndData("Qelm_StrobeReads", device, 14, count, data6, true, true);
}

int Qelm_ReadLatches(int device, unsigned char* out4)
{
    if (!EnterDeviceExport("Qelm_ReadLatches", device)) return False();
    unsigned char reply[8];
    if (!Run(device, 15, {}, reply)) return False();
    std::memcpy(out4, reply + 1, 4);
    return True();
}

int Qelm_InitLCD(int device, int p1, int p2)
{
    return Command("Qelm_InitLCD", device, 16, { p1, p2 });
}

int Qelm_LCDCmd(int device, int value)
{
    return Command("Qelm_LCDCmd", device, 17, { value });
}

int Qelm_LCDData(int device, int value)
{
    return Command("Qelm_LCDData", device, 18, { value });
}

int Qelm_InitSPI(int device, int value)
{
    return Command("Qelm_InitSPI", device, 20, { value });
}

int Qelm_SPIMaster(int device, unsigned char* count, unsigned char* data6)
{
    return CountAndData("Qelm_SPIMaster", device, 21, count, data6, true, true);
}

int Qelm_SPISlaveWrite(int device, int p, unsigned char* data6)
{
    if (!EnterDeviceExport("Qelm_SPISlaveWrite", device)) return False();
    unsigned char block[8] = {};
    block[0] = 22;
    block[1] = Byte(p);
    std::memcpy(block + 2, data6, 6);
    return WriteRead(device, block) ? True() : False();
}

int Qelm_SPISlaveRead(int device, unsigned char* count, unsigned char* data6)
{
    return CountAndData("Qelm_SPISlaveRead", device, 23, count, data6, false, true);
}

int Qelm_Wire2Control(int device, unsigned char* data6)
{
    if (!EnterDeviceExport("Qelm_Wire2Control", device)) return False();
    unsigned char reply[8];
    if (!Run(device, 24, { data6[0] }, reply)) return False();
    std::memcpy(data6, reply + 1, 6);
    return True();
}

int Qelm_Wire2Data(int device, unsigned char* data6)
{
    if (!EnterDeviceExport("Qelm_Wire2Data", device)) return False();
    unsigned char reply[8];
    if (!Run(device, 25, { data6[0], data6[1], data6[2] }, reply)) return False();
    std::memcpy(data6, reply + 1, 6);
    return True();
}

int Qelm_Stepper(int device, int p1, int p2, int p3, int p4, int p5, int p6, int p7)
{
    const int packed = Byte(p2) * 128 + Byte(p3) * 64 + Byte(p4) * 16 + Byte(p5);
    return Command("Qelm_Stepper", device, 28, { p1, packed, p6, p7 });
}

int Qelm_Reset1Wire(int device, unsigned char* block8)
{
    return WholeReply("Qelm_Reset1Wire", device, 29, { block8[0] }, block8);
}

int Qelm_Write1Wire(int device, int value)
{
    return Command("Qelm_Write1Wire", device, 30, { value });
}

int Qelm_Write1WireBit(int device, int value)
{
    return Command("Qelm_Write1WireBit", device, 30, { value, 1 });
}

int Qelm_Read1Wire(int device, unsigned char* block8)
{
    return WholeReply("Qelm_Read1Wire", device, 31, {}, block8);
}

int Qelm_Read1WireBit(int device, unsigned char* block8)
{
    return WholeReply("Qelm_Read1WireBit", device, 31, { 0, 1 }, block8);
}

} // extern "C"
