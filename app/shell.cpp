#include "shell.h"

#include "builder.h"
#include "main_window_design.h"
#include "notice.h"
#include "page_handlers.h"
#include "support_window.h"

#include "application_icon.h"

#include "estimate/number_text.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace quorvex {

namespace {

constexpr double program_version = 1.01;

// Routines run once each, in the order registered, when the program ends.
std::vector<void (*)()>& end_routines() {
    static std::vector<void (*)()> routines;
    return routines;
}

void at_end(void (*routine)()) {
    auto& routines = end_routines();
    if (std::find(routines.begin(), routines.end(), routine) == routines.end()) {
        routines.push_back(routine);
    }
}

void run_end_routines() {
    for (auto* routine : end_routines()) {
        routine();
    }
    end_routines().clear();
}

void release_update_texts() {
    ProgramValues& values = program_values();
    values.notice_text.clear();
    values.notice_text.shrink_to_fit();
    values.update_address.clear();
    values.update_address.shrink_to_fit();
}

void on_main_window_created(Window w, const update::Endpoint& update_server) {
    program_values().version = program_version;
    w.set_caption(
        estimate::join_texts({"Quorvex V", estimate::number_to_text(program_values().version)}));
    w.set_current_page("高级选择夹1", 0);
    w.set_selection("组合框1", 0);
    w.set_selection("组合框2", 0);
    w.set_selection("组合框3", 0);
    w.set_selection("组合框4", 1);
    check_for_update(w, update_server);
}

// Qt ends the process through a fatal message when it cannot reach a display;
// say so plainly and end with an error code instead of aborting.
void startup_message_handler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    const QByteArray text = message.toLocal8Bit();
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "quorvex: cannot start the window system: %s\n", text.constData());
        std::fflush(stderr);
        std::_Exit(2);
    }
    std::fprintf(stderr, "%s\n", text.constData());
}

} // namespace

ProgramValues& program_values() {
    static ProgramValues values;
    return values;
}

Window load_main_window(const update::Endpoint& update_server) {
    Handlers handlers;
    handlers.created = [update_server](Window w) { on_main_window_created(w, update_server); };
    handlers.clicked = {
        {"按钮1", compute_file_size},         {"按钮2", reset_file_size_page},
        {"按钮4", compute_bitrate},           {"按钮3", reset_bitrate_page},
        {"按钮5", compute_uncompressed_size}, {"按钮6", reset_uncompressed_page},
        {"按钮7", open_support_window},
    };
    handlers.pressed = {{"通告", open_update_address}};
    return load_window(main_window_design(), handlers);
}

int run_program(int argc, char** argv) {
    // 1. Window services.
    const QtMessageHandler previous = qInstallMessageHandler(startup_message_handler);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    QApplication::setDesktopFileName(QStringLiteral("quorvex"));
    QApplication::setWindowIcon(application_icon());

    // 2. Round to nearest, every floating-point exception masked.
    std::fesetenv(FE_DFL_ENV);

    // 3. The end routine.
    at_end(release_update_texts);

    // 4. The main window.
    if (!load_main_window(update::fixed_endpoint()).exists()) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvex"),
                              QStringLiteral("主窗口无法创建。"));
        return 1;
    }

    // 5. Until no window remains, then 6. the end.
    run_event_loop();
    run_end_routines();
    return 0;
}

} // namespace quorvex
