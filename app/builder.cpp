#include "builder.h"

#include "design.h"
#include "design_widgets.h"
#include "entry_modes.h"
#include "picture/jpeg_decode.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>

namespace quorvex {

namespace {

QRect rect_of(const Place& p) { return {p.x, p.y, p.width, p.height}; }

// A font of the first of `families` the system has, else the default family.
// Families the system lacks are left out: matching a missing family is what
// costs the most time at start-up.
QFont pixel_font(const QStringList& families, int pixels, bool bold) {
    static const QStringList installed = QFontDatabase::families();
    QFont font;
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QStringList chinese_ui_families() {
    return {QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"),
            QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Zen Hei")};
}

void set_text_colour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void apply_look(QLabel* label, Look look) {
    label->setTextFormat(Qt::PlainText);
    switch (look) {
    case Look::Caption:
    case Look::RedCaption:
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        set_text_colour(label, look == Look::RedCaption ? QColor(255, 0, 0) : QColor(Qt::black));
        break;
    case Look::Result21:
    case Look::Result19:
        label->setAlignment(Qt::AlignCenter);
        // A result can be selected and copied, with the mouse or the keyboard.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFont(pixel_font({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")},
                                  look == Look::Result21 ? 21 : 19, true));
        set_text_colour(label, Qt::black);
        break;
    case Look::Notice:
        label->setAlignment(Qt::AlignCenter);
        set_text_colour(label, QColor(255, 0, 0));
        break;
    case Look::Help:
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        set_text_colour(label, Qt::black);
        // Seven lines in 96 pixels: one pixel smaller than the interface
        // font, so the line spacing of common CJK fonts fits the place.
        label->setFont([&] {
            QFont font = label->font();
            font.setPixelSize(11);
            return font;
        }());
        break;
    }
}

// A JPEG image as Qt's image; an empty image when it does not decode.
QImage picture_image(std::span<const unsigned char> jpeg) {
    const std::optional<RgbImage> decoded = decode_jpeg(jpeg);
    if (!decoded) {
        return {};
    }
    return QImage(decoded->rgb.data(), decoded->width, decoded->height, decoded->width * 3,
                  QImage::Format_RGB888)
        .copy();
}

// An editable list takes typed text without inserting it; text that is no
// item leaves no item selected, an item's exact text selects that item.
void make_editable(QComboBox* list) {
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    QObject::connect(list->lineEdit(), &QLineEdit::textEdited, list, [list](const QString& typed) {
        const int match = list->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (match == list->currentIndex()) {
            return;
        }
        QLineEdit* field = list->lineEdit();
        const int cursor = field->cursorPosition();
        const QSignalBlocker quiet(field);
        list->setCurrentIndex(match);
        if (field->text() != typed) {
            field->setText(typed);
        }
        field->setCursorPosition(cursor);
    });
}

QWidget* make_control(const ControlDesign& c, QWidget* parent) {
    switch (c.kind) {
    case ControlKind::TabControl: {
        auto* tabs = new DesignTabWidget(parent);
        tabs->tabBar()->setFont(
            pixel_font({QStringLiteral("SimSun"), QStringLiteral("宋体")}, 12, false));
        for (std::string_view title : c.items) {
            tabs->addTab(new QWidget, to_qstring(title));
        }
        return tabs;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(to_qstring(c.text), parent);
        apply_look(label, c.look);
        return label;
    }
    case ControlKind::EditBox: {
        auto* edit = new QLineEdit(parent);
        edit->setAlignment(Qt::AlignCenter);
        set_entry_mode(edit, c.entry);
        return edit;
    }
    case ControlKind::DropDown: {
        auto* list = new QComboBox(parent);
        for (std::string_view item : c.items) {
            list->addItem(to_qstring(item));
        }
        if (c.editable) {
            make_editable(list);
        }
        list->setCurrentIndex(c.selected);
        return list;
    }
    case ControlKind::Button:
        return new QPushButton(to_qstring(c.text), parent);
    case ControlKind::GroupBox: {
        auto* box = new QGroupBox(to_qstring(c.text), parent);
        box->setAlignment(Qt::AlignLeft);
        return box;
    }
    case ControlKind::PictureBox: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setFrameShape(QFrame::NoFrame);
        picture->setScaledContents(false);
        if (c.picture != nullptr) {
            picture->setPixmap(QPixmap::fromImage(picture_image(c.picture())));
        }
        return picture;
    }
    }
    return nullptr;
}

// A caption as a spoken name: "* 时长：" is read as "时长".
QString spoken(QString caption) {
    caption = caption.trimmed();
    if (caption.startsWith(u'*')) {
        caption = caption.mid(1).trimmed();
    }
    while (caption.endsWith(u'：') || caption.endsWith(u':')) {
        caption.chop(1);
    }
    return caption;
}

void link_captions(QWidget* window, const std::vector<CaptionLink>& links) {
    for (const CaptionLink& link : links) {
        auto* control = window->findChild<QWidget*>(to_qstring(link.control));
        auto* caption = window->findChild<QLabel*>(to_qstring(link.caption));
        if (control == nullptr || caption == nullptr) {
            continue;
        }
        QString name = spoken(caption->text());
        if (!link.unit.empty()) {
            if (auto* unit = window->findChild<QLabel*>(to_qstring(link.unit))) {
                name += u' ' + unit->text();
            }
        }
        if (caption->buddy() == nullptr) {
            caption->setBuddy(control);
        }
        control->setAccessibleName(name);
    }
}

class PressFilter : public QObject {
public:
    PressFilter(QWidget* control, Window window, std::function<void(Window, MousePress)> handler)
        : QObject(control), window_(window), handler_(std::move(handler)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton) {
                const Qt::KeyboardModifiers m = press->modifiers();
                const int keys = (m & Qt::ControlModifier ? 1 : 0) |
                                 (m & Qt::ShiftModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
                const QPoint at = press->position().toPoint();
                handler_(window_, {at.x(), at.y(), keys});
            }
        }
        return false;
    }

private:
    Window window_;
    std::function<void(Window, MousePress)> handler_;
};

} // namespace

QWidget* build_window(const WindowDesign& design, const Handlers& handlers) {
    auto* window = new DesignWindow(design.client_width, design.client_height);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(to_qstring(design.name));
    window->setWindowTitle(to_qstring(design.caption));
    // The designs are laid out for a 12-pixel Chinese interface font: a
    // Chinese family where the system has one (which also spares looking up
    // a fallback for every Chinese text), else the platform's.
    window->setFont(pixel_font(chinese_ui_families(), 12, false));

    for (const ControlDesign& c : design.controls) {
        QWidget* parent = window;
        QWidget* holder = c.in.name.empty() ? nullptr
                                            : window->findChild<QWidget*>(to_qstring(c.in.name));
        auto* tabs = dynamic_cast<DesignTabWidget*>(holder);
        if (tabs != nullptr && c.in.page >= 0 && c.in.page < tabs->count()) {
            parent = tabs->widget(c.in.page);
        } else if (holder != nullptr) {
            parent = holder;
        }
        QWidget* control = make_control(c, parent);
        control->setObjectName(to_qstring(c.name));
        if (tabs != nullptr) {
            DesignTabWidget::set_design_place(control, rect_of(c.place));
        } else {
            control->setGeometry(rect_of(c.place));
        }
    }

    link_captions(window, design.captions);

    const Window handle(window);
    for (const auto& [name, handler] : handlers.clicked) {
        if (auto* b = qobject_cast<QAbstractButton*>(handle.control(name))) {
            QObject::connect(b, &QAbstractButton::clicked, b, [handle, handler] { handler(handle); });
        }
    }
    for (const auto& [name, handler] : handlers.pressed) {
        if (QWidget* control = handle.control(name)) {
            control->installEventFilter(new PressFilter(control, handle, handler));
        }
    }
    return window;
}

Window load_window(const WindowDesign& design, const Handlers& handlers) {
    const Window window(build_window(design, handlers));
    if (handlers.created) {
        handlers.created(window);
    }
    if (QWidget* w = window.widget()) {
        centre_on_primary_screen(w);
        w->show();
        w->activateWindow();
    }
    return window;
}

} // namespace quorvex
