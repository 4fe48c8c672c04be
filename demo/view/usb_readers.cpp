// SPDX-License-Identifier: MIT
#include "demo/view/usb_readers.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "demo/port/library_imports.h"

namespace demo {

namespace {

// More readers than the port label can number are still opened in order.
constexpr int kListed = 32;

bool CanList() {
    return Lib().IC_ListReaders != nullptr && Lib().IC_InitCommPath != nullptr;
}

// The library's fields are meant to end in a NUL; a field filled to its
// last byte is taken as it is.
template <std::size_t N>
std::string Field(const char (&text)[N]) {
    return std::string(text, strnlen(text, N));
}

struct Listing {
    std::vector<UsbReader> readers;
    int attached = 0;
};

Listing List() {
    std::vector<VexaReaderInfo> entries(kListed);
    Listing listing;
    listing.attached = std::max(0, static_cast<int>(Lib().IC_ListReaders(entries.data(), kListed)));
    entries.resize(std::min(listing.attached, kListed));
    for (const VexaReaderInfo& entry : entries) {
        listing.readers.push_back({Field(entry.path), Field(entry.serial), 0});
    }
    return listing;
}

// Where the wanted reader stands in the list; the end when it is not there.
std::size_t Find(const std::vector<UsbReader>& readers, const UsbReader& wanted) {
    auto same = readers.end();
    if (!wanted.serial.empty()) {
        same = std::find_if(readers.begin(), readers.end(),
                            [&](const UsbReader& r) { return r.serial == wanted.serial; });
    }
    if (same == readers.end() && !wanted.path.empty()) {
        same = std::find_if(readers.begin(), readers.end(),
                            [&](const UsbReader& r) { return r.path == wanted.path; });
    }
    return static_cast<std::size_t>(same - readers.begin());
}

// The list's order with the wanted reader moved to the front.
std::vector<std::size_t> Order(const std::vector<UsbReader>& readers, const UsbReader& wanted) {
    std::vector<std::size_t> order(readers.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const std::size_t first = Find(readers, wanted);
    if (first < order.size()) {
        const auto at = order.begin() + static_cast<std::ptrdiff_t>(first);
        std::rotate(order.begin(), at, at + 1);
    }
    return order;
}

std::int32_t OpenAt(int port, const Listing& listing, std::size_t index, UsbReader& opened) {
    const UsbReader& reader = listing.readers[index];
    const std::int32_t icdev = Lib().IC_InitCommPath(port, reader.path.c_str());
    if (icdev <= 0) return 0;
    opened = reader;
    opened.place = listing.attached > 1 ? static_cast<int>(index) + 1 : 0;
    return icdev;
}

}  // namespace

std::int32_t OpenUsbReader(int port, const UsbReader& wanted, UsbReader& opened) {
    if (!CanList()) {
        const std::int32_t icdev = Lib().IC_InitComm(port);
        if (icdev <= 0) return 0;
        opened = {};
        return icdev;
    }
    const Listing listing = List();
    for (const std::size_t index : Order(listing.readers, wanted)) {
        if (const std::int32_t icdev = OpenAt(port, listing, index, opened)) return icdev;
    }
    return 0;
}

bool UsbReaderAttached() {
    return !CanList() || Lib().IC_ListReaders(nullptr, 0) > 0;
}

}  // namespace demo
