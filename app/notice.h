// The update notice on the first page.
#pragma once

#include "builder.h"

#include "update/update_check.h"

#include <string_view>

namespace quorvex {

// Asks the update server once; shows the notice and names the newer version
// in the caption if there is one, and hides the notice otherwise.
void check_for_update(Window main_window, const update::Endpoint& server);

// Press on the notice: opens the update address with the system's handler.
void open_update_address(Window main_window, MousePress press);

// Only absolute http and https addresses with a host are ever opened.
bool is_openable_address(std::string_view address);

} // namespace quorvex
