// What a screen reader and a keyboard user get from the main window.
#include "app_test_main.h"
#include "gui_helpers.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace quorvex;
using namespace quorvex::test;

namespace {

// What Qt's accessibility interface reports as the control's name. Qt gives
// lists their current item as name on X11 (the caption reaches AT-SPI there
// through the label relation), so for them the name Qt hands to the other
// platforms is taken.
QString accessible_name(QWidget* widget) {
    if (qobject_cast<QComboBox*>(widget) != nullptr) {
        return widget->accessibleName();
    }
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}

QStringList names(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* n : list) {
        out << QString::fromUtf8(n);
    }
    return out;
}

bool is_entry(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void entries_are_named_by_their_captions_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("video rate") << "编辑框1" << "视频码率";
        QTest::newRow("video unit") << "组合框1" << "视频码率";
        QTest::newRow("hours") << "编辑框3" << "时长 小时";
        QTest::newRow("seconds") << "编辑框8" << "时长 秒";
        QTest::newRow("size") << "编辑框9" << "文件大小";
        QTest::newRow("frame width") << "编辑框10" << "帧宽度";
        QTest::newRow("sample rate") << "编辑框15" << "采样频率";
        QTest::newRow("channels") << "组合框4" << "声道数";
        QTest::newRow("required running time") << "编辑框14" << "时长";
        QTest::newRow("compute button") << "按钮1" << "计算";
        QTest::newRow("support button") << "按钮7" << "支持作者";
        QTest::newRow("result line") << "透明标签4" << "视频大小估算";
    }
    void entries_are_named_by_their_captions() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        Window w = open_main_window();
        QCOMPARE(accessible_name(w.widget()->findChild<QWidget*>(control)), name);
        close_window(w);
    }

    void lone_list_caption_is_its_label_relation() {
        Window w = open_main_window();
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(find(w, "组合框4"));
        QStringList labels;
        for (const auto& [face, relation] : list->relations(QAccessible::Label)) {
            labels << face->text(QAccessible::Name);
        }
        QVERIFY2(labels.contains(QStringLiteral("声道数：")), qPrintable(labels.join(u'|')));
        close_window(w);
    }

    void tab_visits_every_entry_in_reading_order_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("file size") << 0
                                   << names({"编辑框1", "组合框1", "编辑框2", "组合框2",
                                                  "编辑框3", "编辑框4", "编辑框5"});
        QTest::newRow("bitrate") << 1
                                 << names({"编辑框9", "组合框3", "编辑框6", "编辑框7",
                                                "编辑框8"});
        QTest::newRow("uncompressed")
            << 2
            << names({"编辑框10", "编辑框11", "编辑框12", "编辑框13", "编辑框15",
                           "编辑框16", "组合框4", "编辑框14"});
    }
    void tab_visits_every_entry_in_reading_order() {
        QFETCH(int, page);
        QFETCH(QStringList, order);
        Window w = open_main_window();
        w.set_current_page("高级选择夹1", page);
        QWidget* first = w.widget()->findChild<QWidget*>(order.front());
        click(first);
        QStringList seen;
        for (int i = 0; i < 30 && seen.size() < order.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            // An editable list's field has the focus on behalf of its list.
            if (focus != nullptr && qobject_cast<QComboBox*>(focus->parentWidget()) != nullptr) {
                focus = focus->parentWidget();
            }
            if (focus != nullptr && is_entry(focus) && !seen.contains(focus->objectName())) {
                seen << focus->objectName();
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, order);
        close_window(w);
    }

    // The result line can be selected and copied without changing it.
    void result_line_copies_with_the_keyboard() {
        Window w = open_main_window();
        type_into(find(w, "编辑框1"), QStringLiteral("2000"));
        type_into(find(w, "编辑框3"), QStringLiteral("1"));
        click(find(w, "按钮1"));
        auto* result = find<QLabel>(w, "透明标签4");
        QApplication::clipboard()->clear();
        click(result);
        QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("≈450MB     ≈0.44GB"));
        QCOMPARE(result->text(), QStringLiteral("≈450MB     ≈0.44GB"));
        close_window(w);
    }
};

QUORVEX_TEST_CLASS(AccessibilityTest)
#include "accessibility_test.moc"
