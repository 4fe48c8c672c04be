// SPDX-License-Identifier: MIT
// Every entry point this reader does not offer answers -21, takes exactly the
// number of arguments callers push for it, and leaves the reader alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/sim_fixture.h"
#include "vexa.h"

namespace {

const std::string kSuccessText = "\xD6\xB4\xD0\xD0\xB3\xC9\xB9\xA6";  // 执行成功
const std::string kNotSupportedText =
    "\xD4\xDD\xB2\xBB\xD6\xA7\xB3\xD6\xB8\xC3\xBA\xAF\xCA\xFD";  // 暂不支持该函数

template <typename... A>
constexpr int Arity(int16_t(VEXA_CALL*)(A...)) {
    return sizeof...(A);
}

// Zero for every integer, null for every pointer.
template <typename... A>
int16_t CallWithZeros(int16_t(VEXA_CALL* f)(A...)) {
    return f(A{}...);
}

struct Entry {
    const char* name;
    int arity;  // arguments callers push
    int declared;
    int16_t (*call)();
};

#define ENTRY(f, n)                                        \
    Entry {                                                \
#f, n, Arity(&f), [] { return CallWithZeros(&f); } \
    }

const Entry kEntries[] = {
    // Reader device
    ENTRY(IC_Reset, 0),
    ENTRY(IC_Pushout, 1),
    ENTRY(IC_Status_1, 1),
    ENTRY(IC_GotoUpdate, 1),
    ENTRY(IC_SetUsbTimeout, 1),
    ENTRY(IC_ReadUsbSnr, 2),
    ENTRY(IC_SetCommTimeout, 2),
    ENTRY(IC_Control, 3),
    // CPU card extras
    ENTRY(IC_CpuSetProtocol, 2),
    ENTRY(IC_CpuApduSource, 5),
    ENTRY(IC_CpuApduSource_Hex, 5),
    ENTRY(IC_CpuApduRespon, 5),
    ENTRY(IC_CpuApduSourceEXT, 5),
    ENTRY(IC_CpuApduSourceEXT_Hex, 5),
    ENTRY(IC_CpuApduEXT, 5),
    ENTRY(IC_CpuApduEXT_Hex, 5),
    // Encryption
    ENTRY(IC_Encrypt, 4),
    ENTRY(IC_Decrypt, 4),
    ENTRY(IC_Encrypt_Hex, 4),
    ENTRY(IC_Decrypt_Hex, 4),
    ENTRY(IC_Encrypt_Neu, 4),
    ENTRY(IC_Decrypt_Neu, 4),
    // Typed and buffered data
    ENTRY(IC_Read_Float, 3),
    ENTRY(IC_Read_Int, 3),
    ENTRY(IC_Write_Int, 3),
    ENTRY(IC_Write_Float, 3),
    ENTRY(IC_Erase, 3),
    ENTRY(IC_WriteByBuffer, 5),
    // AT88SC102
    ENTRY(IC_Check_102, 1),
    ENTRY(IC_Fuse_102, 1),
    ENTRY(IC_ReadCount_102, 1),
    ENTRY(IC_CheckPass_102, 2),
    ENTRY(IC_ChangePass_102, 2),
    ENTRY(IC_CheckPass_102hex, 2),
    ENTRY(IC_ChangePass_102hex, 2),
    ENTRY(IC_Erase_102, 3),
    ENTRY(IC_CheckAZPass_102, 3),
    ENTRY(IC_ChangeAZPass_102, 3),
    ENTRY(IC_CheckAZPass_102hex, 3),
    ENTRY(IC_ChangeAZPass_102hex, 3),
    ENTRY(IC_Write_102, 4),
    ENTRY(IC_Write_102hex, 4),
    // AT88SC1604
    ENTRY(IC_Check_1604, 1),
    ENTRY(IC_Fuse_1604, 1),
    ENTRY(IC_ReadCount_1604, 2),
    ENTRY(IC_CheckPass_1604, 3),
    ENTRY(IC_ChangePass_1604, 3),
    ENTRY(IC_CheckPass_1604hex, 3),
    ENTRY(IC_ChangePass_1604hex, 3),
    ENTRY(IC_Write_1604, 4),
    ENTRY(IC_Write_1604hex, 4),
    // AT88SC1604B
    ENTRY(IC_Check_1604B, 1),
    ENTRY(IC_Fuse_1604B, 1),
    ENTRY(IC_ReadCount_1604B, 2),
    ENTRY(IC_ChangePass_1604B, 3),
    ENTRY(IC_CheckPass_1604B, 3),
    ENTRY(IC_ChangePass_1604Bhex, 3),
    ENTRY(IC_CheckPass_1604Bhex, 3),
    // 4404
    ENTRY(IC_Check_4404, 1),
    ENTRY(IC_Fuse_4404, 1),
    ENTRY(IC_ReadCount_4404, 1),
    ENTRY(IC_CheckPass_4404, 2),
    ENTRY(IC_ChangePass_4404, 2),
    ENTRY(IC_CheckAZPass_4404, 2),
    ENTRY(IC_ChangeAZPass_4404, 2),
    ENTRY(IC_CheckPass_4404hex, 2),
    ENTRY(IC_ChangePass_4404hex, 2),
    ENTRY(IC_CheckAZPass_4404hex, 2),
    ENTRY(IC_ChangeAZPass_4404hex, 2),
    // 4406
    ENTRY(IC_Check_4406, 1),
    ENTRY(IC_RValue, 1),
    ENTRY(IC_ReadCount_4406, 1),
    ENTRY(IC_DEValue, 2),
    ENTRY(IC_Fuse_4406, 2),
    ENTRY(IC_CheckPass_4406, 2),
    ENTRY(IC_Erase_4406, 2),
    ENTRY(IC_CheckPass_4406hex, 2),
    ENTRY(IC_CheckPass_4406userhex, 2),
    ENTRY(IC_CheckPass_4406user, 2),
    // SSF1101
    ENTRY(IC_Check_1101, 1),
    ENTRY(IC_Read_1101, 5),
    ENTRY(IC_Write_1101, 5),
    ENTRY(IC_Read_1101hex, 5),
    ENTRY(IC_Write_1101hex, 5),
    // AT88SC153 and AT88SC1608
    ENTRY(IC_Check_153, 1),
    ENTRY(IC_Check_1608, 1),
    ENTRY(IC_ReadFuse, 1),
    ENTRY(IC_ReadAuthCount, 1),
    ENTRY(IC_WriteFuse, 2),
    ENTRY(IC_InitAuth, 2),
    ENTRY(IC_InitAuth_Hex, 2),
    ENTRY(IC_CheckAuth, 2),
    ENTRY(IC_CheckAuth_Hex, 2),
    ENTRY(IC_ReadWPasswordCount, 2),
    ENTRY(IC_ReadRPasswordCount, 2),
    ENTRY(IC_SetUserZone, 2),
    ENTRY(Authenticate, 2),
    ENTRY(Authenticate_Hex, 2),
    ENTRY(SetInit, 3),
    ENTRY(SetInit_Hex, 3),
    ENTRY(IC_CheckRPassword, 3),
    ENTRY(IC_CheckWPassword, 3),
    ENTRY(IC_CheckRPassword_Hex, 3),
    ENTRY(IC_CheckWPassword_Hex, 3),
    ENTRY(IC_ChangeRPassword, 3),
    ENTRY(IC_ChangeWPassword, 3),
    ENTRY(IC_ChangeRPassword_Hex, 3),
    ENTRY(IC_ChangeWPassword_Hex, 3),
    ENTRY(IC_WriteConfigZone, 4),
    ENTRY(IC_WriteUserZone, 4),
    ENTRY(IC_ReadConfigZone, 4),
    ENTRY(IC_ReadUserZone, 4),
    ENTRY(IC_WriteConfigZone_Hex, 4),
    ENTRY(IC_WriteUserZone_Hex, 4),
    ENTRY(IC_ReadConfigZone_Hex, 4),
    ENTRY(IC_ReadUserZone_Hex, 4),
    // Microprocessor card file commands
    ENTRY(ICC_External_Auth, 3),
    ENTRY(ICC_Select_File, 3),
    ENTRY(ICC_Get_Challenge, 3),
    ENTRY(ICC_Verify, 4),
    ENTRY(ICC_Write_Bin, 4),
    ENTRY(ICC_Read_Bin, 4),
    ENTRY(ICC_Internal_Auth, 5),
};

#undef ENTRY

std::string LastErrorText() {
    char text[32] = {};
    IC_GetLastError(text);
    return text;
}

}  // namespace

TEST(UnsupportedEntryPoints, TakeExactlyTheArgumentsCallersPush) {
    for (const Entry& e : kEntries) EXPECT_EQ(e.declared, e.arity) << e.name;
}

using UnsupportedCalls = SimReaderTest;

TEST_F(UnsupportedCalls, ReplaceSuccessByNotSupportedWithoutTouchingTheReader) {
    ASSERT_EQ(IC_InitType(icdev, vexa::kType4442), 0);
    const vexa::Selection before = vexa::CurrentSelection();
    host.ClearLog();
    for (const Entry& e : kEntries) {
        asc2hex(nullptr, nullptr, 0);  // a successful call: the register holds 0
        ASSERT_EQ(LastErrorText(), kSuccessText);
        EXPECT_EQ(e.call(), VEXA_ERR_NOT_SUPPORTED) << e.name;
        EXPECT_EQ(LastErrorText(), kNotSupportedText) << e.name;
    }
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(host.waits.empty());
    EXPECT_EQ(vexa::CurrentSelection().card_type, before.card_type);
    EXPECT_EQ(vexa::CurrentSelection().reader_code, before.reader_code);
}
