#include "support_window.h"

#include "main_window_design.h"

namespace quorvex {

void open_support_window(Window) { load_modal(support_window_design()); }

} // namespace quorvex
