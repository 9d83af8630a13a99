// The help page and the modal support window, through real events.
#include "app_test_main.h"
#include "gui_helpers.h"
#include "modal_helpers.h"

#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace quorvex;
using namespace quorvex::test;

namespace {

struct SupportSeen {
    bool modal = false;
    bool parentless = false;
    QString caption = QStringLiteral("unset");
    QSize client;
    QPoint frame_position;
    QPoint expected_position;
    QImage picture;
    bool fixed_size = false;
    bool main_closed_by_escape = false;
    int page_after_tab_click = -1;
};

// Presses "支持作者" and, while the support window is open, tries the main
// window and then closes the support window with Esc.
SupportSeen press_support_button(Window& w) {
    SupportSeen seen;
    QWidget* main = w.widget();
    when_modal([&](QWidget* support) {
        seen.modal = support->windowModality() == Qt::ApplicationModal;
        seen.parentless = support->parentWidget() == nullptr;
        seen.caption = support->windowTitle();
        seen.client = support->size();
        seen.fixed_size = support->minimumSize() == support->maximumSize();
        seen.frame_position = support->frameGeometry().topLeft();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        seen.expected_position =
            screen.topLeft() + centred_position(screen.size(), support->frameGeometry().size());
        if (auto* box = support->findChild<QLabel*>(QStringLiteral("图片框1"))) {
            seen.picture = box->pixmap().toImage();
        }

        // The main window takes no input: not a tab click, not Esc.
        auto* tabs = main->findChild<QTabWidget*>(QStringLiteral("高级选择夹1"));
        QTabBar* bar = tabs->tabBar();
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {},
                          bar->mapTo(main, bar->tabRect(0).center()));
        seen.page_after_tab_click = tabs->currentIndex();
        QTest::keyClick(main->windowHandle(), Qt::Key_Escape);
        QTest::qWait(10);
        seen.main_closed_by_escape = !main->isVisible();

        QTest::keyClick(support->windowHandle(), Qt::Key_Escape);
    });
    w.set_current_page("高级选择夹1", 3);
    click(w.control("按钮7"));
    return seen;
}

} // namespace

class SupportTest : public QObject {
    Q_OBJECT

private slots:
    void help_texts_byte_for_byte() {
        Window w = open_main_window();
        QCOMPARE(w.text("透明标签30"), "普通视频：\r\n\r\n视频文件体积：(音频码率+视频码率) x 时长 / 8");
        QCOMPARE(w.text("透明标签31"),
                 "未压缩视频：\r\n\r\n文件大小 = 视频大小 + 音频大小\r\n\r\n"
                 "视频大小 = 画面尺寸 * 彩色位数（bit）* 帧数 * 时长\r\n\r\n"
                 "音频大小 = 采样频率（Hz）* 采样位数（bit）* 声道数 * 时长\r\n");
        QCOMPARE(w.text("按钮7"), "支持作者");
        auto* formulas = qobject_cast<QLabel*>(w.control("透明标签31"));
        QVERIFY(formulas->wordWrap());
        QCOMPARE(formulas->alignment(), Qt::AlignLeft | Qt::AlignTop);
        close_window(w);
    }

    void support_window_is_modal_and_closes_on_escape() {
        Window w = open_main_window();
        const SupportSeen seen = press_support_button(w);

        QVERIFY(seen.modal);
        QVERIFY(seen.parentless);
        QCOMPARE(seen.caption, QString());
        QCOMPARE(seen.client, QSize(650, 400));
        QVERIFY(seen.fixed_size);
        QCOMPARE(seen.frame_position, seen.expected_position);
        QCOMPARE(seen.picture.size(), QSize(650, 400));
        QCOMPARE(seen.page_after_tab_click, 3);
        QVERIFY(!seen.main_closed_by_escape);

        // Back in the main window: the help page is current and takes input.
        QVERIFY(w.exists());
        QCOMPARE(w.current_page("高级选择夹1"), 3);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        auto* bar = qobject_cast<QTabWidget*>(w.control("高级选择夹1"))->tabBar();
        QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, {},
                          bar->mapTo(w.widget(), bar->tabRect(0).center()));
        QCOMPARE(w.current_page("高级选择夹1"), 0);
        close_window(w);
    }

    void each_press_opens_a_new_window_with_the_same_picture() {
        Window w = open_main_window();
        const SupportSeen first = press_support_button(w);
        // Destroyed on closing: nothing of it is left for the next press.
        const auto support_windows = [] {
            int n = 0;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                n += top->objectName() == u"支持窗口" ? 1 : 0;
            }
            return n;
        };
        QTRY_COMPARE(support_windows(), 0);
        const SupportSeen second = press_support_button(w);
        QCOMPARE(second.frame_position, second.expected_position);
        QVERIFY(!second.picture.isNull());
        QCOMPARE(second.picture, first.picture);
        // Known pixels of the card: the film strip's dark band near the top left.
        const QColor strip = second.picture.pixelColor(20, 47);
        QVERIFY(strip.red() < 40 && strip.green() < 40 && strip.blue() < 50);
        close_window(w);
    }
};

QUORVEX_TEST_CLASS(SupportTest)
#include "support_test.moc"
