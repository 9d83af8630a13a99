// The yardstick: the smallest Qt Widgets program, one window with one label.
#include "first_paint_probe.h"

#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstPaintProbe probe;
    QWidget window;
    QLabel label(QStringLiteral("Quorvex"), &window);
    window.resize(376, 280);
    window.show();
    return QApplication::exec();
}
