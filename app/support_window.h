#pragma once

#include "window.h"

namespace quorvex {

// Click handler of "支持作者": the support window, modal, until it is closed.
void open_support_window(Window main_window);

} // namespace quorvex
