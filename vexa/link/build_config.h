// SPDX-License-Identifier: MIT
// Compile-time switch between the full library and its reduced configuration.
#pragma once

#ifndef VEXA_REDUCED_BUILD
#define VEXA_REDUCED_BUILD 0
#endif

namespace vexa {
constexpr bool kReducedBuild = VEXA_REDUCED_BUILD != 0;
}
