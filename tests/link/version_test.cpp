// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "vexa.h"

// The header's version follows the project's, which names the shared
// library's file and goes into the packages.
TEST(Version, HeaderCarriesTheProjectVersion) {
    const std::string header = std::to_string(VEXA_VERSION_MAJOR) + "." +
                               std::to_string(VEXA_VERSION_MINOR) + "." +
                               std::to_string(VEXA_VERSION_PATCH);
    EXPECT_EQ(header, VEXA_PROJECT_VERSION);
    EXPECT_EQ(VEXA_VERSION,
              VEXA_VERSION_MAJOR * 10000 + VEXA_VERSION_MINOR * 100 + VEXA_VERSION_PATCH);
}
