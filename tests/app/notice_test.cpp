// The update notice against the tests' own MariaDB server: what start-up
// shows, and what a press on the notice opens.
#include "app_test_main.h"
#include "gui_helpers.h"
#include "notice.h"
#include "shell.h"

#include "support/test_db.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QUrl>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

update::Endpoint test_server() { return {"127.0.0.1", testdb::port()}; }

// GB2312 bytes of "有新版本" as the server stores them.
const std::string new_version_note = "\xD3\xD0\xD0\xC2\xB0\xE6\xB1\xBE";

// Takes what would go to the system's handler for some schemes.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
    UrlCatcher() {
        for (const char* scheme : {"http", "https", "file", "javascript", "ftp"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "take");
        }
    }
    ~UrlCatcher() override {
        for (const char* scheme : {"http", "https", "file", "javascript", "ftp"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
public slots:
    void take(const QUrl& url) { opened << url; }
};

// A left-button press on the notice, through the window system.
void press_notice(const Window& w) {
    QWidget* notice = w.control("通告");
    QWidget* window = notice->window();
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {},
                      notice->mapTo(window, notice->rect().center()));
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {},
                        notice->mapTo(window, notice->rect().center()));
}

} // namespace

class NoticeTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { testdb::restore_standard(); }

    void start_up_caption_and_notice_data() {
        QTest::addColumn<QString>("ver");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("caption");
        const QString plain = QStringLiteral("Quorvex V1.01");
        QTest::newRow("newer") << "1.02" << true << QStringLiteral("Quorvex V1.01（有新的版本1.02）");
        QTest::newRow("equal") << "1.01" << false << plain;
        QTest::newRow("just above the margin")
            << "1.0100001" << true << QStringLiteral("Quorvex V1.01（有新的版本1.0100001）");
        QTest::newRow("within the margin") << "1.01000009" << false << plain;
        QTest::newRow("older") << "0.9" << false << plain;
        QTest::newRow("number then letters")
            << " 1.2beta" << true << QStringLiteral("Quorvex V1.01（有新的版本1.2）");
        QTest::newRow("no number") << "beta" << false << plain;
    }
    void start_up_caption_and_notice() {
        QFETCH(QString, ver);
        QFETCH(bool, shown);
        QFETCH(QString, caption);
        testdb::reset_rows({{1, ver.toStdString(), new_version_note, "https://example.org/q"}});
        Window w = open_main_window(test_server());
        QCOMPARE(w.widget()->windowTitle(), caption);
        QCOMPARE(w.visible_setting("通告"), shown);
        if (shown) {
            QCOMPARE(w.text("通告"), "有新版本");
        }
        close_window(w);
    }

    void notice_belongs_to_the_first_page() {
        testdb::reset_rows({{1, "1.02", new_version_note, "https://example.org/q"}});
        Window w = open_main_window(test_server());
        QWidget* notice = w.control("通告");
        QVERIFY(notice->isVisible());
        for (int page : {1, 2, 3}) {
            w.set_current_page("高级选择夹1", page);
            QVERIFY(!notice->isVisible());
        }
        w.set_current_page("高级选择夹1", 0);
        QVERIFY(notice->isVisible());
        close_window(w);
    }

    // The last marked row wins, whatever an earlier one said.
    void last_row_wins() {
        testdb::reset_rows({{1, "1.05", new_version_note, "https://example.org/new"},
                            {1, "1.0", "old", "https://example.org/old"}});
        Window w = open_main_window(test_server());
        QVERIFY(!w.visible_setting("通告"));
        close_window(w);
    }

    // The note is plain text: markup and ampersands show as they are.
    void note_shows_as_plain_text() {
        testdb::reset_rows({{1, "1.02", "<b>1.02</b> & more", std::nullopt}});
        Window w = open_main_window(test_server());
        auto* notice = qobject_cast<QLabel*>(w.control("通告"));
        QCOMPARE(notice->textFormat(), Qt::PlainText);
        QCOMPARE(notice->text(), QStringLiteral("<b>1.02</b> & more"));
        close_window(w);
    }

    void null_note_shows_an_empty_notice() {
        testdb::reset_rows({{1, "1.02", std::nullopt, std::nullopt}});
        Window w = open_main_window(test_server());
        QVERIFY(w.visible_setting("通告"));
        QCOMPARE(w.text("通告"), "");
        QCOMPARE(w.caption(), "Quorvex V1.01（有新的版本1.02）");
        close_window(w);
    }

    void press_opens_only_web_addresses_data() {
        QTest::addColumn<std::optional<std::string>>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("http") << std::optional<std::string>("http://example.org/dl")
                              << "http://example.org/dl";
        QTest::newRow("https") << std::optional<std::string>("https://example.org/dl?v=1.02")
                               << "https://example.org/dl?v=1.02";
        QTest::newRow("file") << std::optional<std::string>("file:///etc/passwd") << "";
        QTest::newRow("javascript") << std::optional<std::string>("javascript:alert(1)") << "";
        QTest::newRow("program path") << std::optional<std::string>("/usr/bin/xterm") << "";
        QTest::newRow("no host") << std::optional<std::string>("http:///dl") << "";
        QTest::newRow("ftp") << std::optional<std::string>("ftp://example.org/") << "";
        QTest::newRow("empty") << std::optional<std::string>("") << "";
        QTest::newRow("null") << std::optional<std::string>() << "";
    }
    void press_opens_only_web_addresses() {
        QFETCH(std::optional<std::string>, address);
        QFETCH(QString, opened);
        testdb::reset_rows({{1, "1.02", new_version_note, address}});
        UrlCatcher catcher;
        Window w = open_main_window(test_server());
        press_notice(w);
        press_notice(w);
        if (opened.isEmpty()) {
            QVERIFY(catcher.opened.isEmpty());
        } else {
            QCOMPARE(catcher.opened.size(), 2); // each press opens it again
            QCOMPARE(catcher.opened.front().toString(), opened);
        }
        QCOMPARE(w.caption(), "Quorvex V1.01（有新的版本1.02）");
        close_window(w);
    }

    // Bad data never garbles the window: cut at the zero byte, invalid bytes
    // shown as replacement characters, a huge note taken whole.
    void bad_data_from_the_server() {
        testdb::exec("USE corvalin_1; ALTER TABLE calcvideo MODIFY note LONGBLOB");
        testdb::reset_rows({});
        testdb::exec("USE corvalin_1; ALTER TABLE calcvideo MODIFY note LONGBLOB;"
                     "INSERT INTO calcvideo (mark, ver, note) VALUES "
                     "(1, '1.02', CONCAT('ok', CHAR(0), 'hidden'))");
        {
            Window w = open_main_window(test_server());
            QCOMPARE(w.text("通告"), "ok");
            close_window(w);
        }
        testdb::exec("USE corvalin_1; DELETE FROM calcvideo;"
                     "INSERT INTO calcvideo (mark, ver, note) VALUES (1, '1.02', X'D3FF41')");
        {
            Window w = open_main_window(test_server());
            QCOMPARE(w.text("通告"), "\xEF\xBF\xBD\xEF\xBF\xBD" "A");
            close_window(w);
        }
        testdb::exec("USE corvalin_1; DELETE FROM calcvideo;"
                     "INSERT INTO calcvideo (mark, ver, note) VALUES (1, '1.02', REPEAT('x', 1048576))");
        {
            Window w = open_main_window(test_server());
            QCOMPARE(w.text("通告").size(), std::size_t{1048576});
            close_window(w);
        }
        testdb::restore_standard();
    }

    void failures_leave_the_notice_hidden_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("missing table") << "USE corvalin_1; DROP TABLE calcvideo";
        QTest::newRow("missing ver column")
            << "USE corvalin_1; ALTER TABLE calcvideo DROP COLUMN ver";
        QTest::newRow("wrong password")
            << "SET PASSWORD FOR 'corvalin_1'@'%' = PASSWORD('other');"
               "SET PASSWORD FOR 'corvalin_1'@'localhost' = PASSWORD('other')";
    }
    void failures_leave_the_notice_hidden() {
        QFETCH(QString, sql);
        testdb::reset_rows({{1, "1.02", new_version_note, "https://example.org/q"}});
        testdb::exec(sql.toStdString());
        Window w = open_main_window(test_server());
        QVERIFY(!w.visible_setting("通告"));
        QCOMPARE(w.caption(), "Quorvex V1.01");
        close_window(w);
        testdb::restore_standard();
    }

    // A server that takes the connection and never answers: the window still
    // appears, after the check gives up, with the notice hidden.
    void silent_server_delays_the_window_only_until_the_deadline() {
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        QVERIFY(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QVERIFY(::listen(listener, 4) == 0);
        QVERIFY(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0);

        QElapsedTimer clock;
        clock.start();
        Window w = load_main_window({"127.0.0.1", ntohs(address.sin_port)});
        const qint64 elapsed = clock.elapsed();
        ::close(listener);
        QVERIFY(w.exists());
        QVERIFY(w.widget()->isVisible());
        QVERIFY(!w.visible_setting("通告"));
        QCOMPARE(w.caption(), "Quorvex V1.01");
        QVERIFY2(elapsed < 5000 + 1500, qPrintable(QString::number(elapsed)));
        close_window(w);
    }
};

QUORVEX_TEST_CLASS(NoticeTest)
#include "notice_test.moc"
