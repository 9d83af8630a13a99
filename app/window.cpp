#include "window.h"

#include "builder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>

namespace quorvex {

QWidget* Window::control(std::string_view name) const {
    if (window_.isNull()) {
        return nullptr;
    }
    if (name.empty()) {
        return window_;
    }
    return window_->findChild<QWidget*>(to_qstring(name));
}

std::string Window::text(std::string_view name) const {
    QWidget* c = control(name);
    if (c == nullptr) {
        return {};
    }
    if (c == window_) {
        return to_utf8(c->windowTitle());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(c)) {
        return to_utf8(edit->text());
    }
    if (auto* label = qobject_cast<QLabel*>(c)) {
        return to_utf8(label->text());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(c)) {
        return to_utf8(button->text());
    }
    if (auto* list = qobject_cast<QComboBox*>(c)) {
        return to_utf8(list->currentText());
    }
    if (auto* box = qobject_cast<QGroupBox*>(c)) {
        return to_utf8(box->title());
    }
    return {};
}

void Window::set_text(std::string_view name, std::string_view text) const {
    QWidget* c = control(name);
    if (c == nullptr) {
        return;
    }
    const QString t = to_qstring(text);
    if (c == window_) {
        c->setWindowTitle(t);
    } else if (auto* edit = qobject_cast<QLineEdit*>(c)) {
        edit->setText(t);
    } else if (auto* label = qobject_cast<QLabel*>(c)) {
        label->setText(t);
    } else if (auto* button = qobject_cast<QAbstractButton*>(c)) {
        button->setText(t);
    } else if (auto* list = qobject_cast<QComboBox*>(c); list != nullptr && list->isEditable()) {
        list->setEditText(t);
    } else if (auto* box = qobject_cast<QGroupBox*>(c)) {
        box->setTitle(t);
    }
}

bool Window::visible_setting(std::string_view name) const {
    QWidget* c = control(name);
    return c != nullptr && !c->isHidden();
}

void Window::set_visible(std::string_view name, bool on) const {
    if (QWidget* c = control(name)) {
        c->setVisible(on);
    }
}

int Window::selection(std::string_view name) const {
    auto* list = qobject_cast<QComboBox*>(control(name));
    return list != nullptr ? list->currentIndex() : -1;
}

void Window::set_selection(std::string_view name, int index) const {
    if (auto* list = qobject_cast<QComboBox*>(control(name))) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    }
}

int Window::current_page(std::string_view name) const {
    auto* tabs = qobject_cast<QTabWidget*>(control(name));
    return tabs != nullptr ? tabs->currentIndex() : -1;
}

void Window::set_current_page(std::string_view name, int index) const {
    if (auto* tabs = qobject_cast<QTabWidget*>(control(name))) {
        tabs->setCurrentIndex(index);
    }
}

void message_box(std::string_view text, int buttons, std::string_view title, QWidget* owner) {
    QMessageBox box(QMessageBox::NoIcon, to_qstring(title), to_qstring(text), QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("消息框"));
    switch (buttons) {
    case 1:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void load_modal(const WindowDesign& design) {
    QWidget* window = build_window(design);
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    centre_on_primary_screen(window);
    window->show();
    window->activateWindow();
    loop.exec(QEventLoop::DialogExec);
}

int run_event_loop() { return QApplication::exec(); }

QPoint centred_position(QSize screen, QSize outer) {
    return {(screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2};
}

void centre_on_primary_screen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    // Creating the native window (still hidden) lets the platform report its frame.
    window->winId();
    // The frame's size where the platform reports it, else the client area's.
    const QSize outer = window->frameGeometry().size().expandedTo(window->size());
    window->move(area.topLeft() + centred_position(area.size(), outer));
}

} // namespace quorvex
