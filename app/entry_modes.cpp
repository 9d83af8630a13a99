#include "entry_modes.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quorvex {

namespace {

bool is_blank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

class EntryFilter : public QObject {
public:
    EntryFilter(QLineEdit* edit, Entry mode) : QObject(edit), mode_(mode) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            return refuses(*static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            drop_refused(*static_cast<QInputMethodEvent*>(event));
            return false;
        case QEvent::FocusOut:
            if (mode_ == Entry::WholeNumber &&
                static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                rewrite(static_cast<QLineEdit*>(watched));
            }
            return false;
        default:
            return false;
        }
    }

private:
    bool takes(QChar c) const {
        return (c >= u'0' && c <= u'9') || c == u'-' || (mode_ == Entry::Decimal && c == u'.');
    }

    // A typed character outside the mode's set is swallowed; keys with Ctrl,
    // Alt or Meta and keys that type no printable character pass.
    bool refuses(const QKeyEvent& key) const {
        if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            return false;
        }
        const QString typed = key.text();
        for (QChar c : typed) {
            if (!c.isPrint()) {
                return false;
            }
        }
        for (QChar c : typed) {
            if (!takes(c)) {
                return true;
            }
        }
        return false;
    }

    void drop_refused(QInputMethodEvent& event) const {
        QString kept;
        for (QChar c : event.commitString()) {
            if (takes(c)) {
                kept += c;
            }
        }
        if (kept != event.commitString()) {
            event.setCommitString(kept, event.replacementStart(), event.replacementLength());
        }
    }

    static void rewrite(QLineEdit* edit) {
        const QString whole = whole_number_text(edit->text());
        if (whole != edit->text()) {
            edit->setText(whole);
        }
    }

    Entry mode_;
};

} // namespace

void set_entry_mode(QLineEdit* edit, Entry mode) {
    if (mode != Entry::None) {
        edit->installEventFilter(new EntryFilter(edit, mode));
    }
}

QString whole_number_text(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && is_blank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate the magnitude, saturating just beyond the 32-bit range.
    constexpr std::int64_t cap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = std::min(cap, magnitude * 10 + (text[i].unicode() - u'0'));
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    return value == 0 ? QString() : QString::number(value);
}

} // namespace quorvex
