#include "status.h"

namespace vexa {

namespace {
std::int32_t g_last_error = 0;
}

std::int32_t LastError() { return g_last_error; }

void SetLastError(std::int32_t status) { g_last_error = status; }

std::int16_t Finish(std::int32_t status) {
    g_last_error = status;
    return static_cast<std::int16_t>(status);
}

}  // namespace vexa
