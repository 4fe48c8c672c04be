// SPDX-License-Identifier: MIT
// Reader features and API extensions this reader does not offer.
#include "vexa/link/unsupported.h"

// Reader device
VEXA_NOT_SUPPORTED(IC_Reset, ())
VEXA_NOT_SUPPORTED(IC_Pushout, (int32_t))
VEXA_NOT_SUPPORTED(IC_Status_1, (int32_t))
VEXA_NOT_SUPPORTED(IC_GotoUpdate, (int32_t))
VEXA_NOT_SUPPORTED(IC_SetUsbTimeout, (int32_t))
VEXA_NOT_SUPPORTED(IC_ReadUsbSnr, (int32_t, char*))
VEXA_NOT_SUPPORTED(IC_SetCommTimeout, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_Control, (int32_t, int32_t, int32_t))

// CPU card extras
VEXA_NOT_SUPPORTED(IC_CpuSetProtocol, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_CpuApduSource,
                   (int32_t, int32_t, const unsigned char*, unsigned char*, unsigned char*))
VEXA_NOT_SUPPORTED(IC_CpuApduSource_Hex, (int32_t, int32_t, const char*, unsigned char*, char*))
VEXA_NOT_SUPPORTED(IC_CpuApduRespon,
                   (int32_t, int32_t, const unsigned char*, unsigned char*, unsigned char*))
VEXA_NOT_SUPPORTED(IC_CpuApduSourceEXT,
                   (int32_t, int32_t, const unsigned char*, unsigned char*, unsigned char*))
VEXA_NOT_SUPPORTED(IC_CpuApduSourceEXT_Hex, (int32_t, int32_t, const char*, unsigned char*, char*))
VEXA_NOT_SUPPORTED(IC_CpuApduEXT,
                   (int32_t, int32_t, const unsigned char*, unsigned char*, unsigned char*))
VEXA_NOT_SUPPORTED(IC_CpuApduEXT_Hex, (int32_t, int32_t, const char*, unsigned char*, char*))

// Encryption
VEXA_NOT_SUPPORTED(IC_Encrypt,
                   (const unsigned char*, const unsigned char*, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(IC_Decrypt,
                   (const unsigned char*, const unsigned char*, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(IC_Encrypt_Hex, (const char*, const char*, int32_t, char*))
VEXA_NOT_SUPPORTED(IC_Decrypt_Hex, (const char*, const char*, int32_t, char*))
VEXA_NOT_SUPPORTED(IC_Encrypt_Neu,
                   (const unsigned char*, const unsigned char*, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(IC_Decrypt_Neu,
                   (const unsigned char*, const unsigned char*, int32_t, unsigned char*))

// Typed and buffered data
VEXA_NOT_SUPPORTED(IC_Read_Float, (int32_t, int32_t, float*))
VEXA_NOT_SUPPORTED(IC_Write_Float, (int32_t, int32_t, float))
VEXA_NOT_SUPPORTED(IC_Read_Int, (int32_t, int32_t, int32_t*))
VEXA_NOT_SUPPORTED(IC_Write_Int, (int32_t, int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_Erase, (int32_t, int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_WriteByBuffer, (int32_t, int32_t, int32_t, const unsigned char*, int32_t))
