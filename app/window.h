// Window services: what handlers do with windows and their controls, each
// control reached by its design name. Texts cross this boundary as UTF-8.
#pragma once

#include <QPointer>
#include <QWidget>

#include <string>
#include <string_view>

namespace quorvex {

struct WindowDesign;

// Texts cross between the program's UTF-8 and Qt's UTF-16 only here.
inline QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string to_utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

class Window {
public:
    explicit Window(QWidget* window = nullptr) : window_(window) {}

    QWidget* widget() const { return window_; }
    bool exists() const { return !window_.isNull(); }

    // The control of that design name; nullptr if the window has none.
    QWidget* control(std::string_view name) const;

    // Text of an edit box, label, button, group box or list (the editable
    // list's edit field); the window's caption when name is empty.
    std::string text(std::string_view name) const;
    void set_text(std::string_view name, std::string_view text) const;
    std::string caption() const { return text({}); }
    void set_caption(std::string_view text) const { set_text({}, text); }

    // The control's own visible setting, kept across page switches.
    bool visible_setting(std::string_view name) const;
    void set_visible(std::string_view name, bool on) const;

    // Drop-down list: index of the selected item, -1 for none.
    int selection(std::string_view name) const;
    void set_selection(std::string_view name, int index) const;

    // Tab control: index of the current page.
    int current_page(std::string_view name) const;
    void set_current_page(std::string_view name, int index) const;

private:
    QPointer<QWidget> window_;
};

// Message box with one OK button (buttons 0), no icon, modal for the whole
// program; returns when it is closed.
void message_box(std::string_view text, int buttons = 0, std::string_view title = "信息：",
                 QWidget* owner = nullptr);

// Builds the window from its design without a parent, shows it centred and
// handles events until it is closed; meanwhile every other window of the
// program takes no input.
void load_modal(const WindowDesign& design);

// Handles events until no window of the program remains; returns the exit code.
int run_event_loop();

// First position of a window: centred on the primary screen, each half with
// the fraction dropped.
QPoint centred_position(QSize screen, QSize outer);
void centre_on_primary_screen(QWidget* window);

} // namespace quorvex
