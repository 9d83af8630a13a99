// The few widget classes the designs need beyond plain Qt widgets.
#pragma once

#include <QTabWidget>
#include <QWidget>

namespace quorvex {

// A top-level window of fixed client size that closes on Esc unless the
// focused control takes the key itself.
class DesignWindow : public QWidget {
public:
    DesignWindow(int client_width, int client_height);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A tab control whose pages place their controls relative to the tab control
// itself, headers included, rather than to the page area below the headers.
class DesignTabWidget : public QTabWidget {
public:
    using QTabWidget::QTabWidget;

    // Puts `control`, a direct child of one of the pages, at `place` given in
    // tab control coordinates.
    static void set_design_place(QWidget* control, const QRect& place);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void place_controls();
};

} // namespace quorvex
