// The whole program from its entry point: it starts, shows the main window,
// and when the window is closed with Esc it ends with exit code 0.
#include "shell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <cstdio>

namespace {

void close_main_window_with_escape() {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == u"主窗口" && top->isVisible()) {
                poll->stop();
                std::printf("shown: %s\n", qPrintable(top->windowTitle()));
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(top->focusWidget() ? top->focusWidget() : top, &escape);
            }
        }
    });
    poll->start(10);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(close_main_window_with_escape)

int main(int argc, char** argv) {
    const int code = quorvex::run_program(argc, argv);
    std::printf("exit code %d\n", code);
    return code;
}
