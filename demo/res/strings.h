// SPDX-License-Identifier: MIT
// Fixed texts of the program shared by several parts of it.
#pragma once

namespace demo::text {

// Caption of every message box shown without a caption of its own.
constexpr const char* kAppTitle = "Mx450";
constexpr const char* kDocTemplate = "Mx450\nDemo\nDemo Document\n\n\nDemo.Document\nDemo Document";
constexpr const char* kFrameCaption = "Tavix Smart Card Reader Demo";
constexpr const char* kMessage = "Message";

}  // namespace demo::text
