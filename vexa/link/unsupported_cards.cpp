// SPDX-License-Identifier: MIT
// Memory card families this reader does not serve.
#include "vexa/link/unsupported.h"

// AT88SC102
VEXA_NOT_SUPPORTED(IC_Check_102, (int32_t))
VEXA_NOT_SUPPORTED(IC_Fuse_102, (int32_t))
VEXA_NOT_SUPPORTED(IC_ReadCount_102, (int32_t))
VEXA_NOT_SUPPORTED(IC_CheckPass_102, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ChangePass_102, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckPass_102hex, (int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ChangePass_102hex, (int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_Erase_102, (int32_t, int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_CheckAZPass_102, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ChangeAZPass_102, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckAZPass_102hex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ChangeAZPass_102hex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_Write_102, (int32_t, int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_Write_102hex, (int32_t, int32_t, int32_t, const char*))

// AT88SC1604
VEXA_NOT_SUPPORTED(IC_Check_1604, (int32_t))
VEXA_NOT_SUPPORTED(IC_Fuse_1604, (int32_t))
VEXA_NOT_SUPPORTED(IC_ReadCount_1604, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_CheckPass_1604, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ChangePass_1604, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckPass_1604hex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ChangePass_1604hex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_Write_1604, (int32_t, int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_Write_1604hex, (int32_t, int32_t, int32_t, const char*))

// AT88SC1604B
VEXA_NOT_SUPPORTED(IC_Check_1604B, (int32_t))
VEXA_NOT_SUPPORTED(IC_Fuse_1604B, (int32_t))
VEXA_NOT_SUPPORTED(IC_ReadCount_1604B, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_CheckPass_1604B, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ChangePass_1604B, (int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckPass_1604Bhex, (int32_t, int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ChangePass_1604Bhex, (int32_t, int32_t, const char*))

// 4404
VEXA_NOT_SUPPORTED(IC_Check_4404, (int32_t))
VEXA_NOT_SUPPORTED(IC_Fuse_4404, (int32_t))
VEXA_NOT_SUPPORTED(IC_ReadCount_4404, (int32_t))
VEXA_NOT_SUPPORTED(IC_CheckPass_4404, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ChangePass_4404, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckAZPass_4404, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_ChangeAZPass_4404, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckPass_4404hex, (int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ChangePass_4404hex, (int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_CheckAZPass_4404hex, (int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_ChangeAZPass_4404hex, (int32_t, const char*))

// 4406
VEXA_NOT_SUPPORTED(IC_Check_4406, (int32_t))
VEXA_NOT_SUPPORTED(IC_RValue, (int32_t))
VEXA_NOT_SUPPORTED(IC_ReadCount_4406, (int32_t))
VEXA_NOT_SUPPORTED(IC_DEValue, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_Fuse_4406, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_Erase_4406, (int32_t, int32_t))
VEXA_NOT_SUPPORTED(IC_CheckPass_4406, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckPass_4406hex, (int32_t, const char*))
VEXA_NOT_SUPPORTED(IC_CheckPass_4406user, (int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_CheckPass_4406userhex, (int32_t, const char*))

// SSF1101
VEXA_NOT_SUPPORTED(IC_Check_1101, (int32_t))
VEXA_NOT_SUPPORTED(IC_Read_1101, (int32_t, int32_t, int32_t, int32_t, unsigned char*))
VEXA_NOT_SUPPORTED(IC_Write_1101, (int32_t, int32_t, int32_t, int32_t, const unsigned char*))
VEXA_NOT_SUPPORTED(IC_Read_1101hex, (int32_t, int32_t, int32_t, int32_t, char*))
VEXA_NOT_SUPPORTED(IC_Write_1101hex, (int32_t, int32_t, int32_t, int32_t, const char*))
