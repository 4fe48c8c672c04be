// SPDX-License-Identifier: MIT
#include "pcsc/reader_listing.h"

#include <algorithm>
#include <cstring>

#include "vexa.h"

namespace ifd {

namespace {

// As many as the driver serves at once.
constexpr std::int16_t kMostListed = 100;

template <std::size_t N>
std::string Text(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

}  // namespace

std::vector<ListedReader> ListedReaders() {
    std::vector<VexaReaderInfo> infos(kMostListed);
    const std::int16_t count = IC_ListReaders(infos.data(), kMostListed);
    infos.resize(static_cast<std::size_t>(std::clamp<std::int16_t>(count, 0, kMostListed)));
    std::vector<ListedReader> readers;
    for (const VexaReaderInfo& info : infos)
        readers.push_back({Text(info.path), Text(info.serial), Text(info.location)});
    return readers;
}

bool IsListed(const ListedReader& reader) {
    const std::vector<ListedReader> readers = ListedReaders();
    return std::find(readers.begin(), readers.end(), reader) != readers.end();
}

}  // namespace ifd
