// The library functions the program imports, reached through one table, as
// a program that imports them by name would: tests can watch or replace a
// call without touching the library.
#pragma once

#include "vexa.h"

namespace demo {

struct LibraryImports {
    decltype(&::IC_InitComm) IC_InitComm = &::IC_InitComm;
    decltype(&::IC_ExitComm) IC_ExitComm = &::IC_ExitComm;
    decltype(&::IC_Status) IC_Status = &::IC_Status;
    decltype(&::IC_Status_1) IC_Status_1 = &::IC_Status_1;
    decltype(&::IC_InitType) IC_InitType = &::IC_InitType;
    decltype(&::IC_Down) IC_Down = &::IC_Down;
    decltype(&::IC_Pushout) IC_Pushout = &::IC_Pushout;
    decltype(&::IC_ReadVer) IC_ReadVer = &::IC_ReadVer;
    decltype(&::IC_CpuReset) IC_CpuReset = &::IC_CpuReset;
    decltype(&::IC_CpuGetProtocol) IC_CpuGetProtocol = &::IC_CpuGetProtocol;
    decltype(&::IC_Read) IC_Read = &::IC_Read;
    decltype(&::IC_Write) IC_Write = &::IC_Write;
    decltype(&::IC_ReadProtection) IC_ReadProtection = &::IC_ReadProtection;
    decltype(&::IC_ReadWithProtection) IC_ReadWithProtection = &::IC_ReadWithProtection;
    decltype(&::IC_DirectRead) IC_DirectRead = &::IC_DirectRead;
    decltype(&::IC_DirectWrite) IC_DirectWrite = &::IC_DirectWrite;
    decltype(&::IC_Read_1101) IC_Read_1101 = &::IC_Read_1101;
    decltype(&::IC_Write_1101) IC_Write_1101 = &::IC_Write_1101;
    decltype(&::IC_SetUserZone) IC_SetUserZone = &::IC_SetUserZone;
    decltype(&::IC_ReadUserZone) IC_ReadUserZone = &::IC_ReadUserZone;
    decltype(&::IC_ReadConfigZone) IC_ReadConfigZone = &::IC_ReadConfigZone;
    decltype(&::IC_WriteConfigZone) IC_WriteConfigZone = &::IC_WriteConfigZone;
};

// The table every part of the program calls through.
LibraryImports& Lib();

}  // namespace demo
