#pragma once

// The USB I/O board library: finds the boards of the family among the HID
// devices, keeps up to 50 of them in a device table and exchanges 8-byte
// command blocks with them. Every function returns TRUE (-1) or FALSE (0)
// unless said otherwise; before the first Qelm_FindDevices both read 0.
// Device numbers and integer parameters count by their low byte.

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QELM_BUILDING)
#define QELM_EXPORT __attribute__((visibility("default")))
#else
#define QELM_EXPORT
#endif

// Discovery, device data and texts.
QELM_EXPORT int Qelm_FindDevices(void);
QELM_EXPORT int Qelm_NumberOfDevices(void);
QELM_EXPORT int Qelm_ClearRecentError(void);
QELM_EXPORT int Qelm_SetReadTimeout(int milliseconds);
QELM_EXPORT int Qelm_RecentError(char* text); // 199 characters and a zero
QELM_EXPORT int Qelm_DebugString(char* text); // 199 characters and a zero
QELM_EXPORT int Qelm_Copyright(char* text); // 64 bytes
QELM_EXPORT int Qelm_About(char* text); // 82 bytes
QELM_EXPORT int Qelm_Version(char* text); // 12 bytes; returns 70
QELM_EXPORT int Qelm_DeviceValid(int device);
QELM_EXPORT int Qelm_DeviceVID(int device);
QELM_EXPORT int Qelm_DevicePID(int device);
QELM_EXPORT int Qelm_DeviceDID(int device);
QELM_EXPORT int Qelm_DeviceFirmwareVer(int device);
QELM_EXPORT int Qelm_DeviceMfr(int device, char* text); // 99 characters and a zero
QELM_EXPORT int Qelm_DeviceProd(int device, char* text);
QELM_EXPORT int Qelm_DeviceSer(int device, char* text);
QELM_EXPORT int Qelm_CloseDevice(int device);

// Transfer.
QELM_EXPORT int Qelm_WriteDevice(int device, const unsigned char* block8);
QELM_EXPORT int Qelm_ReadDevice(int device, unsigned char* block8);
QELM_EXPORT int Qelm_WriteReadDevice(int device, unsigned char* b0, unsigned char* b1, unsigned char* b2,
    unsigned char* b3, unsigned char* b4, unsigned char* b5, unsigned char* b6, unsigned char* b7);

// Board commands.
QELM_EXPORT int Qelm_InitPorts(int device);
QELM_EXPORT int Qelm_InitPortsWexaA(int device);
QELM_EXPORT int Qelm_InitPortsWexaB(int device);
QELM_EXPORT int Qelm_InitPortsWexaC(int device);
QELM_EXPORT int Qelm_InitPortsWexaD(int device);
QELM_EXPORT int Qelm_WriteA(int device, int value);
QELM_EXPORT int Qelm_WriteB(int device, int value);
QELM_EXPORT int Qelm_WriteABit(int device, int p1, int p2);
QELM_EXPORT int Qelm_WriteBBit(int device, int p1, int p2);
QELM_EXPORT int Qelm_ReadA(int device, unsigned char* out);
QELM_EXPORT int Qelm_ReadB(int device, unsigned char* out);
QELM_EXPORT int Qelm_SetBit(int device, int bit);
QELM_EXPORT int Qelm_ResetBit(int device, int bit);
QELM_EXPORT int Qelm_DirectionA(int device, int p1, int p2);
QELM_EXPORT int Qelm_DirectionB(int device, int p1, int p2);
QELM_EXPORT int Qelm_DirectionAOut(int device);
QELM_EXPORT int Qelm_DirectionBOut(int device);
QELM_EXPORT int Qelm_DirectionAIn(int device);
QELM_EXPORT int Qelm_DirectionBIn(int device);
QELM_EXPORT int Qelm_DirectionAInPullup(int device);
QELM_EXPORT int Qelm_DirectionBInPullup(int device);
QELM_EXPORT int Qelm_StrobeWrite(int device, int p1, int p2, int p3);
QELM_EXPORT int Qelm_StrobeWrite2(int device, int p1, int p2, int p3, int p4, int p5);
QELM_EXPORT int Qelm_StrobeRead(int device, unsigned char* out, int p1, int p2);
QELM_EXPORT int Qelm_StrobeRead2(int device, unsigned char* out, int p1, int p2, int p3, int p4);
QELM_EXPORT int Qelm_StrobeWrites(int device, unsigned char* count, unsigned char* data6);
QELM_EXPORT int Qelm_StrobeReads(int device, unsigned char* count, unsigned char* data6);
QELM_EXPORT int Qelm_ReadLatches(int device, unsigned char* out4);
QELM_EXPORT int Qelm_InitLCD(int device, int p1, int p2);
QELM_EXPORT int Qelm_LCDCmd(int device, int value);
QELM_EXPORT int Qelm_LCDData(int device, int value);
QELM_EXPORT int Qelm_InitSPI(int device, int value);
QELM_EXPORT int Qelm_SPIMaster(int device, unsigned char* count, unsigned char* data6);
QELM_EXPORT int Qelm_SPISlaveWrite(int device, int p, unsigned char* data6);
QELM_EXPORT int Qelm_SPISlaveRead(int device, unsigned char* count, unsigned char* data6);
QELM_EXPORT int Qelm_Wire2Control(int device, unsigned char* data6);
QELM_EXPORT int Qelm_Wire2Data(int device, unsigned char* data6);
QELM_EXPORT int Qelm_Stepper(int device, int p1, int p2, int p3, int p4, int p5, int p6, int p7);
QELM_EXPORT int Qelm_Reset1Wire(int device, unsigned char* block8);
QELM_EXPORT int Qelm_Write1Wire(int device, int value);
QELM_EXPORT int Qelm_Write1WireBit(int device, int value);
QELM_EXPORT int Qelm_Read1Wire(int device, unsigned char* block8);
QELM_EXPORT int Qelm_Read1WireBit(int device, unsigned char* block8);

#ifdef __cplusplus
}
#endif
