#include "notice.h"

#include "shell.h"

#include "estimate/number_text.h"

#include <QDesktopServices>
#include <QUrl>

#include <optional>

namespace quorvex {

void check_for_update(Window w, const update::Endpoint& server) {
    ProgramValues& values = program_values();
    const update::Latest latest = update::fetch_latest(server);
    values.notice_text = update::gb2312_to_utf8(latest.note);
    values.update_address = update::gb2312_to_utf8(latest.address);

    if (!update::is_newer(values.version, latest.version)) {
        w.set_visible("通告", false);
        return;
    }
    w.set_visible("通告", true);
    w.set_text("通告", values.notice_text);
    w.set_caption(estimate::join_texts({"Quorvex V", estimate::number_to_text(values.version),
                                        "（有新的版本", estimate::number_to_text(latest.version),
                                        "）"}));
}

namespace {
// Only absolute http and https addresses with a host are ever opened.
std::optional<QUrl> openable_url(std::string_view address) {
    QUrl url(to_qstring(address), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty()) {
        return url;
    }
    return std::nullopt;
}
} // namespace

void open_update_address(Window, MousePress) {
    if (const std::optional<QUrl> url = openable_url(program_values().update_address)) {
        QDesktopServices::openUrl(*url);
    }
}

} // namespace quorvex
