// SPDX-License-Identifier: MIT
// The view's state for tests that set up a situation directly or check
// what a command left behind.
#pragma once

#include "demo/view/demo_view.h"

namespace demo {

struct ViewStateAccess {
    static ViewState& Of(CDemoView& view) { return view; }
};

}  // namespace demo

namespace demo_test {

inline demo::ViewState& StateOf(demo::CDemoView& view) {
    return demo::ViewStateAccess::Of(view);
}

}  // namespace demo_test
