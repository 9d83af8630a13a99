// Acting on modal windows from inside their nested event loops.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quorvex::test {

// Runs `act` on the next modal window once it is shown; polls from the event
// loop, so it works while a handler waits in a modal loop of its own.
inline void when_modal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start(5);
}

} // namespace quorvex::test
