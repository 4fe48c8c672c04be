// SPDX-License-Identifier: MIT
// Listing the attached readers for a caller that chooses one by its path.
#include <algorithm>
#include <limits>
#include <string>

#include "vexa.h"
#include "vexa/link/hid_host.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

// Copies as much as fits, always zero-terminated.
template <std::size_t N>
void CopyText(const std::string& text, char (&field)[N]) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::copy_n(text.data(), n, field);
    std::fill(field + n, field + N, '\0');
}

void Fill(const ReaderEntry& entry, VexaReaderInfo& info) {
    CopyText(entry.path, info.path);
    CopyText(entry.serial, info.serial);
    CopyText(entry.location, info.location);
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_ListReaders(VexaReaderInfo* readers, int16_t capacity) {
    const int room = readers == nullptr ? 0 : std::max<int>(capacity, 0);
    int count = 0;
    for (const ReaderEntry& entry : CurrentHidHost().ListReaders()) {
        // A cut path would open nothing, or another device.
        if (entry.path.size() >= VEXA_READER_PATH_SIZE) continue;
        if (count < room) Fill(entry, readers[count]);
        count = std::min(count + 1, int{std::numeric_limits<int16_t>::max()});
    }
    SetLastError(kOk);
    return static_cast<int16_t>(count);
}
