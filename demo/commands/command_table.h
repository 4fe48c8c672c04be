// SPDX-License-Identifier: MIT
// Which of the view's handlers runs a command.
#pragma once

namespace demo {

class CDemoView;

// Runs the view's handler of command `id`; false when the view has none.
bool RunViewCommand(CDemoView& view, int id);

}  // namespace demo
