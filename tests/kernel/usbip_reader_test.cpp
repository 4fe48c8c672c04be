// SPDX-License-Identifier: MIT
// The USB/IP reader without a kernel: what endpoint 0 answers the requests
// the kernel's USB and HID drivers make, and how strictly the protocol's
// headers are read.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>
#include <sstream>

#include "sim/card_factory.h"
#include "tests/kernel/report_descriptor.h"
#include "tests/kernel/usb_reader_device.h"
#include "tests/kernel/usbip_server.h"

namespace {

using kernel_test::AnswerControl;
using kernel_test::usbip::Bytes;
using ControlSetup = kernel_test::usbip::Setup;

class UsbReaderDevice : public ::testing::Test {
  protected:
    kernel_test::ControlAnswer Ask(const ControlSetup& setup, const Bytes& out = {}) {
        return AnswerControl(core, "VEXA-USB-1", setup, out);
    }
    kernel_test::ReaderCore core;
};

TEST_F(UsbReaderDevice, AnswersEnumerationAndStallsWhatItDoesNotHave) {
    const Bytes serial{22, 3,   'V', 0,   'E', 0,   'X', 0,   'A', 0,   '-',
                       0,  'U', 0,   'S', 0,   'B', 0,   '-', 0,   '1', 0};
    const Bytes report(std::begin(kernel_test::kReportDescriptor),
                       std::end(kernel_test::kReportDescriptor));
    const struct {
        ControlSetup setup;
        std::int32_t status;
        std::size_t size;
        Bytes starts;
    } cases[] = {
        {{0x80, 6, 0x0100, 0, 64}, 0, 18, {18, 1, 0x00, 0x02, 0, 0, 0, 64, 0xB4, 0x04, 0x12, 0xA1}},
        {{0x80, 6, 0x0100, 0, 8}, 0, 8, {18, 1}},
        {{0x80, 6, 0x0200, 0, 255}, 0, 34, {9, 2, 34, 0, 1, 1}},
        {{0x80, 6, 0x0300, 0, 255}, 0, 4, {4, 3, 0x09, 0x04}},
        {{0x80, 6, 0x0303, 0x0409, 255}, 0, serial.size(), serial},
        {{0x81, 6, 0x2200, 0, 255}, 0, report.size(), report},
        {{0x00, 9, 1, 0, 0}, 0, 0, {}},
        {{0x21, 0x0A, 0, 0, 0}, 0, 0, {}},
        {{0x80, 6, 0x0304, 0x0409, 255}, -EPIPE, 0, {}},  // no such string
        {{0x80, 6, 0x0600, 0, 10}, -EPIPE, 0, {}},        // full speed only
        {{0xA1, 1, 0x0301, 0, 64}, -EPIPE, 0, {}},        // report number 1
        {{0xA1, 1, 0x0100, 0, 64}, -EPIPE, 0, {}},        // input report
        {{0xC0, 1, 0, 0, 4}, -EPIPE, 0, {}},              // vendor request
    };
    for (const auto& c : cases) {
        const auto answer = Ask(c.setup);
        SCOPED_TRACE(testing::Message() << std::hex << int(c.setup.request_type) << " "
                                        << int(c.setup.request) << " " << c.setup.value);
        EXPECT_EQ(answer.status, c.status);
        ASSERT_EQ(answer.data.size(), c.size);
        EXPECT_TRUE(std::equal(c.starts.begin(), c.starts.end(), answer.data.begin()));
        EXPECT_FALSE(answer.report);
    }
}

TEST_F(UsbReaderDevice, FeatureReportsReachTheFirmwareAndAPullStopsThem) {
    std::istringstream card("sle4442");
    ASSERT_EQ(core.Control("insert", card), "ok");
    Bytes status_query(64, 0);
    status_query[0] = 0x21, status_query[1] = 0xA2, status_query[3] = 0x83;
    EXPECT_EQ(Ask({0x21, 9, 0x0300, 0, 63}, Bytes(63, 0)).status, -EPIPE);
    EXPECT_TRUE(Ask({0x21, 9, 0x0300, 0, 64}, status_query).report);
    const auto answer = Ask({0xA1, 1, 0x0300, 0, 64});
    EXPECT_TRUE(answer.report);
    ASSERT_EQ(answer.data.size(), 64u);
    EXPECT_EQ(Bytes(answer.data.begin(), answer.data.begin() + 5),
              (Bytes{0x12, 0xA2, 0x01, 0x90, 0x21}));

    // Pulled at the answer's request of the command named, or at a count.
    std::istringstream code("a2");
    ASSERT_EQ(core.Control("unplug-after", code), "ok");
    EXPECT_TRUE(Ask({0x21, 9, 0x0300, 0, 64}, status_query).report);
    EXPECT_TRUE(Ask({0xA1, 1, 0x0300, 0, 64}).pulled);
    std::istringstream count("1");
    ASSERT_EQ(core.Control("unplug-at", count), "ok");
    EXPECT_TRUE(Ask({0xA1, 1, 0x0300, 0, 64}).pulled);
    EXPECT_TRUE(Ask({0xA1, 1, 0x0300, 0, 64}).report);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// A command as vhci-hcd sends it; a GET_REPORT of 64 bytes unless `setup`.
Bytes Urb(std::uint32_t command, std::uint32_t seqnum, std::uint32_t word5,
          std::uint32_t length = 0, std::uint32_t packets = 0, std::uint32_t devid = 0x10002,
          std::uint32_t ep = 0, Bytes setup = {0xA1, 0x01, 0x00, 0x03, 0x00, 0x00, 0x40, 0x00}) {
    Bytes h(kernel_test::usbip::kUrbHeaderSize, 0);
    Put32(h, 0, command);
    Put32(h, 4, seqnum);
    Put32(h, 8, devid);
    Put32(h, 12, 1);  // IN
    Put32(h, 16, ep);
    Put32(h, 20, word5);  // transfer flags, or the seqnum to unlink
    Put32(h, 24, length);
    Put32(h, 32, packets);
    std::copy(setup.begin(), setup.end(), h.begin() + 40);
    return h;
}

std::optional<kernel_test::usbip::UrbCommand> Parse(const Bytes& header) {
    return kernel_test::usbip::ParseUrb(
        std::span<const std::uint8_t, kernel_test::usbip::kUrbHeaderSize>(header.data(), 48));
}

TEST(UsbipWire, ReadsTheCommandsTheKernelSendsAndNothingElse) {
    const auto submit = Parse(Urb(1, 7, 0, 64, 0xFFFFFFFF));
    ASSERT_TRUE(submit);
    EXPECT_EQ(submit->seqnum, 7u);
    EXPECT_EQ(submit->OutLength(), 0u);  // IN: no data follows
    EXPECT_EQ(submit->setup.value, 0x0300);
    EXPECT_EQ(submit->setup.length, 64);
    EXPECT_EQ(Parse(Urb(2, 8, 7))->unlink_seqnum, 7u);
    for (const Bytes& refused : {Urb(3, 1, 0), Urb(1, 1, 0, 4097), Urb(1, 1, 0, 8, 2)}) {
        EXPECT_FALSE(Parse(refused));
    }
}

TEST(UsbipWire, RepliesHaveTheLayoutTheToolAndTheKernelRead) {
    using namespace kernel_test::usbip;
    const Bytes ret = RetSubmit(7, -EPIPE, Bytes{1, 2, 3});
    ASSERT_EQ(ret.size(), 48u + 3);
    EXPECT_EQ(Bytes(ret.begin(), ret.begin() + 8), (Bytes{0, 0, 0, 3, 0, 0, 0, 7}));
    EXPECT_EQ(Bytes(ret.begin() + 20, ret.begin() + 28),
              (Bytes{0xFF, 0xFF, 0xFF, 0xE0, 0, 0, 0, 3}));
    DeviceRecord reader{"/sys/x", "1-2", 1, 2, 2, 0x04B4, 0xA112, 0x0100, 1, 3};
    const Bytes list = DevlistReply({reader, reader});
    EXPECT_EQ(list.size(), 8u + 4 + 2 * (312 + 4));
    EXPECT_EQ(list[11], 2);
    const Bytes import = ImportReply(reader);
    ASSERT_EQ(import.size(), 8u + 312);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&import[8 + 256])), "1-2");
    EXPECT_EQ(Bytes(import.begin() + 8 + 300, import.end()),
              (Bytes{0x04, 0xB4, 0xA1, 0x12, 0x01, 0x00, 0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(ImportRefusal(kStatusBusy), (Bytes{0x01, 0x11, 0x00, 0x03, 0, 0, 0, 2}));
}

// Two connections of the tool to a server without a port, through socket pairs.
class UsbipServerLinks : public ::testing::Test {
  protected:
    int Connect() {
        int pair[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair), 0);
        server.Adopt(pair[0]);
        ends.push_back(pair[1]);
        return pair[1];
    }
    // What the server answers to `bytes` sent on the connection of `end`;
    // nothing at all once it has closed it.
    std::optional<Bytes> Exchange(int end, const Bytes& bytes) {
        ::send(end, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        for (int fd : server.Descriptors()) {
            pollfd ready{fd, POLLIN, 0};
            if (::poll(&ready, 1, 0) == 1) server.Serve(fd);
        }
        Bytes answer(8192);
        const ssize_t n = ::recv(end, answer.data(), answer.size(), MSG_DONTWAIT);
        if (n == 0) return std::nullopt;
        answer.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
        return answer;
    }
    ~UsbipServerLinks() override {
        for (int fd : ends) ::close(fd);
    }
    kernel_test::UsbipServer server{2, 0};
    std::vector<int> ends;
};

Bytes Import(const std::string& busid) {
    Bytes request(8 + 32, 0);
    request[0] = 0x01, request[1] = 0x11, request[2] = 0x80, request[3] = 0x03;
    std::copy(busid.begin(), busid.end(), request.begin() + 8);
    return request;
}

TEST_F(UsbipServerLinks, ImportsEachReaderOnceAndServesItsUrbsUntilTheLinkBreaks) {
    const int tool = Connect();
    const auto imported = Exchange(tool, Import("1-2"));
    ASSERT_TRUE(imported);
    ASSERT_EQ(imported->size(), 8u + 312);
    EXPECT_EQ((*imported)[7], 0);  // status

    const int second = Connect();
    EXPECT_EQ(Exchange(second, Import("1-2")), (Bytes{0x01, 0x11, 0x00, 0x03, 0, 0, 0, 2}));
    EXPECT_FALSE(Exchange(second, {}));  // closed after the refusal

    // The interrupt URB stays pending until it is unlinked.
    EXPECT_EQ(Exchange(tool, Urb(1, 5, 0, 64, 0, 0x10002, 1)), Bytes{});
    const auto unlinked = Exchange(tool, Urb(2, 6, 5));
    ASSERT_TRUE(unlinked);
    ASSERT_EQ(unlinked->size(), 48u);
    EXPECT_EQ(Bytes(unlinked->begin() + 20, unlinked->begin() + 24),
              (Bytes{0xFF, 0xFF, 0xFF, 0x98}));  // -ECONNRESET
    const auto device =
        Exchange(tool, Urb(1, 8, 0, 18, 0, 0x10002, 0, {0x80, 6, 0, 1, 0, 0, 18, 0}));
    ASSERT_TRUE(device);
    EXPECT_EQ(device->size(), 48u + 18);

    EXPECT_FALSE(Exchange(tool, Urb(1, 9, 0, 18, 0, 0x10001)));  // another device's id
    const int again = Connect();
    EXPECT_EQ(Exchange(again, Import("1-2"))->size(), 8u + 312);
    EXPECT_EQ(Exchange(Connect(), Import("1-3")), (Bytes{0x01, 0x11, 0x00, 0x03, 0, 0, 0, 4}));
}

}  // namespace
