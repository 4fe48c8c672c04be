// SPDX-License-Identifier: MIT
// Several readers served at once, from several threads, and the reader
// traffic of each pseudo-APDU against the direct library call.
#include <functional>
#include <thread>

#include "sim/card_sle4442.h"
#include "tests/pcsc/ifd_fixture.h"

namespace {

using ifd_test::Bytes;
using ifd_test::kLun;
using ifd_test::kSecondLun;
using ifd_test::Transmit;

class IfdTwoReadersTest : public IfdTest {
  protected:
    void SetUp() override {
        IfdTest::SetUp();
        host.AddReader();
    }
};

TEST_F(IfdTwoReadersTest, EachReaderKeepsItsOwnCardFamily) {
    ASSERT_EQ(Start(sim::MakeCard("sle4442"), 0), "3B 04 A2 13 10 91");
    ASSERT_EQ(Start(sim::MakeCard("24c02"), 1), "3B 04 32 34 43 02");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Transmit(kLun, "FF B0 00 00 04"), "A2 13 10 91 90 00");
        EXPECT_EQ(Transmit(kSecondLun, "FF B0 00 00 03"), "32 34 43 90 00");  // "24C"
        EXPECT_EQ(IFDHICCPresence(kLun), IFD_ICC_PRESENT);
        EXPECT_EQ(IFDHICCPresence(kSecondLun), IFD_ICC_PRESENT);
    }
}

TEST_F(IfdTwoReadersTest, ReadersUsedFromTwoThreadsAnswerEachItsOwnCard) {
    Start(sim::MakeCard("sle4442"), 0);
    Start(sim::MakeCard("24c16"), 1);
    int wrong[2] = {0, 0};
    auto hammer = [&](DWORD lun, const char* apdu, const char* answer, int& failures) {
        for (int i = 0; i < 200; ++i) {
            if (Transmit(lun, apdu) != answer) ++failures;
            if (IFDHICCPresence(lun) != IFD_ICC_PRESENT) ++failures;
        }
    };
    std::thread first(hammer, kLun, "FF B0 00 06 02", "81 15 90 00", std::ref(wrong[0]));
    std::thread second(hammer, kSecondLun, "FF B0 00 00 03", "32 34 43 90 00", std::ref(wrong[1]));
    first.join();
    second.join();
    EXPECT_EQ(wrong[0], 0);
    EXPECT_EQ(wrong[1], 0);
}

TEST_F(IfdTwoReadersTest, CpuCardsOfEitherProtocolAnswerSideBySide) {
    ASSERT_EQ(Start(sim::MakeCard("cpu-t1"), 0), "3B 80 81 31 FE 45 8B");
    Start(sim::MakeCard("cpu-t0"), 1);
    Bytes atr(MAX_ATR_SIZE);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(Transmit(kLun, "00 84 00 00 08").substr(24), "90 00");
        EXPECT_EQ(Transmit(kSecondLun, "00 84 00 00 08").substr(24), "90 00");
        // The T=0 card's reset leaves the T=1 card's block numbering as it was.
        DWORD length = MAX_ATR_SIZE;
        EXPECT_EQ(IFDHPowerICC(kSecondLun, IFD_RESET, atr.data(), &length), IFD_SUCCESS);
    }
}

// The card type is selected process-wide: when a reader refuses to take its
// card's type back, its write must not run under the other reader's type.
TEST_F(IfdTwoReadersTest, RefusedReselectionRunsNoCommandUnderTheOtherCardsType) {
    Start(sim::MakeCard("sle4442"), 0);
    Start(sim::MakeCard("24c02"), 1);
    ASSERT_EQ(Transmit(kSecondLun, "FF B0 00 00 03"), "32 34 43 90 00");
    host.ClearLog();
    host.faults.answer_word = 0x6F00;
    EXPECT_EQ(Transmit(kLun, "FF D0 00 40 02 11 22"),
              "error " + std::to_string(IFD_COMMUNICATION_ERROR));
    EXPECT_EQ(host.log.size(), 2u);  // the refused selection alone
    EXPECT_EQ(Transmit(kLun, "FF B0 00 40 02"), "FF FF 90 00");
}

TEST_F(IfdTwoReadersTest, UnpluggedReaderIsNoSuchDeviceAndServedAgainOnANewChannel) {
    Start(sim::MakeCard("sle4442"), 0);
    Start(sim::MakeCard("cpu-t1"), 1);
    host.Unplug(1);
    const std::string gone = "error " + std::to_string(IFD_NO_SUCH_DEVICE);
    EXPECT_EQ(Transmit(kSecondLun, "00 84 00 00 08"), gone);
    EXPECT_EQ(IFDHICCPresence(kSecondLun), IFD_NO_SUCH_DEVICE);
    EXPECT_EQ(ifd_test::PowerUp(kSecondLun), gone);
    EXPECT_EQ(Transmit(kLun, "FF B0 00 00 04"), "A2 13 10 91 90 00");
    IFDHCloseChannel(kSecondLun);
    EXPECT_FALSE(host.IsOpen(1));
    host.Replug(1);
    ASSERT_EQ(IFDHCreateChannelByName(kSecondLun, const_cast<char*>("usb:04b4/a112")), IFD_SUCCESS);
    EXPECT_EQ(ifd_test::PowerUp(kSecondLun), "3B 80 81 31 FE 45 8B");
    EXPECT_EQ(Transmit(kSecondLun, "00 84 00 00 08").substr(24), "90 00");
}

TEST_F(IfdTwoReadersTest, ClosedReaderIsFreeForTheNextChannel) {
    Start(sim::MakeCard("sle4442"), 0);
    ASSERT_EQ(IFDHCreateChannel(kSecondLun, 0), IFD_SUCCESS);
    EXPECT_TRUE(host.IsOpen(0));
    EXPECT_TRUE(host.IsOpen(1));
    IFDHCloseChannel(kLun);
    EXPECT_FALSE(host.IsOpen(0));
    EXPECT_EQ(IFDHICCPresence(kLun), IFD_NO_SUCH_DEVICE);
    // A third channel finds no reader left.
    EXPECT_EQ(IFDHCreateChannel(2u << 16, 0), IFD_SUCCESS);
    EXPECT_EQ(IFDHCreateChannel(3u << 16, 0), IFD_COMMUNICATION_ERROR);
    IFDHCloseChannel(2u << 16);
}

// Each pseudo-APDU costs the reader exchanges of the library call it stands
// for, and not one more.
TEST_F(IfdTest, PseudoApdusAddNoReaderTrafficToTheLibraryCalls) {
    auto inserted = std::make_unique<sim::Sle4442Card>();
    inserted->memory.protection = {0xFF, 0xFF, 0xFF, 0xFF};
    Start(std::move(inserted));
    const int32_t icdev = 180;  // reader 0 is port 100
    const unsigned char code[3] = {0xFF, 0xFF, 0xFF};
    const unsigned char data[4] = {1, 2, 3, 4};
    unsigned char out[256] = {};
    struct Pair {
        const char* apdu;
        std::function<void()> direct;
    };
    const Pair pairs[] = {
        {"FF 20 00 00 03 FF FF FF", [&] { IC_CheckPass_SLE4442(icdev, code); }},
        {"FF B0 00 00 40", [&] { IC_Read(icdev, 0, 0x40, out); }},
        {"FF B0 00 00 00", [&] { IC_Read(icdev, 0, 256, out); }},
        {"FF D0 00 40 04 01 02 03 04", [&] { IC_Write(icdev, 0x40, 4, data); }},
        {"FF B1 00 00 04", [&] { ReadPass_4442(icdev, out); }},
        {"FF B2 00 00 04", [&] { ReadWithProtection_4442(icdev, 0, 32, out); }},
        {"FF D1 00 10 04 01 02 03 04", [&] { IC_WriteProtection(icdev, 0x10, 4, data); }},
        {"FF D2 00 01 03 FF FF FF", [&] { IC_ChangePass_SLE4442(icdev, code); }},
        {"FF A4 00 00 01 10", [&] { IC_InitType(icdev, VEXA_TYPE_SLE4442); }},
        {"FF 20 00 00 03 00 00 00",
         [&] {
             IC_CheckPass_SLE4442(icdev, out);
             IC_ReadCount_SLE4442(icdev);
         }},
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.apdu);
        host.ClearLog();
        Send(p.apdu);
        const std::size_t through_driver = host.log.size();
        ASSERT_EQ(Send("FF 20 00 00 03 FF FF FF"), "90 00");  // the same card state again
        host.ClearLog();
        p.direct();
        EXPECT_EQ(through_driver, host.log.size());
    }
}

}  // namespace
