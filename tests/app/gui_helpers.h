// Small helpers for driving the real main window in tests.
#pragma once

#include "window.h"

#include "update/update_check.h"

#include <QPointer>
#include <QString>

class QWidget;

namespace quorvex::test {

// A loopback endpoint with nothing listening: the update check fails at once.
update::Endpoint closed_endpoint();

// The main window loaded as at start-up, against `server` (closed by default).
Window open_main_window(const update::Endpoint& server = closed_endpoint());

// The control of that design name, or a failed test.
template <class T = QWidget> T* find(const Window& window, const char* name) {
    return window.widget()->findChild<T*>(QString::fromUtf8(name));
}

// Closes the window and waits until it has deleted itself.
void close_window(Window& window);

// A left click at the control's centre, delivered through its window.
// Typing: click for focus, select all, then real key events replace the text.
void click(QWidget* control);
void type_into(QWidget* control, const QString& text);

} // namespace quorvex::test
