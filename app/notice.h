// The update notice on the first page.
#pragma once

#include "builder.h"

#include "update/update_check.h"


namespace quorvex {

// Asks the update server once; shows the notice and names the newer version
// in the caption if there is one, and hides the notice otherwise.
void check_for_update(Window main_window, const update::Endpoint& server);

// Press on the notice: opens the update address with the system's handler,
// if it is an absolute http or https address with a host.
void open_update_address(Window main_window, MousePress press);

} // namespace quorvex
