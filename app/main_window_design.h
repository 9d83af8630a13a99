#pragma once

#include "design.h"

namespace quorvex {

// The main window: the tab control with its four pages and every control on them.
const WindowDesign& main_window_design();

// The support window opened from the help page.
const WindowDesign& support_window_design();

} // namespace quorvex
