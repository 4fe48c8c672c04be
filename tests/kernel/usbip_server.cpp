// SPDX-License-Identifier: MIT
#include "tests/kernel/usbip_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sstream>

#include "tests/kernel/usb_reader_device.h"

namespace kernel_test {

namespace {

constexpr std::uint32_t kFullSpeed = 2;
constexpr std::uint32_t kInterruptEndpoint = 1;

usbip::DeviceRecord Record(int n) {
    const std::string busid = "1-" + std::to_string(n);
    return {"/sys/devices/usbip-reader/" + busid,
            busid,
            1,
            static_cast<std::uint32_t>(n),
            kFullSpeed,
            0x04B4,
            0xA112,
            0x0100,
            1,
            0x03};
}

std::uint32_t DevId(const usbip::DeviceRecord& r) {
    return r.busnum << 16 | r.devnum;
}

int Listen(std::uint16_t port) {
    if (port == 0) return -1;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0) {
        std::perror("usbip-reader: listening on 127.0.0.1");
        ::close(fd);
        return -1;
    }
    return fd;
}

bool Send(int fd, const usbip::Bytes& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0 && errno != EINTR) return false;
        if (n > 0) sent += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

UsbipServer::UsbipServer(int readers, std::uint16_t port) : listener_(Listen(port)) {
    readers_.reserve(static_cast<std::size_t>(std::max(readers, 0)));
    for (int n = 1; n <= readers; ++n) {
        readers_.emplace_back().record = Record(n);
        readers_.back().serial = "VEXA-USB-" + std::to_string(n);
    }
}

UsbipServer::~UsbipServer() {
    for (const Link& link : links_) ::close(link.fd);
    if (listener_ >= 0) ::close(listener_);
}

std::string UsbipServer::Control(const std::string& line) {
    std::istringstream in(line);
    std::size_t n = 0;
    std::string command;
    if (!(in >> n >> command) || n < 1 || n > readers_.size()) {
        return "error no reader numbered in: " + line;
    }
    Reader& reader = readers_[n - 1];
    if (command == "unplug") {
        if (reader.link >= 0) Close(reader.link);
        return "ok";
    }
    return reader.core.Control(command, in).value_or("error unknown command: " + line);
}

std::vector<int> UsbipServer::Descriptors() const {
    std::vector<int> fds;
    if (listener_ >= 0) fds.push_back(listener_);
    for (const Link& link : links_) fds.push_back(link.fd);
    return fds;
}

void UsbipServer::Serve(int fd) {
    if (fd == listener_) return Accept();
    const auto link =
        std::find_if(links_.begin(), links_.end(), [fd](const Link& l) { return l.fd == fd; });
    if (link != links_.end()) Receive(*link);
}

void UsbipServer::Accept() {
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0) Adopt(fd);
}

void UsbipServer::Adopt(int fd) {
    // Each return is one small write the kernel waits for.
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    links_.push_back({fd, {}, nullptr});
}

void UsbipServer::Receive(Link& link) {
    std::uint8_t buf[4096];
    const ssize_t n = ::recv(link.fd, buf, sizeof buf, 0);
    if (n <= 0) return Close(link.fd);
    link.in.insert(link.in.end(), buf, buf + n);
    for (;;) {
        const Step used = link.reader ? Urb(link) : Operation(link);
        if (!used) return Close(link.fd);
        if (*used == 0) return;
        link.in.erase(link.in.begin(), link.in.begin() + static_cast<std::ptrdiff_t>(*used));
    }
}

UsbipServer::Step UsbipServer::Operation(Link& link) {
    if (link.in.size() < usbip::kOpHeaderSize) return 0;
    const auto op = usbip::ParseOpRequest(std::span(link.in).first<usbip::kOpHeaderSize>());
    if (op.version != usbip::kVersion) return std::nullopt;
    if (op.code == usbip::kReqImport) return Import(link);
    if (op.code == usbip::kReqDevlist) {
        std::vector<usbip::DeviceRecord> records;
        for (const Reader& r : readers_) records.push_back(r.record);
        Send(link.fd, usbip::DevlistReply(records));
    }
    return std::nullopt;  // the tool closes after a list; nothing else is served
}

UsbipServer::Step UsbipServer::Import(Link& link) {
    constexpr std::size_t kSize = usbip::kOpHeaderSize + usbip::kBusIdSize;
    if (link.in.size() < kSize) return 0;
    const std::string busid =
        usbip::ParseBusId(std::span(link.in).subspan<usbip::kOpHeaderSize, usbip::kBusIdSize>());
    const auto reader = std::find_if(readers_.begin(), readers_.end(),
                                     [&](const Reader& r) { return r.record.busid == busid; });
    if (reader == readers_.end() || reader->link >= 0) {
        Send(link.fd, usbip::ImportRefusal(reader == readers_.end() ? usbip::kStatusNoDevice
                                                                    : usbip::kStatusBusy));
        return std::nullopt;
    }
    if (!Send(link.fd, usbip::ImportReply(reader->record))) return std::nullopt;
    reader->core.Replug();
    reader->link = link.fd;
    link.reader = &*reader;
    return kSize;
}

UsbipServer::Step UsbipServer::Urb(Link& link) {
    if (link.in.size() < usbip::kUrbHeaderSize) return 0;
    const auto cmd = usbip::ParseUrb(std::span(link.in).first<usbip::kUrbHeaderSize>());
    if (!cmd || cmd->devid != DevId(link.reader->record)) return std::nullopt;
    const std::size_t size = usbip::kUrbHeaderSize + cmd->OutLength();
    if (link.in.size() < size) return 0;
    const bool done =
        cmd->command == usbip::kCmdUnlink
            ? Unlink(link, *cmd)
            : Submit(link, *cmd,
                     std::span(link.in).subspan(usbip::kUrbHeaderSize, cmd->OutLength()));
    return done ? Step(size) : std::nullopt;
}

bool UsbipServer::Submit(Link& link, const usbip::UrbCommand& cmd,
                         std::span<const std::uint8_t> out) {
    Reader& reader = *link.reader;
    if (cmd.ep == kInterruptEndpoint && cmd.direction == usbip::kDirIn) {
        reader.pending.push_back(cmd.seqnum);
        return true;
    }
    if (cmd.ep != 0) return Send(link.fd, usbip::RetSubmit(cmd.seqnum, -EPIPE, {}));
    ControlAnswer answer = AnswerControl(reader.core, reader.serial, cmd.setup, out);
    if (answer.pulled) return false;
    if (answer.data.size() > cmd.transfer_length) answer.data.resize(cmd.transfer_length);
    // Read before the answer leaves, as the time the caller may go on from.
    const auto at = ReaderCore::Clock::now();
    if (!Send(link.fd, usbip::RetSubmit(cmd.seqnum, answer.status, answer.data))) return false;
    if (answer.report) reader.core.Answered(at);
    return true;
}

// An unlinked interrupt URB ends as reset; any other had completed already.
bool UsbipServer::Unlink(Link& link, const usbip::UrbCommand& cmd) {
    auto& pending = link.reader->pending;
    const auto it = std::find(pending.begin(), pending.end(), cmd.unlink_seqnum);
    const bool found = it != pending.end();
    if (found) pending.erase(it);
    return Send(link.fd, usbip::RetUnlink(cmd.seqnum, found ? -ECONNRESET : 0));
}

void UsbipServer::Close(int fd) {
    const auto link =
        std::find_if(links_.begin(), links_.end(), [fd](const Link& l) { return l.fd == fd; });
    if (link == links_.end()) return;
    if (link->reader) {
        link->reader->link = -1;
        link->reader->pending.clear();
    }
    ::close(fd);
    links_.erase(link);
}

}  // namespace kernel_test
