#include "gui_helpers.h"

#include "shell.h"

#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quorvex::test {

update::Endpoint closed_endpoint() {
    // Bind an ephemeral port and let it go: nothing listens there afterwards.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    unsigned port = 9; // discard: closed on test machines
    if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    if (s >= 0) {
        ::close(s);
    }
    return {"127.0.0.1", port};
}

Window open_main_window(const update::Endpoint& server) {
    Window window = load_main_window(server);
    if (QWidget* w = window.widget()) {
        if (!QTest::qWaitForWindowExposed(w)) {
            qWarning("main window not exposed");
        }
    }
    return window;
}

void close_window(Window& window) {
    if (QWidget* w = window.widget()) {
        w->close();
    }
    QTRY_VERIFY(!window.exists());
}

// Through the window system, so that modality and hit testing apply as for a user.
void click(QWidget* control) {
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

void type_into(QWidget* control, const QString& text) {
    click(control);
    QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(control, text);
}

} // namespace quorvex::test
