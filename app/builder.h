// Turns a window design into real widgets and binds the program's handlers.
#pragma once

#include "window.h"

#include <functional>
#include <string_view>
#include <vector>

namespace quorvex {

struct WindowDesign;

// A left-button press: place within the control and the keys held
// (1 Ctrl, 2 Shift, 4 Alt, added).
struct MousePress {
    int x = 0, y = 0, keys = 0;
};

struct Handlers {
    std::function<void(Window)> created;
    std::vector<std::pair<std::string_view, std::function<void(Window)>>> clicked;
    std::vector<std::pair<std::string_view, std::function<void(Window, MousePress)>>> pressed;
};

// The window, hidden and without a parent, with every control of its design
// at its design place; the handlers are bound but the created one has not run.
QWidget* build_window(const WindowDesign& design, const Handlers& handlers = {});

// Builds the window, raises its created event, and then, if the window still
// exists, shows it centred on the primary screen as the active window.
Window load_window(const WindowDesign& design, const Handlers& handlers = {});

} // namespace quorvex
