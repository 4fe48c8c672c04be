// SPDX-License-Identifier: MIT
// The driver's entry points against the simulated reader: one reader (unit 0)
// holding the card a test inserts, opened as pcscd opens it, with APDUs
// written and answered as hexadecimal text ("FF B0 00 00 02" -> "A2 13 90 00").
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pcsc/ifd_interface.h"
#include "sim/card_factory.h"
#include "tests/support/sim_fixture.h"

namespace ifd_test {

using Bytes = std::vector<std::uint8_t>;

Bytes FromHex(const std::string& text);
std::string ToHex(const Bytes& bytes);

// The answer to an APDU into a buffer of `room` bytes, or "error <code>" when
// the driver gave none.
std::string Transmit(DWORD lun, const std::string& apdu, DWORD room = MAX_BUFFER_SIZE_EXTENDED);
std::string PowerUp(DWORD lun);  // the ATR, or "error <code>"

constexpr DWORD kLun = 0;
constexpr DWORD kSecondLun = 1u << 16;

}  // namespace ifd_test

class IfdTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.AddReader();
        vexa::InstallHidHost(&host);
    }
    void TearDown() override {
        IFDHCloseChannel(ifd_test::kLun);
        IFDHCloseChannel(ifd_test::kSecondLun);
        vexa::ResetLibraryState();
    }

    // Inserts the card into reader `index`, opens that reader and powers the
    // card up; returns the ATR as hexadecimal text.
    std::string Start(std::unique_ptr<sim::Card> card, std::size_t index = 0) {
        sim::Card* raw = card.get();
        host.reader(index).Insert(std::move(card));
        cards.push_back(raw);
        const DWORD lun = index == 0 ? ifd_test::kLun : ifd_test::kSecondLun;
        EXPECT_EQ(IFDHCreateChannelByName(lun, const_cast<char*>("usb:04b4/a112")), IFD_SUCCESS);
        return ifd_test::PowerUp(lun);
    }
    std::string Start(const std::string& card_name) { return Start(sim::MakeCard(card_name)); }
    std::string Send(const std::string& apdu, DWORD room = MAX_BUFFER_SIZE_EXTENDED) {
        return ifd_test::Transmit(ifd_test::kLun, apdu, room);
    }

    sim::SimHost host;
    std::vector<sim::Card*> cards;
};
