/* SPDX-License-Identifier: MIT */
/* Binds the exports through the import library, as a program linked
 * against vexa.dll does: a wrong decoration fails to link, a wrong
 * convention unbalances the stack. */
#include "tests/windows/abi_scenario.h"

#define IMPORT(result, name, ...) __declspec(dllimport) result __stdcall name(__VA_ARGS__)
IMPORT(int32_t, IC_InitComm, int32_t);
IMPORT(int16_t, IC_ExitComm, int32_t);
IMPORT(int16_t, IC_Status, int32_t);
IMPORT(int16_t, IC_ReadCount_SLE4442, int32_t);
IMPORT(int16_t, IC_ReadVer, int32_t, char*);
IMPORT(int16_t, IC_InitType, int32_t, int32_t);
IMPORT(int16_t, IC_Read, int32_t, int32_t, int32_t, unsigned char*);
IMPORT(int16_t, IC_CheckPass_SLE4442, int32_t, const unsigned char*);
IMPORT(int16_t, IC_GetLastError, char*);
IMPORT(int16_t, asc2hex, const unsigned char*, char*, int32_t);
IMPORT(int16_t, IC_Reset, void);
IMPORT(int16_t, IC_Control, int32_t, int32_t, int32_t);
IMPORT(int16_t, IC_CpuApduSource, int32_t, int32_t, const unsigned char*, unsigned char*,
       unsigned char*);

int main(void) {
    const struct Api api = {IC_InitComm,     IC_ExitComm, IC_Status, IC_ReadCount_SLE4442,
                            IC_ReadVer,      IC_InitType, IC_Read,   IC_CheckPass_SLE4442,
                            IC_GetLastError, asc2hex,     IC_Reset,  IC_Control,
                            IC_CpuApduSource};
    return abi_run(&api, "abi_import");
}
