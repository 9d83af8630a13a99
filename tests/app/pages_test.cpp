// The three estimating pages through the real window: typed keys, clicks,
// focus changes, the message box.
#include "app_test_main.h"
#include "gui_helpers.h"
#include "modal_helpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace quorvex;
using namespace quorvex::test;

namespace {

struct Typed {
    const char* control;
    const char* text;
};

void type_all(const Window& w, std::initializer_list<Typed> fields) {
    for (const Typed& f : fields) {
        type_into(find(w, f.control), QString::fromUtf8(f.text));
    }
}

// Picks a list item with the keyboard, as a user would.
void choose(const Window& w, const char* list, int index) {
    auto* box = find<QComboBox>(w, list);
    click(box);
    QTest::keyClick(box->view(), index == 0 ? Qt::Key_Home : Qt::Key_End);
    QTest::keyClick(box->view(), Qt::Key_Return);
    QTRY_VERIFY(!box->view()->isVisible());
}

} // namespace

class PagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { window_ = open_main_window(); }
    void cleanup() {
        close_window(window_);
    }

    void file_size_from_typing_to_the_result_line() {
        type_all(window_, {{"编辑框1", "2000"}, {"编辑框2", "128"}, {"编辑框3", "1"}});
        click(find(window_, "按钮1"));
        QCOMPARE(window_.text("透明标签4"), "≈450MB     ≈0.44GB");

        choose(window_, "组合框1", 1);
        choose(window_, "组合框2", 1);
        type_all(window_, {{"编辑框1", "8"}, {"编辑框2", "1"}});
        click(find(window_, "按钮1"));
        QCOMPARE(window_.text("透明标签4"), "≈4050MB     ≈3.96GB");
    }

    void file_size_reset_blanks_the_line_and_keeps_units() {
        choose(window_, "组合框1", 1);
        type_all(window_, {{"编辑框1", "10"}, {"编辑框5", "8"}});
        click(find(window_, "按钮1"));
        QCOMPARE(window_.text("透明标签4"), "≈10MB     ≈0.01GB");
        click(find(window_, "按钮2"));
        for (const char* name : {"编辑框1", "编辑框2", "编辑框3", "编辑框4", "编辑框5", "透明标签4"}) {
            QCOMPARE(window_.text(name), "");
        }
        QCOMPARE(window_.selection("组合框1"), 1);
        QCOMPARE(window_.selection("组合框2"), 0);
        click(find(window_, "按钮1"));
        QCOMPARE(window_.text("透明标签4"), "≈0MB     ≈0GB");
    }

    // Pasted junk in the size box is cut when the click takes the focus away.
    void bitrate_with_pasted_junk_and_reset() {
        window_.set_current_page("高级选择夹1", 1);
        QApplication::clipboard()->setText(QStringLiteral("700abc"));
        auto* size = find<QLineEdit>(window_, "编辑框9");
        click(size);
        QTest::keyClick(size, Qt::Key_V, Qt::ControlModifier);
        type_all(window_, {{"编辑框6", "1"}, {"编辑框7", "30"}});
        click(find(window_, "按钮4"));
        QCOMPARE(size->text(), QStringLiteral("700"));
        QCOMPARE(window_.text("透明标签12"), "≈1024Kbps     ≈1Mbps");

        choose(window_, "组合框3", 1);
        type_all(window_, {{"编辑框9", "1"}, {"编辑框6", "0"}, {"编辑框7", "0"}, {"编辑框8", "1"}});
        click(find(window_, "按钮4"));
        QCOMPARE(window_.text("透明标签12"), "≈8388608Kbps     ≈8192Mbps");

        click(find(window_, "按钮3"));
        for (const char* name : {"编辑框6", "编辑框7", "编辑框8", "编辑框9"}) {
            QCOMPARE(window_.text(name), "");
        }
        QCOMPARE(window_.text("透明标签12"), "≈8388608Kbps     ≈8192Mbps");
        QCOMPARE(window_.selection("组合框3"), 1);
    }

    void uncompressed_with_audio_and_reset() {
        window_.set_current_page("高级选择夹1", 2);
        type_all(window_, {{"编辑框10", "1920"},
                           {"编辑框11", "1080"},
                           {"编辑框12", "24"},
                           {"编辑框13", "25"},
                           {"编辑框14", "10"}});
        click(find(window_, "按钮5"));
        QCOMPARE(window_.text("透明标签18"), "≈1483MB≈1.45GB");

        // 48000 Hz, 16 bit, stereo, 10 s: 1920000 bytes, one more MB.
        type_all(window_, {{"编辑框15", "48000"}, {"编辑框16", "16"}});
        click(find(window_, "按钮5"));
        QCOMPARE(window_.text("透明标签18"), "≈1484MB≈1.45GB");

        choose(window_, "组合框4", 0); // mono: 960000 bytes, under one MB
        click(find(window_, "按钮5"));
        QCOMPARE(window_.text("透明标签18"), "≈1483MB≈1.45GB");

        click(find(window_, "按钮6"));
        for (const char* name : {"编辑框10", "编辑框11", "编辑框12", "编辑框13", "编辑框14",
                                 "编辑框15", "编辑框16"}) {
            QCOMPARE(window_.text(name), "");
        }
        QCOMPARE(window_.text("透明标签18"), "≈1483MB≈1.45GB");
        QCOMPARE(window_.selection("组合框4"), 0);
    }

    // A typed channel text selects no item and counts as stereo.
    void typed_channel_text_counts_two_channels() {
        window_.set_current_page("高级选择夹1", 2);
        auto* channels = find<QComboBox>(window_, "组合框4");
        click(channels->lineEdit());
        QTest::keyClick(channels->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(channels->lineEdit(), QStringLiteral("2ch"));
        QCOMPARE(window_.selection("组合框4"), -1);
        type_all(window_, {{"编辑框15", "48000"}, {"编辑框16", "16"}, {"编辑框14", "10"}});
        click(find(window_, "按钮5"));
        QCOMPARE(window_.text("透明标签18"), "≈1MB≈0GB");
        QCOMPARE(channels->count(), 2);
    }

    // A running time typed as "0" empties on the click, so the message shows
    // and the line stays as it was.
    void missing_running_time_shows_the_message() {
        window_.set_current_page("高级选择夹1", 2);
        type_all(window_, {{"编辑框10", "640"}, {"编辑框11", "480"}, {"编辑框14", "0"}});

        QString text, title;
        int buttons = 0;
        bool no_icon = false, no_owner = false, application_modal = false;
        when_modal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            text = box->text();
            title = box->windowTitle();
            buttons = static_cast<int>(box->buttons().size());
            no_icon = box->icon() == QMessageBox::NoIcon;
            no_owner = box->parentWidget() == nullptr;
            application_modal = box->windowModality() == Qt::ApplicationModal;
            // The main window takes no input meanwhile.
            click(find(window_, "按钮6"));
            QCOMPARE(window_.text("编辑框10"), "640");
            box->button(QMessageBox::Ok)->click();
        });
        click(find(window_, "按钮5"));

        QCOMPARE(text, QStringLiteral("请填入视频/音频时长"));
        QCOMPARE(title, QStringLiteral("信息："));
        QCOMPARE(buttons, 1);
        QVERIFY(no_icon);
        QVERIFY(no_owner);
        QVERIFY(application_modal);
        QCOMPARE(window_.text("编辑框14"), "");
        QCOMPARE(window_.text("透明标签18"), "视频大小估算");
    }

private:
    Window window_;
};

QUORVEX_TEST_CLASS(PagesTest)
#include "pages_test.moc"
