// Renders each page of the main window, with realistic inputs computed, and
// the support window to PNG files. Usage: app_screenshots OUTPUT_DIR
#include "builder.h"
#include "gui_helpers.h"
#include "main_window_design.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>

#include <cfenv>
#include <cstdio>
#include <initializer_list>
#include <utility>

using namespace quorvex;

namespace {

void fill(const Window& w, std::initializer_list<std::pair<const char*, const char*>> texts) {
    for (const auto& [name, text] : texts) {
        w.set_text(name, text);
    }
}

void press(const Window& w, const char* button) {
    qobject_cast<QAbstractButton*>(w.control(button))->click();
}

bool save(QWidget* window, const QDir& dir, const QString& name) {
    QApplication::processEvents();
    const QString path = dir.filePath(name);
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::fesetenv(FE_DFL_ENV);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());

    Window w = test::open_main_window();
    bool ok = true;

    fill(w, {{"编辑框1", "2000"}, {"编辑框2", "128"}, {"编辑框3", "1"}});
    press(w, "按钮1");
    ok &= save(w.widget(), dir, QStringLiteral("file-size.png"));

    w.set_current_page("高级选择夹1", 1);
    fill(w, {{"编辑框9", "700"}, {"编辑框6", "1"}, {"编辑框7", "30"}});
    press(w, "按钮4");
    ok &= save(w.widget(), dir, QStringLiteral("bitrate.png"));

    w.set_current_page("高级选择夹1", 2);
    fill(w, {{"编辑框10", "1920"}, {"编辑框11", "1080"}, {"编辑框12", "24"}, {"编辑框13", "25"},
             {"编辑框15", "48000"}, {"编辑框16", "16"}, {"编辑框14", "60"}});
    press(w, "按钮5");
    ok &= save(w.widget(), dir, QStringLiteral("uncompressed.png"));

    w.set_current_page("高级选择夹1", 3);
    ok &= save(w.widget(), dir, QStringLiteral("help.png"));

    QWidget* support = build_window(support_window_design());
    support->show();
    ok &= save(support, dir, QStringLiteral("support.png"));
    support->close();
    w.widget()->close();
    return ok ? 0 : 1;
}
