// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "vexa.h"

TEST(Converters, BytesToUpperCaseHexWithoutTerminator) {
    const unsigned char bytes[] = {0x00, 0x9F, 0xAB};
    char text[8] = "zzzzzzz";
    EXPECT_EQ(asc2hex(bytes, text, 3), 0);
    EXPECT_EQ(std::string(text, 7), "009FABz");
}

TEST(Converters, TextToBytesAcceptsEitherCaseAndNeverRejects) {
    unsigned char bytes[2] = {};
    EXPECT_EQ(hex2asc("9fab", bytes, 2), 0);
    EXPECT_EQ(bytes[0], 0x9F);
    EXPECT_EQ(bytes[1], 0xAB);
    EXPECT_EQ(hex2asc("0G", bytes, 1), 0);
    EXPECT_EQ(bytes[0], 0x10);
}
