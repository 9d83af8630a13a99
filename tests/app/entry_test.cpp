// Entry modes of edit boxes, through typed keys and real focus changes.
#include "app_test_main.h"
#include "entry_modes.h"
#include "gui_helpers.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace quorvex;
using namespace quorvex::test;

class EntryTest : public QObject {
    Q_OBJECT

private slots:
    void whole_number_rewrite_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("whole");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("zero empties") << "0" << "";
        QTest::newRow("minus zero empties") << "-0" << "";
        QTest::newRow("leading zeros") << "007" << "7";
        QTest::newRow("blanks first") << " \t 42" << "42";
        QTest::newRow("plus sign") << "+5" << "5";
        QTest::newRow("negative") << "-5" << "-5";
        QTest::newRow("junk after digits") << "12abc" << "12";
        QTest::newRow("blank inside") << "1 2" << "1";
        QTest::newRow("no digits") << "abc" << "";
        QTest::newRow("lone sign") << "-" << "";
        QTest::newRow("blank after sign") << "- 5" << "";
        QTest::newRow("two signs") << "+-3" << "";
        QTest::newRow("decimal cut") << "12.9" << "12";
        QTest::newRow("largest") << "2147483647" << "2147483647";
        QTest::newRow("above largest") << "2147483648" << "2147483647";
        QTest::newRow("smallest") << "-2147483648" << "-2147483648";
        QTest::newRow("below smallest") << "-2147483649" << "-2147483648";
        QTest::newRow("forty digits") << QString(40, u'9') << "2147483647";
        QTest::newRow("full-width digits are not digits") << "１２" << "";
    }
    void whole_number_rewrite() {
        QFETCH(QString, text);
        QFETCH(QString, whole);
        QCOMPARE(whole_number_text(text), whole);
    }

    void typing_filter_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole takes digits and minus")
            << int(Entry::WholeNumber) << "a1-b2.3 e" << "1-23";
        QTest::newRow("decimal takes the point too") << int(Entry::Decimal) << "a1-b2.3 e" << "1-2.3";
    }
    void typing_filter() {
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QWidget window;
        auto* edit = new QLineEdit(&window);
        set_entry_mode(edit, static_cast<Entry>(mode));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), shown);

        // Control keys and editing shortcuts pass.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), shown.chopped(1));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QString());
    }

    // Clicking "计算" moves the focus; a typed "0" empties its box first.
    void focus_change_rewrites_typed_zero() {
        Window w = open_main_window();
        auto* hours = find<QLineEdit>(w, "编辑框3");
        type_into(hours, QStringLiteral("0"));
        QCOMPARE(hours->text(), QStringLiteral("0"));
        click(find(w, "编辑框4"));
        QCOMPARE(hours->text(), QString());
        close_window(w);
    }

    void pasted_junk_is_cut_on_leaving() {
        Window w = open_main_window();
        auto* rate = find<QLineEdit>(w, "编辑框1");
        QApplication::clipboard()->setText(QStringLiteral("12abc"));
        click(rate);
        QTest::keyClick(rate, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rate->text(), QStringLiteral("12abc"));
        click(find(w, "编辑框2"));
        QCOMPARE(rate->text(), QStringLiteral("12"));
        close_window(w);
    }

    void decimal_box_keeps_its_text_and_whole_box_keeps_a_whole_number() {
        Window w = open_main_window();
        find<QTabWidget>(w, "高级选择夹1")->setCurrentIndex(2);
        auto* rate = find<QLineEdit>(w, "编辑框15");
        QApplication::clipboard()->setText(QStringLiteral("44.1k"));
        click(rate);
        QTest::keyClick(rate, Qt::Key_V, Qt::ControlModifier);
        auto* bits = find<QLineEdit>(w, "编辑框16");
        type_into(bits, QStringLiteral("16"));
        QCOMPARE(rate->text(), QStringLiteral("44.1k"));

        // Already whole: leaving replaces nothing (no change signal, undo kept).
        QSignalSpy changes(bits, &QLineEdit::textChanged);
        click(rate);
        QCOMPARE(changes.count(), 0);
        QVERIFY(bits->isUndoAvailable());
        close_window(w);
    }
};

QUORVEX_TEST_CLASS(EntryTest)
#include "entry_test.moc"
