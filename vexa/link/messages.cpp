// SPDX-License-Identifier: MIT
#include "vexa/link/messages.h"

#include <cstdio>
#include <cstring>

#include "vexa.h"
#include "vexa/link/build_config.h"

namespace vexa {

namespace {

struct Message {
    std::int32_t status;
    const char* gbk;
};

// Texts in the GBK code page, as applications built for this reader expect.
constexpr Message kMessages[] = {
    {VEXA_OK, "\xD6\xB4\xD0\xD0\xB3\xC9\xB9\xA6"},                    // 执行成功
    {VEXA_NO_CARD, "\xBF\xA8\xD7\xF9\xCE\xDE\xBF\xA8"},               // 卡座无卡
    {VEXA_READER_GENERAL_ERROR, "\xCD\xA8\xD3\xC3\xB4\xED\xCE\xF3"},  // 通用错误
    {VEXA_READER_HOST_DATA_TOO_LONG,
     "\xBD\xD3\xCA\xDC\xC9\xCF\xCE\xBB\xBB\xFA\xCA\xFD\xBE\xDD\xB3\xAC\xB3\xA4"},  // 接受上位机数据超长
    {VEXA_READER_CARD_DATA_TOO_LONG,
     "\xBD\xD3\xCA\xDC\xBF\xA8\xCA\xFD\xBE\xDD\xB3\xAC\xB3\xA4"},     // 接受卡数据超长
    {VEXA_READER_COMMAND_ERROR, "\xC3\xFC\xC1\xEE\xB4\xED\xCE\xF3"},  // 命令错误
    {VEXA_READER_TIMEOUT_AFTER_DATA,
     "\xB3\xAC\xCA\xB1(\xD2\xD1\xBD\xD3\xCA\xD5\xB9\xFD\xD7\xD6\xB7\xFB)"},  // 超时(已接收过字符)
    {VEXA_READER_TIMEOUT_NO_DATA,
     "\xB3\xAC\xCA\xB1(\xCE\xB4\xBD\xD3\xCA\xD5\xB9\xFD\xD7\xD6\xB7\xFB)"},  // 超时(未接收过字符)
    {VEXA_READER_PARITY_ERROR, "\xC6\xE6\xC5\xBC\xB4\xED"},                  // 奇偶错
    {VEXA_READER_CARD_UNREADABLE,
     "\xCE\xDE\xB7\xA8\xB6\xC1\xC8\xA1\xB8\xC3\xBF\xA8"},  // 无法读取该卡
    {VEXA_READER_CPU_CARD_ERROR,
     "\xD3\xEB"
     "CPU\xBF\xA8\xCD\xA8\xD1\xB6\xB4\xED\xCE\xF3"},  // 与CPU卡通讯错误
    {VEXA_READER_DATA_CHECKSUM,
     "\xCA\xFD\xBE\xDD\xD2\xEC\xBB\xF2\xD0\xA3\xD1\xE9\xB4\xED"},  // 数据异或校验错
    {VEXA_ERR_OPEN_PORT, "\xB4\xF2\xBF\xAA\xB6\xCB\xBF\xDA\xCA\xA7\xB0\xDC"},  // 打开端口失败
    {VEXA_ERR_APDU_LENGTH, "APDU \xB3\xA4\xB6\xC8\xB4\xED\xCE\xF3"},           // APDU 长度错误
    {VEXA_ERR_CARD_TYPE,
     "\xB8\xC3\xBA\xAF\xCA\xFD\xD4\xDD\xB2\xBB\xD6\xA7\xB3\xD6\xB4\xCB\xBF\xA8\xD0\xCD"},  // 该函数暂不支持此卡型
    {VEXA_ERR_WRITE_MISMATCH, "\xD0\xB4\xCA\xFD\xBE\xDD\xB4\xED\xCE\xF3"},  // 写数据错误
    {VEXA_ERR_LENGTH, "\xCA\xFD\xBE\xDD\xB3\xA4\xB6\xC8\xB4\xED\xCE\xF3"},  // 数据长度错误
    {VEXA_ERR_NOT_SUPPORTED,
     "\xD4\xDD\xB2\xBB\xD6\xA7\xB3\xD6\xB8\xC3\xBA\xAF\xCA\xFD"},         // 暂不支持该函数
    {VEXA_ERR_SEND, "\xB7\xA2\xCB\xCD\xCA\xFD\xBE\xDD\xB4\xED\xCE\xF3"},  // 发送数据错误
    {VEXA_ERR_RECEIVE, "\xBD\xD3\xCA\xDC\xCA\xFD\xBE\xDD\xB4\xED\xCE\xF3"},  // 接受数据错误
    {VEXA_ERR_CHECKSUM,
     "\xBD\xD3\xCA\xDC\xCA\xFD\xBE\xDD\xD2\xEC\xBB\xF2\xBA\xCD\xB4\xED\xCE\xF3"},  // 接受数据异或和错误
    {VEXA_ERR_CARD_TEST, "\xB2\xE2\xBF\xA8\xB4\xED\xCE\xF3"},                      // 测卡错误
};

constexpr char kUnknown[] = "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3: ";  // 未知错误:

}  // namespace

void MessageFor(std::int32_t status, char* out) {
    for (const Message& m : kMessages) {
        if (m.status == status) {
            std::strcpy(out, m.gbk);
            return;
        }
    }
    if constexpr (kReducedBuild) {
        // Worst case "0xFFFFFFE6": 10 + 10 characters and the NUL fit 21 bytes.
        std::snprintf(out, kMessageRoom, "%s0x%04X", kUnknown, static_cast<unsigned>(status));
    } else {
        std::strcpy(out, kUnknown);
    }
}

}  // namespace vexa
