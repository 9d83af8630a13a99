#include "notice.h"

#include "shell.h"

#include "estimate/number_text.h"

#include <QDesktopServices>
#include <QUrl>

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

bool is_openable_address(std::string_view address) {
    const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())),
                   QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

void open_update_address(Window, MousePress) {
    const std::string& address = program_values().update_address;
    if (is_openable_address(address)) {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(address), QUrl::StrictMode));
    }
}

} // namespace quorvex
