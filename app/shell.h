// Start-up, the main window and shutdown.
#pragma once

#include "window.h"

#include "update/update_check.h"

#include <string>

namespace quorvex {

// Program-wide values: the program's own version and the two texts the
// update check read (UTF-8).
struct ProgramValues {
    double version = 0.0;
    std::string notice_text;
    std::string update_address;
};
ProgramValues& program_values();

// Loads the main window: built hidden, its created handler run (with the
// update check against `update_server`), then shown centred. The window
// deletes itself when closed.
Window load_main_window(const update::Endpoint& update_server);

// The whole program: start-up, event loop, end routines. Returns the exit code.
int run_program(int argc, char** argv);

} // namespace quorvex
