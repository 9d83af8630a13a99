// The main window as start-up leaves it: shown after its created handler,
// centred, with every control at its design place.
#include "app_test_main.h"
#include "gui_helpers.h"
#include "main_window_design.h"
#include "shell.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace quorvex;
using namespace quorvex::test;

namespace {

// Records what a window looked like at the moment it was first shown.
class ShowWatcher : public QObject {
public:
    QString caption_at_show;
    bool notice_hidden_at_show = false;
    int shows = 0;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && w != nullptr && w->isWindow() &&
            w->objectName() == u"主窗口") {
            ++shows;
            caption_at_show = w->windowTitle();
            auto* notice = w->findChild<QLabel*>(QStringLiteral("通告"));
            notice_hidden_at_show = notice != nullptr && notice->isHidden();
        }
        return false;
    }
};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void shown_only_after_the_created_handler() {
        ShowWatcher watcher;
        qApp->installEventFilter(&watcher);
        Window w = open_main_window();
        qApp->removeEventFilter(&watcher);

        QCOMPARE(watcher.shows, 1);
        QCOMPARE(watcher.caption_at_show, QStringLiteral("Quorvex V1.01"));
        QVERIFY(watcher.notice_hidden_at_show);
        QCOMPARE(w.caption(), "Quorvex V1.01");
        QCOMPARE(w.current_page("高级选择夹1"), 0);
        QCOMPARE(w.selection("组合框1"), 0);
        QCOMPARE(w.selection("组合框2"), 0);
        QCOMPARE(w.selection("组合框3"), 0);
        QCOMPARE(w.selection("组合框4"), 1);
        QCOMPARE(w.text("组合框1"), "Kpbs");
        QCOMPARE(w.text("组合框3"), "MB");
        QCOMPARE(w.text("组合框4"), "立体声");
        QCOMPARE(program_values().version, 1.01);
        QVERIFY(w.widget()->isActiveWindow());
        close_window(w);
    }

    void fixed_frame_and_tabs() {
        Window w = open_main_window();
        QWidget* window = w.widget();
        QCOMPARE(window->size(), QSize(376, 280));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

        auto* tabs = find<QTabWidget>(w, "高级选择夹1");
        QCOMPARE(tabs->geometry(), QRect(0, 0, 376, 280));
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i) {
            titles << tabs->tabText(i);
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("计算大小"), QStringLiteral("计算码率"),
                                      QStringLiteral("未压缩大小"), QStringLiteral("帮助")}));
        QCOMPARE(tabs->tabBar()->font().pixelSize(), 12);
        // "SimSun" where the system has it, else a family it does have.
        const QString family = tabs->tabBar()->font().family();
        QVERIFY(QFontDatabase::families().contains(family) || family == QFont().family());
        close_window(w);
    }

    void places_relative_to_their_container_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        QTest::addColumn<QRect>("place");
        // Relative to the tab control, headers included.
        QTest::newRow("notice") << "通告" << 0 << QRect(0, 24, 376, 16);
        QTest::newRow("video rate") << "编辑框1" << 0 << QRect(104, 61, 72, 24);
        QTest::newRow("video unit") << "组合框1" << 0 << QRect(186, 63, 64, 20);
        QTest::newRow("size result") << "透明标签4" << 0 << QRect(40, 190, 296, 40);
        QTest::newRow("bitrate size") << "编辑框9" << 1 << QRect(106, 77, 72, 24);
        QTest::newRow("bitrate compute") << "按钮4" << 1 << QRect(272, 70, 80, 39);
        QTest::newRow("video group") << "分组框1" << 2 << QRect(24, 40, 328, 80);
        QTest::newRow("raw result") << "透明标签18" << 2 << QRect(0, 224, 264, 40);
        QTest::newRow("raw reset") << "按钮6" << 2 << QRect(264, 248, 88, 24);
        QTest::newRow("help text") << "透明标签31" << 3 << QRect(16, 111, 360, 96);
        QTest::newRow("support button") << "按钮7" << 3 << QRect(112, 224, 128, 40);
        // Relative to their group box (page -1: look the container up instead).
        QTest::newRow("frame rate in group") << "编辑框13" << -1 << QRect(232, 46, 58, 24);
        QTest::newRow("channels in group") << "组合框4" << -1 << QRect(232, 19, 80, 20);
        QTest::newRow("running time in group") << "编辑框14" << -1 << QRect(232, 48, 56, 24);
    }
    void places_relative_to_their_container() {
        QFETCH(QString, name);
        QFETCH(int, page);
        QFETCH(QRect, place);
        Window w = open_main_window();
        auto* tabs = find<QTabWidget>(w, "高级选择夹1");
        auto* control = w.widget()->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        w.set_visible(name.toStdString(), true); // the notice starts hidden
        if (page >= 0) {
            tabs->setCurrentIndex(page);
            QTest::qWait(0);
            QVERIFY(control->isVisible());
            QCOMPARE(QRect(control->mapTo(tabs, QPoint(0, 0)), control->size()), place);
        } else {
            tabs->setCurrentIndex(2);
            QVERIFY(qobject_cast<QGroupBox*>(control->parentWidget()) != nullptr);
            QCOMPARE(control->geometry(), place);
        }
        close_window(w);
    }

    void centring_rule_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("full hd") << QSize(1920, 1080) << QSize(380, 305) << QPoint(770, 387);
        QTest::newRow("odd remainders dropped") << QSize(1025, 769) << QSize(380, 305)
                                                << QPoint(322, 232);
        QTest::newRow("support window") << QSize(1366, 768) << QSize(650, 426)
                                        << QPoint(358, 171);
        QTest::newRow("screen smaller than window") << QSize(300, 200) << QSize(380, 305)
                                                    << QPoint(-40, -52);
    }
    void centring_rule() {
        QFETCH(QSize, screen);
        QFETCH(QSize, outer);
        QFETCH(QPoint, position);
        QCOMPARE(centred_position(screen, outer), position);
    }

    void shown_centred_on_the_primary_screen() {
        Window w = open_main_window();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = w.widget()->frameGeometry();
        QCOMPARE(frame.topLeft(), screen.topLeft() + centred_position(screen.size(), frame.size()));
        close_window(w);
    }

    void escape_in_an_edit_box_closes_the_window_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("edit");
        QTest::newRow("size page") << 0 << "编辑框1";
        QTest::newRow("bitrate page") << 1 << "编辑框9";
        QTest::newRow("raw page, in a group") << 2 << "编辑框14";
    }
    void escape_in_an_edit_box_closes_the_window() {
        QFETCH(int, page);
        QFETCH(QString, edit);
        Window w = open_main_window();
        find<QTabWidget>(w, "高级选择夹1")->setCurrentIndex(page);
        auto* box = w.widget()->findChild<QLineEdit*>(edit);
        type_into(box, QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key_Escape);
        QTRY_VERIFY(!w.exists());
    }

    void escape_in_an_open_list_closes_only_the_list() {
        Window w = open_main_window();
        auto* list = find<QComboBox>(w, "组合框1");
        list->setFocus();
        list->showPopup();
        QWidget* popup = list->view()->window();
        QTRY_VERIFY(popup->isVisible());
        QTest::keyClick(list->view(), Qt::Key_Escape);
        QTRY_VERIFY(!popup->isVisible());
        QTest::qWait(20);
        QVERIFY(w.exists());
        QTest::keyClick(list, Qt::Key_Escape);
        QTRY_VERIFY(!w.exists());
    }

    void hidden_setting_survives_page_switches() {
        Window w = open_main_window();
        auto* notice = find(w, "通告");
        QVERIFY(!notice->isVisible());
        w.set_current_page("高级选择夹1", 1);
        w.set_current_page("高级选择夹1", 0);
        QVERIFY(!notice->isVisible());

        w.set_visible("通告", true);
        QVERIFY(notice->isVisible());
        w.set_current_page("高级选择夹1", 2);
        QVERIFY(!notice->isVisible());
        QVERIFY(w.visible_setting("通告"));
        w.set_current_page("高级选择夹1", 0);
        QVERIFY(notice->isVisible());
        close_window(w);
    }

    void label_looks() {
        Window w = open_main_window();
        const QFont result = find(w, "透明标签4")->font();
        QVERIFY(result.bold());
        QCOMPARE(result.pixelSize(), 21);
        QCOMPARE(find(w, "透明标签18")->font().pixelSize(), 19);
        QCOMPARE(find<QLabel>(w, "透明标签4")->alignment(), Qt::AlignCenter);
        QCOMPARE(find(w, "透明标签28")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(find(w, "通告")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(find(w, "透明标签1")->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(find<QLineEdit>(w, "编辑框1")->alignment(), Qt::AlignCenter);
        QCOMPARE(w.text("透明标签4"), "视频大小估算");
        QCOMPARE(w.text("透明标签12"), "视频码率估算");
        QCOMPARE(w.text("分组框2"), "音频");
        QCOMPARE(w.text("透明标签28"), "* 时长：");
        close_window(w);
    }

    // The editable channel list takes typed text but never inserts it.
    void editable_list_typing_selects_no_item() {
        Window w = open_main_window();
        w.set_current_page("高级选择夹1", 2);
        auto* list = find<QComboBox>(w, "组合框4");
        click(list->lineEdit());
        QTest::keyClick(list->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(list->lineEdit(), QStringLiteral("5.1"));
        QCOMPARE(w.selection("组合框4"), -1);
        QCOMPARE(list->currentText(), QStringLiteral("5.1"));
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        QCOMPARE(list->count(), 2);
        QCOMPARE(w.selection("组合框4"), -1);

        // Chinese text arrives through the input method, as a commit.
        QTest::keyClick(list->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("单声道"));
        QApplication::sendEvent(list->lineEdit(), &commit);
        QCOMPARE(w.selection("组合框4"), 0);
        close_window(w);
    }
};

QUORVEX_TEST_CLASS(WindowTest)
#include "window_test.moc"
