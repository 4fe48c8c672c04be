// SPDX-License-Identifier: MIT
// Secure memory cards and microprocessor card file commands, which this
// reader does not offer.
#include "vexa/link/unsupported.h"

// AT88SC153 and AT88SC1608 secure memory
VEXA_NOT_SUPPORTED(IC_Check_153, (int32_t))
VEXA_NOT_SUPPORTED(IC_Check_1608, (int32_t))
VEXA_NOT_SUPPORTED(IC_ReadFuse, (int32_t))
VEXA_NOT_SUPPORTED(IC_ReadAuthCount, (int32_t))
VEXA_NOT_SUPPORTED(IC_WriteFuse, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_SetUserZone, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_ReadWPasswordCount, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_ReadRPasswordCount, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_InitAuth, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_InitAuth_Hex, (int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_CheckAuth, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckAuth_Hex, (int32_t, const char*))
VEXA_NOT_SUPPORTED(SetInit, (const unsigned char*, const unsigned char*, const unsigned char*))
VEXA_NOT_SUPPORTED(SetInit_Hex, (const char*, const char*, const char*))
VEXA_NOT_SUPPORTED(Authenticate, (unsigned char*, unsigned char*))
VEXA_NOT_SUPPORTED(Authenticate_Hex, (char*, char*))
VEXA_NOT_SUPPORTED(IC_CheckRPassword, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckWPassword, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckRPassword_Hex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_CheckWPassword_Hex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ChangeRPassword, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ChangeWPassword, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ChangeRPassword_Hex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ChangeWPassword_Hex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ReadConfigZone, (int32_t, int32_t, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(IC_ReadUserZone, (int32_t, int32_t, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(IC_WriteConfigZone, (int32_t, int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_WriteUserZone, (int32_t, int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ReadConfigZone_Hex, (int32_t, int32_t, int32_t, char*))
VEXA_NOT_SUPPORTED(IC_ReadUserZone_Hex, (int32_t, int32_t, int32_t, char*))
VEXA_NOT_SUPPORTED(IC_WriteConfigZone_Hex, (int32_t, int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_WriteUserZone_Hex, (int32_t, int32_t, int32_t, const char*))

// Microprocessor card file commands
VEXA_NOT_SUPPORTED(ICC_Select_File, (int32_t, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(ICC_Get_Challenge, (int32_t, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(ICC_External_Auth, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(ICC_Verify, (int32_t, int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(ICC_Read_Bin, (int32_t, int32_t, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(ICC_Write_Bin, (int32_t, int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(ICC_Internal_Auth,
                   (int32_t, int32_t, int32_t, const unsigned char*, unsigned char*))
