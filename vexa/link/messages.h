// SPDX-License-Identifier: MIT
// Message texts of the status codes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vexa {

// Callers hand in at least this much room; the longest text is 20 bytes.
constexpr std::size_t kMessageRoom = 21;

// Writes the NUL-terminated GBK text of `status` into `out`.
void MessageFor(std::int32_t status, char* out);

}  // namespace vexa
