#include "design_widgets.h"

#include <QKeyEvent>
#include <QStackedWidget>

namespace quorvex {

namespace {
constexpr const char* design_place_property = "quorvexDesignPlace";
}

DesignWindow::DesignWindow(int client_width, int client_height)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
    setFixedSize(client_width, client_height);
}

void DesignWindow::keyPressEvent(QKeyEvent* event) {
    // Key presses reach the window only when the focused control did not take them.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DesignTabWidget::set_design_place(QWidget* control, const QRect& place) {
    control->setProperty(design_place_property, place);
    control->setGeometry(place);
}

void DesignTabWidget::showEvent(QShowEvent* event) {
    QTabWidget::showEvent(event);
    place_controls();
}

void DesignTabWidget::resizeEvent(QResizeEvent* event) {
    QTabWidget::resizeEvent(event);
    place_controls();
}

void DesignTabWidget::place_controls() {
    // Every page fills the stack below the headers; its origin within the tab
    // control is the stack's contents origin.
    const auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly);
    if (stack == nullptr) {
        return;
    }
    const QPoint origin = stack->geometry().topLeft() + stack->contentsRect().topLeft();
    for (int i = 0; i < count(); ++i) {
        for (auto* control : widget(i)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QVariant place = control->property(design_place_property);
            if (place.isValid()) {
                control->setGeometry(place.toRect().translated(-origin));
            }
        }
    }
}

} // namespace quorvex
