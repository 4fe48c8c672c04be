// SPDX-License-Identifier: MIT
// Opening the reader, powering cards up and down, presence, and what the
// driver reports about the reader.
#include <array>

#include "sim/card_cpu.h"
#include "tests/pcsc/ifd_fixture.h"

namespace {

using ifd_test::kLun;

TEST_F(IfdTest, PowerUpReportsEachCardFamilyWithItsAnswerToReset) {
    struct Case {
        const char* card;
        const char* atr;
    };
    for (const Case& c : {Case{"sle4442", "3B 04 A2 13 10 91"},
                          Case{"sle4428", "3B 04 92 23 10 91"}, Case{"24c02", "3B 04 32 34 43 02"},
                          Case{"24c08", "3B 04 32 34 43 08"}, Case{"24c16", "3B 04 32 34 43 16"},
                          Case{"cpu-t0", "3B 6C 00 00 53 49 4D 2D 43 4F 53 20 56 31 2E 30"},
                          Case{"cpu-t1", "3B 80 81 31 FE 45 8B"}}) {
        SCOPED_TRACE(c.card);
        EXPECT_EQ(Start(c.card), c.atr);
        IFDHCloseChannel(kLun);
        host.reader(0).Remove();
    }
}

TEST_F(IfdTest, FindingAMemoryCardChangesNoByteOfIt) {
    for (const char* name : {"sle4442", "sle4428", "24c01", "24c04", "24c16", "24c64"}) {
        SCOPED_TRACE(name);
        auto card = sim::MakeCard(name);
        const std::string before = card->Save();
        const sim::Card* inserted = card.get();
        Start(std::move(card));
        EXPECT_EQ(inserted->Save(), before);
        IFDHCloseChannel(kLun);
        host.reader(0).Remove();
    }
}

TEST_F(IfdTest, EmptySlotOrPoweredDownCardGivesNoAnswer) {
    ASSERT_EQ(IFDHCreateChannel(kLun, 0), IFD_SUCCESS);
    EXPECT_EQ(IFDHICCPresence(kLun), IFD_ICC_NOT_PRESENT);
    EXPECT_EQ(ifd_test::PowerUp(kLun), "error " + std::to_string(IFD_ERROR_POWER_ACTION));

    host.reader(0).Insert(sim::MakeCard("sle4442"));
    EXPECT_EQ(IFDHICCPresence(kLun), IFD_ICC_PRESENT);
    ASSERT_EQ(ifd_test::PowerUp(kLun), "3B 04 A2 13 10 91");
    std::array<UCHAR, MAX_ATR_SIZE> atr{};
    DWORD length = 0;
    ASSERT_EQ(IFDHPowerICC(kLun, IFD_POWER_DOWN, atr.data(), &length), IFD_SUCCESS);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(Send("FF B0 00 00 04"), "error " + std::to_string(IFD_ICC_NOT_PRESENT));
}

TEST_F(IfdTest, ResetGivesACpuCardItsAnswerAgainAndRestartsT1) {
    Start("cpu-t1");
    ASSERT_EQ(Send("00 84 00 00 08").size(), std::string("11 22 33 44 55 66 77 88 90 00").size());
    std::array<UCHAR, MAX_ATR_SIZE> atr{};
    DWORD length = 0;
    ASSERT_EQ(IFDHPowerICC(kLun, IFD_RESET, atr.data(), &length), IFD_SUCCESS);
    EXPECT_EQ(ifd_test::ToHex({atr.begin(), atr.begin() + length}), "3B 80 81 31 FE 45 8B");
    // The card and the library both start the block sequence again.
    EXPECT_EQ(Send("00 84 00 00 08").substr(24), "90 00");
}

TEST_F(IfdTest, CpuCardKeepsTheProtocolItsAnswerToResetChose) {
    Start("cpu-t1");
    EXPECT_EQ(IFDHSetProtocolParameters(kLun, SCARD_PROTOCOL_T1, 0, 0, 0, 0), IFD_SUCCESS);
    EXPECT_EQ(IFDHSetProtocolParameters(kLun, SCARD_PROTOCOL_T0, 0, 0, 0, 0),
              IFD_PROTOCOL_NOT_SUPPORTED);
    IFDHCloseChannel(kLun);
    host.reader(0).Remove();
    Start("sle4442");
    EXPECT_EQ(IFDHSetProtocolParameters(kLun, SCARD_PROTOCOL_T0, 0, 0, 0, 0), IFD_SUCCESS);
}

TEST_F(IfdTest, CapabilitiesNameTheReaderAndTheCard) {
    Start("cpu-t1");
    std::array<UCHAR, 64> value{};
    auto get = [&](DWORD tag) {
        DWORD length = value.size();
        EXPECT_EQ(IFDHGetCapabilities(kLun, tag, &length, value.data()), IFD_SUCCESS);
        return ifd_test::Bytes(value.begin(), value.begin() + length);
    };
    EXPECT_EQ(ifd_test::ToHex(get(TAG_IFD_ATR)), "3B 80 81 31 FE 45 8B");
    EXPECT_EQ(get(TAG_IFD_SLOTS_NUMBER), ifd_test::Bytes{1});
    const auto type = get(SCARD_ATTR_VENDOR_IFD_TYPE);
    EXPECT_EQ(std::string(type.begin(), type.end()), "Tavix USB smart-card reader");
    const auto protocol = get(SCARD_ATTR_CURRENT_PROTOCOL_TYPE);
    ASSERT_EQ(protocol.size(), sizeof(DWORD));
    EXPECT_EQ(protocol[0], SCARD_PROTOCOL_T1);

    DWORD small = 2;
    EXPECT_EQ(IFDHGetCapabilities(kLun, TAG_IFD_ATR, &small, value.data()),
              IFD_ERROR_INSUFFICIENT_BUFFER);
    DWORD length = value.size();
    EXPECT_EQ(IFDHGetCapabilities(kLun, 0x7FFF, &length, value.data()), IFD_ERROR_TAG);
    EXPECT_EQ(IFDHGetCapabilities(ifd_test::kSecondLun, TAG_IFD_ATR, &length, value.data()),
              IFD_NO_SUCH_DEVICE);
}

TEST_F(IfdTest, ControlCodesOtherThanTheFeatureListAreUnsupported) {
    Start("sle4442");
    std::array<UCHAR, 16> out{};
    DWORD returned = 99;
    EXPECT_EQ(IFDHControl(kLun, CM_IOCTL_GET_FEATURE_REQUEST, nullptr, 0, out.data(), out.size(),
                          &returned),
              IFD_SUCCESS);
    EXPECT_EQ(returned, 0u);
    for (DWORD code : {SCARD_CTL_CODE(1), CM_IOCTL_GET_FEATURE_REQUEST + 1}) {
        EXPECT_EQ(IFDHControl(kLun, code, nullptr, 0, out.data(), out.size(), &returned),
                  IFD_ERROR_NOT_SUPPORTED);
    }
}

TEST_F(IfdTest, CpuCardTakesApdusUnderT0AndT1) {
    EXPECT_EQ(Start("cpu-t0").substr(0, 5), "3B 6C");
    EXPECT_EQ(Send("00 84 00 00 08").substr(24), "90 00");
    EXPECT_EQ(Send("00 84 00 00 08").substr(24), "90 00");
    // Pseudo-APDUs are the card's own business on a CPU card.
    EXPECT_EQ(Send("FF B0 00 00 04"), "6E 00");
    IFDHCloseChannel(kLun);
    host.reader(0).Remove();
    Start("cpu-t1");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Send("00 84 00 00 08").substr(24), "90 00");
}

TEST_F(IfdTest, ChainedT1AnswerIsNotPassedOffAsAResponse) {
    auto card = std::make_unique<sim::CpuCard>(sim::CpuT1Profile());
    card->ifsd = 4;  // the card chains any longer answer
    Start(std::move(card));
    EXPECT_EQ(Send("00 84 00 00 02"), "6C 08");  // short enough for one block
    EXPECT_EQ(Send("00 84 00 00 08"), "error " + std::to_string(IFD_COMMUNICATION_ERROR));
}

// Refused with nothing sent: a write or a code presentation would have
// reached the card, a read's answer would be lost.
TEST_F(IfdTest, CommandWhoseAnswerCannotFitIsRefusedBeforeReachingTheCard) {
    const struct {
        const char* card;
        const char* first;
        const char* apdu;
        DWORD room;
    } cases[] = {
        {"sle4442", "FF B1 00 00 04", "FF B0 00 00 10", 17},
        {"sle4442", "FF B1 00 00 04", "FF 20 00 00 03 00 00 00", 1},
        {"24c16", "FF A4 00 00 01 40", "FF D0 00 00 01 8D", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.apdu);
        Start(c.card);
        Send(c.first);
        host.ClearLog();
        EXPECT_EQ(Send(c.apdu, c.room), "error " + std::to_string(IFD_ERROR_INSUFFICIENT_BUFFER));
        EXPECT_TRUE(host.log.empty());
        IFDHCloseChannel(kLun);
        host.reader(0).Remove();
    }
}

TEST_F(IfdTest, AnswersThatExactlyFillTheCallersBufferAreGiven) {
    Start("sle4442");
    EXPECT_EQ(Send("FF B0 00 00 04", 6), "A2 13 10 91 90 00");
    EXPECT_EQ(Send("FF D2 00 01 03 FF FF FF", 2), "69 82");
    for (DWORD tag :
         {DWORD{TAG_IFD_SLOTS_NUMBER}, DWORD{TAG_IFD_THREAD_SAFE}, SCARD_ATTR_ICC_PRESENCE}) {
        UCHAR value = 0;
        DWORD length = 1;
        EXPECT_EQ(IFDHGetCapabilities(kLun, tag, &length, &value), IFD_SUCCESS);
        EXPECT_EQ(length, 1u);
    }
}

TEST_F(IfdTest, ChannelOnAnotherSlotIsRefusedAndLeavesSlotZeroServed) {
    Start("sle4442");
    EXPECT_EQ(IFDHCreateChannel(kLun | 1, 0), IFD_COMMUNICATION_ERROR);
    EXPECT_EQ(Send("FF B0 00 00 02"), "A2 13 90 00");
}

}  // namespace
