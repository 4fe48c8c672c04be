// SPDX-License-Identifier: MIT
// IC_InitType against the simulated reader: what it sends, what it records.
#include "tests/support/sim_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class SelectTest : public SimReaderTest {
  protected:
    const vexa::Selection& selection() { return vexa::CurrentSelection(); }
};

TEST_F(SelectTest, MemoryFamilySendsItsReaderCodeInOneReport) {
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0);
    ASSERT_EQ(Reports().size(), 2u);
    EXPECT_EQ(Reports()[0].bytes, sim::ReportOf(Bytes{0x21, 0xA5, 0x01, 0x10, 0x95}));
    EXPECT_EQ(selection().card_type, 64);
    EXPECT_EQ(selection().reader_code, 0x10);
    EXPECT_EQ(selection().mode_24c64, 0);
    EXPECT_EQ(reader().reader_code(), 0x10);
}

TEST_F(SelectTest, EachFamilySendsItsOwnCode) {
    const std::pair<std::int32_t, std::uint8_t> families[] = {
        {4, 0x12}, {16, 0x11}, {65, 0x13}, {192, 0x10}, {0x140, 0x10}, {0x7FFFFF10, 0x11}};
    for (const auto& [type, code] : families) {
        host.ClearLog();
        ASSERT_EQ(IC_InitType(icdev, type), 0) << type;
        ASSERT_EQ(SentFrames().size(), 1u) << type;
        EXPECT_EQ(SentFrames()[0], (Bytes{0x21, 0xA5, 0x01, code,
                                          static_cast<std::uint8_t>(0x21 ^ 0xA5 ^ 0x01 ^ code)}));
        EXPECT_EQ(selection().card_type, vexa::Low8(type));
    }
    EXPECT_EQ(selection().mode_24c64, 0);  // 0x140 acted as 64 after 192
}

TEST_F(SelectTest, FamiliesWithoutReaderCodeSendNothingAndKeepTheLastError) {
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0);
    host.ClearLog();
    for (std::int32_t type : {12, 13, 33, 208}) {
        vexa::SetLastError(vexa::kOpenFailed);
        EXPECT_EQ(IC_InitType(icdev, type), 0) << type;
        EXPECT_EQ(vexa::LastError(), vexa::kOpenFailed) << type;
        EXPECT_EQ(selection().card_type, type);
        EXPECT_EQ(selection().reader_code, 0);
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(SelectTest, RefusedSelectKeepsTheSelectionButNotThe24C64Flag) {
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_24C64), 0);
    reader().faults.answer_word = 0x6109;
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0x6109);
    EXPECT_EQ(vexa::LastError(), 0x6109);
    EXPECT_EQ(selection().card_type, 192);
    EXPECT_EQ(selection().reader_code, 0x10);
    EXPECT_EQ(selection().mode_24c64, 0);
    // A refusal whose word reads 0000 is no success either.
    reader().faults.answer_word = 0x0000;
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), vexa::kLengthError);
    EXPECT_EQ(selection().card_type, 192);
    EXPECT_EQ(selection().reader_code, 0x10);
}

TEST_F(SelectTest, StatusByteOtherThan90IsTheResult) {
    reader().faults.scripted_response = sim::ResponseFrame(sim::Echo(0xA5, {0x6F}));
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0x6F);
    EXPECT_EQ(selection().card_type, vexa::kTypeCpu);
    // An echo with another data length counts as accepted.
    reader().faults.scripted_response = sim::ResponseFrame(sim::Echo(0xA5, {0x6F, 0x00}));
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0);
    EXPECT_EQ(selection().card_type, 16);
}

// A status byte of 0 would come back as 0, which every caller takes for
// success: the selection has to be recorded with it.
TEST_F(SelectTest, StatusByteZeroIsSuccessAndRecorded) {
    reader().faults.scripted_response = sim::ResponseFrame(sim::Echo(0xA5, {0x00}));
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0);
    EXPECT_EQ(selection().card_type, 16);
    EXPECT_EQ(selection().reader_code, vexa::kReader4442);
}

TEST_F(SelectTest, TransportFailureIsReturnedAndRecordsNothing) {
    reader().faults.wrong_check = true;
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4428), vexa::kChecksumError);
    EXPECT_EQ(vexa::LastError(), vexa::kChecksumError);
    EXPECT_EQ(selection().card_type, vexa::kTypeCpu);
    EXPECT_EQ(selection().reader_code, 0);
}

}  // namespace
