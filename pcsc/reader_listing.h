// SPDX-License-Identifier: MIT
// The readers attached now, as the library lists them.
#pragma once

#include <string>
#include <vector>

namespace ifd {

struct ListedReader {
    std::string path;
    std::string serial;
    std::string location;  // "BBB/DDD:I", "" when the reader has no USB parent
    bool operator==(const ListedReader&) const = default;
};

// In the order the library tries them when it opens the first free one.
std::vector<ListedReader> ListedReaders();

// A reader unplugged and plugged back is another device (a new USB device
// number, maybe another node): only the very same entry counts.
bool IsListed(const ListedReader& reader);

}  // namespace ifd
