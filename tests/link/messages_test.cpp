// SPDX-License-Identifier: MIT
// IC_GetLastError: the GBK text of every status, byte for byte.
#include <iconv.h>

#include <string>

#include "tests/support/sim_fixture.h"

namespace {

std::string Gbk(const std::string& utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in = utf8;
    std::string out(64, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t src_left = in.size();
    std::size_t dst_left = out.size();
    EXPECT_NE(iconv(cd, &src, &src_left, &dst, &dst_left), static_cast<std::size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - dst_left);
    return out;
}

std::string MessageOf(std::int32_t status) {
    vexa::SetLastError(status);
    char text[64];
    std::fill(std::begin(text), std::end(text), '#');
    EXPECT_EQ(IC_GetLastError(text), 0);
    EXPECT_EQ(vexa::LastError(), status);  // reading the text changes nothing
    return text;
}

TEST(Messages, EveryStatusHasItsTextInGbk) {
    const std::pair<std::int32_t, const char*> table[] = {
        {0, "执行成功"},
        {1, "卡座无卡"},
        {0x0101, "通用错误"},
        {0x6105, "接受上位机数据超长"},
        {0x6106, "接受卡数据超长"},
        {0x6109, "命令错误"},
        {0x61D3, "超时(已接收过字符)"},
        {0x61D4, "超时(未接收过字符)"},
        {0x61D6, "奇偶错"},
        {0x61D8, "无法读取该卡"},
        {0x61D9, "与CPU卡通讯错误"},
        {0x61DA, "数据异或校验错"},
        {VEXA_ERR_OPEN_PORT, "打开端口失败"},
        {VEXA_ERR_APDU_LENGTH, "APDU 长度错误"},
        {VEXA_ERR_CARD_TYPE, "该函数暂不支持此卡型"},
        {VEXA_ERR_WRITE_MISMATCH, "写数据错误"},
        {VEXA_ERR_LENGTH, "数据长度错误"},
        {VEXA_ERR_NOT_SUPPORTED, "暂不支持该函数"},
        {VEXA_ERR_SEND, "发送数据错误"},
        {VEXA_ERR_RECEIVE, "接受数据错误"},
        {VEXA_ERR_CHECKSUM, "接受数据异或和错误"},
        {VEXA_ERR_CARD_TEST, "测卡错误"},
    };
    for (const auto& [status, utf8] : table) {
        const std::string text = MessageOf(status);
        EXPECT_EQ(text, Gbk(utf8)) << status;
        EXPECT_LE(text.size() + 1, 21u) << status;
    }
    vexa::SetLastError(0);
}

TEST(Messages, UnknownStatusGetsTheBareUnknownText) {
    for (std::int32_t status : {0x6A82, 2, -1, -26, 0x10000, INT32_MIN}) {
        EXPECT_EQ(MessageOf(status), Gbk("未知错误: ")) << status;
    }
    vexa::SetLastError(0);
}

TEST_F(SimReaderTest, FailedOpenLeavesItsTextForTheCaller) {
    EXPECT_EQ(IC_InitComm(99), vexa::kOpenFailed);
    char text[21] = {};
    EXPECT_EQ(IC_GetLastError(text), 0);
    EXPECT_EQ(std::string(text), Gbk("打开端口失败"));
    EXPECT_EQ(IC_GetLastError(nullptr), 0);
}

}  // namespace
