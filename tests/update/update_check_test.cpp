// The update check's conversions, and fetch_latest against the tests' own
// MariaDB server holding the update table.
#include "update/update_check.h"

#include "support/test_db.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

using testdb::Row;
using update::Latest;
using namespace std::string_literals;

constexpr double kProgramVersion = 1.01;

// 有新版本 in GB2312.
const std::string kNewVersionGb = "\xD3\xD0\xD0\xC2\xB0\xE6\xB1\xBE";

// ---------------------------------------------------------------- read_version

struct VersionText {
    const char* text;
    double expected;
};

class ReadVersion : public ::testing::TestWithParam<VersionText> {};

TEST_P(ReadVersion, ReadsTheLeadingDecimalNumber) {
    const VersionText& c = GetParam();
    const double got = update::read_version(c.text);
    if (std::isinf(c.expected)) {
        EXPECT_EQ(got, c.expected);
    } else {
        EXPECT_DOUBLE_EQ(got, c.expected);
        EXPECT_FALSE(std::isnan(got));
    }
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadVersion,
    ::testing::Values(
        VersionText{"1.02", 1.02}, VersionText{" 1.2beta", 1.2}, VersionText{"beta", 0.0},
        VersionText{"", 0.0}, VersionText{"\t\n\v\f\r 7", 7.0}, VersionText{"+1.5", 1.5},
        VersionText{"-2", -2.0}, VersionText{".5", 0.5}, VersionText{"5.", 5.0},
        VersionText{"0001.0100", 1.01}, VersionText{"1e2", 100.0}, VersionText{"1e", 1.0},
        VersionText{"1.5.3", 1.5}, VersionText{"1,5", 1.0}, VersionText{".", 0.0},
        VersionText{"-", 0.0}, VersionText{"--1", 0.0}, VersionText{"+-1", 0.0},
        VersionText{"- 1", 0.0}, VersionText{"inf", 0.0}, VersionText{"-infinity", 0.0},
        VersionText{"nan", 0.0}, VersionText{"0x1A", 0.0},
        // A full-width digit is no digit: GB2312 "１" (A3 B1), UTF-8 "１".
        VersionText{"\xA3\xB1", 0.0}, VersionText{"1\xA3\xB1", 1.0},
        VersionText{"\xEF\xBC\x91", 0.0},
        // The GB2312 ideographic space is not white space.
        VersionText{"\xA1\xA1"
                    "1",
                    0.0},
        // Out of range as the C library reads it.
        VersionText{"1e999", kInf}, VersionText{"-1e999", -kInf}, VersionText{"1e-999", 0.0}));

TEST(ReadVersionNull, NullptrGivesZero) {
    EXPECT_EQ(update::read_version(nullptr), 0.0);
}

// -------------------------------------------------------------------- is_newer

struct Versions {
    double program;
    double latest;
    bool newer;
};
// Printers keep gtest from dumping the structs' raw bytes (padding included).
void PrintTo(const Versions& v, std::ostream* os) {
    *os << v.program << " vs " << v.latest;
}

class IsNewer : public ::testing::TestWithParam<Versions> {};

TEST_P(IsNewer, NeedsMoreThanTheTolerance) {
    const Versions& c = GetParam();
    EXPECT_EQ(update::is_newer(c.program, c.latest), c.newer) << c.program << " vs " << c.latest;
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, IsNewer,
    ::testing::Values(Versions{1.01, 1.02, true}, Versions{1.01, 1.01, false},
                      // The difference of the two doubles lies just past the tolerance ...
                      Versions{1.01, 1.0100001, true},
                      // ... and just inside it.
                      Versions{1.01, 1.01000009, false}, Versions{1.01, 0.9, false},
                      Versions{1.01, 0.0, false}, Versions{1.01, std::nan(""), false},
                      Versions{std::nan(""), 2.0, false}, Versions{1.01, kInf, true}));

// -------------------------------------------------------------- gb2312_to_utf8

struct Encoded {
    const char* name;
    std::string gb;
    std::string utf8;
};
void PrintTo(const Encoded& v, std::ostream* os) { *os << v.name; }

class Gb2312ToUtf8 : public ::testing::TestWithParam<Encoded> {};

TEST_P(Gb2312ToUtf8, Decodes) {
    EXPECT_EQ(update::gb2312_to_utf8(GetParam().gb), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Gb2312ToUtf8,
    ::testing::Values(Encoded{"Empty", "", ""},
                      Encoded{"Ascii", "http://a.b/c?d=1&e", "http://a.b/c?d=1&e"},
                      Encoded{"Chinese", kNewVersionGb, "有新版本"},
                      Encoded{"FullWidthBrackets", "\xA3\xA8\xA3\xA9", "（）"},
                      Encoded{"NulKept", "a\0b"s, "a\0b"s},
                      // A GB18030 four-byte sequence: GB2312 text decoded as its superset.
                      Encoded{"FourByte", "\x81\x30\x81\x30", "\xC2\x80"},
                      Encoded{"InvalidByte",
                              "a\xFF"
                              "b",
                              "a\xEF\xBF\xBD"
                              "b"},
                      Encoded{"InvalidBetweenChinese", "\xD3\xD0\xFF\xD0\xC2", "有\xEF\xBF\xBD新"},
                      Encoded{"LeadByteThenAscii", "\xD3 x", "\xEF\xBF\xBD x"},
                      Encoded{"CutOffAtEnd", "ab\xD3", "ab\xEF\xBF\xBD"},
                      Encoded{"CutOffFourByte", "\x81\x30\x81", "\xEF\xBF\xBD"},
                      Encoded{"OnlyInvalid", "\x80\xFF", "\xEF\xBF\xBD\xEF\xBF\xBD"}),
    [](const ::testing::TestParamInfo<Encoded>& info) { return std::string(info.param.name); });

TEST(Gb2312ToUtf8Large, EveryByteOfAMegabyteOfInvalidBytesIsReplaced) {
    const std::string invalid(1 << 20, '\xFF');
    const std::string utf8 = update::gb2312_to_utf8(invalid);
    ASSERT_EQ(utf8.size(), invalid.size() * 3);
    EXPECT_EQ(utf8.substr(utf8.size() - 3), "\xEF\xBF\xBD");
}

// ----------------------------------------------------- fetch_latest, real server

update::Endpoint test_server() {
    return {"127.0.0.1", testdb::port()};
}

// Every test starts from the standard table and leaves it so.
class UpdateTable : public ::testing::Test {
protected:
    void SetUp() override { testdb::restore_standard(); }
    void TearDown() override { testdb::restore_standard(); }
};

Row row(const char* ver, const char* note = "note", const char* address = "http://example.com/a") {
    return Row{1, ver ? testdb::Value(ver) : std::nullopt,
               note ? testdb::Value(note) : std::nullopt,
               address ? testdb::Value(address) : std::nullopt};
}

struct TableCase {
    const char* name;
    std::vector<Row> rows;
    Latest expected;
    bool newer; // than the program's 1.01
};
void PrintTo(const TableCase& v, std::ostream* os) { *os << v.name; }

class StandardTable : public UpdateTable, public ::testing::WithParamInterface<TableCase> {};

TEST_P(StandardTable, LastMarkedRowWins) {
    const TableCase& c = GetParam();
    testdb::insert_rows(c.rows);
    const Latest latest = update::fetch_latest(test_server());
    EXPECT_DOUBLE_EQ(latest.version, c.expected.version);
    EXPECT_EQ(latest.note, c.expected.note);
    EXPECT_EQ(latest.address, c.expected.address);
    EXPECT_EQ(update::is_newer(kProgramVersion, latest.version), c.newer);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StandardTable,
    ::testing::Values(
        TableCase{"Newer", {row("1.02", "new", "http://x/1")}, {1.02, "new", "http://x/1"}, true},
        TableCase{"Equal", {row("1.01")}, {1.01, "note", "http://example.com/a"}, false},
        TableCase{"JustPastTolerance",
                  {row("1.0100001")},
                  {1.0100001, "note", "http://example.com/a"},
                  true},
        TableCase{"JustInsideTolerance",
                  {row("1.01000009")},
                  {1.01000009, "note", "http://example.com/a"},
                  false},
        TableCase{"Older", {row("0.9")}, {0.9, "note", "http://example.com/a"}, false},
        TableCase{"NewerThenOlder",
                  {row("1.05", "n1", "a1"), row("1.0", "n2", "a2")},
                  {1.0, "n2", "a2"},
                  false},
        TableCase{"OlderThenNewer",
                  {row("1.0", "n1", "a1"), row("1.05", "n2", "a2")},
                  {1.05, "n2", "a2"},
                  true},
        TableCase{"VersionWithTrailingText",
                  {row(" 1.2beta")},
                  {1.2, "note", "http://example.com/a"},
                  true},
        TableCase{"VersionNotANumber", {row("beta")}, {0.0, "note", "http://example.com/a"}, false},
        // A NULL in the last row wins over an earlier row's value.
        TableCase{"NullVersionLast",
                  {row("1.05"), row(nullptr)},
                  {0.0, "note", "http://example.com/a"},
                  false},
        TableCase{"NullNote", {row("1.02", nullptr)}, {1.02, "", "http://example.com/a"}, true},
        TableCase{"NullAddress", {row("1.02", "note", nullptr)}, {1.02, "note", ""}, true},
        TableCase{"NulByteEndsNote", {Row{1, "1.02", "ab\0cd"s, "x"}}, {1.02, "ab", "x"}, true},
        TableCase{"UnmarkedRowsIgnored",
                  {row("0.5", "kept", "k"), Row{0, "9.9", "no", "no"}, Row{2, "9.9", "no", "no"}},
                  {0.5, "kept", "k"},
                  false},
        TableCase{"NoMarkedRow", {Row{0, "9.9", "no", "no"}}, {}, false},
        TableCase{"Empty", {}, {}, false}),
    [](const ::testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

// Tables that differ from the standard one, or an account that does not work.
struct VariantCase {
    const char* name;
    const char* sql; // run in corvalin_1 after the standard table is restored
    Latest expected;
};
void PrintTo(const VariantCase& v, std::ostream* os) { *os << v.name; }

class ChangedTable : public UpdateTable, public ::testing::WithParamInterface<VariantCase> {};

TEST_P(ChangedTable, ReadsWhatIsThere) {
    const VariantCase& c = GetParam();
    testdb::exec("USE corvalin_1;\n"s + c.sql);
    const Latest latest = update::fetch_latest(test_server());
    EXPECT_DOUBLE_EQ(latest.version, c.expected.version);
    EXPECT_EQ(latest.note, c.expected.note);
    EXPECT_EQ(latest.address, c.expected.address);
}

constexpr const char* kNewerRow =
    "INSERT INTO calcvideo (mark, ver, note, upaddress) VALUES (1, '1.02', 'note', 'addr');";

INSTANTIATE_TEST_SUITE_P(
    Variants, ChangedTable,
    ::testing::Values(
        VariantCase{"NoVerColumn",
                    "ALTER TABLE calcvideo DROP COLUMN ver;"
                    "INSERT INTO calcvideo (mark, note, upaddress) VALUES (1, 'note', 'addr');",
                    {0.0, "note", "addr"}},
        VariantCase{"NoNoteColumn",
                    "ALTER TABLE calcvideo DROP COLUMN note;"
                    "INSERT INTO calcvideo (mark, ver, upaddress) VALUES (1, '1.02', 'addr');",
                    {1.02, "", "addr"}},
        VariantCase{"NoAddressColumn",
                    "ALTER TABLE calcvideo DROP COLUMN upaddress;"
                    "INSERT INTO calcvideo (mark, ver, note) VALUES (1, '1.02', 'note');",
                    {1.02, "note", ""}},
        // Column names are matched byte for byte, case included.
        VariantCase{"UpperCaseVer",
                    "ALTER TABLE calcvideo CHANGE ver VER VARCHAR(32);"
                    "INSERT INTO calcvideo (mark, VER, note, upaddress) VALUES (1, '1.02', 'note', "
                    "'addr');",
                    {0.0, "note", "addr"}},
        VariantCase{
            "NumericVerColumn",
            "ALTER TABLE calcvideo MODIFY ver DECIMAL(6,4);"
            "INSERT INTO calcvideo (mark, ver, note, upaddress) VALUES (1, 1.02, 'note', 'addr');",
            {1.02, "note", "addr"}},
        VariantCase{"NoMarkColumn",
                    "ALTER TABLE calcvideo DROP COLUMN mark;"
                    "INSERT INTO calcvideo (ver, note, upaddress) VALUES ('1.02', 'note', 'addr');",
                    {}},
        VariantCase{"NoTable", "DROP TABLE calcvideo;", {}},
        VariantCase{
            "WrongPassword",
            "INSERT INTO calcvideo (mark, ver, note, upaddress) VALUES (1, '1.02', 'note', 'addr');"
            "ALTER USER 'corvalin_1'@'%' IDENTIFIED BY 'not-the-password';"
            "ALTER USER 'corvalin_1'@'localhost' IDENTIFIED BY 'not-the-password';",
            {}},
        VariantCase{
            "NoSelectRight",
            "INSERT INTO calcvideo (mark, ver, note, upaddress) VALUES (1, '1.02', 'note', 'addr');"
            "REVOKE SELECT ON corvalin_1.calcvideo FROM 'corvalin_1'@'%';"
            "REVOKE SELECT ON corvalin_1.calcvideo FROM 'corvalin_1'@'localhost';",
            {}},
        // Bytes that are no GB2312, in a binary column the server passes on as they are.
        VariantCase{"InvalidGb2312InBinaryColumn",
                    "ALTER TABLE calcvideo MODIFY note VARBINARY(255);"
                    "INSERT INTO calcvideo (mark, ver, note, upaddress) VALUES (1, '1.02', "
                    "X'FF80D3', 'addr');",
                    {1.02, "\xFF\x80\xD3", "addr"}}),
    [](const ::testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

TEST_F(UpdateTable, Gb2312NoteArrivesAsGb2312AndDecodes) {
    // Stored from UTF-8 texts; the server hands them out in GB2312.
    testdb::exec("INSERT INTO corvalin_1.calcvideo (mark, ver, note, upaddress) "
                 "VALUES (1, '1.02', '有新版本（点击下载）', 'http://example.com/下载')");
    const Latest latest = update::fetch_latest(test_server());
    EXPECT_EQ(latest.note.substr(0, kNewVersionGb.size()), kNewVersionGb);
    EXPECT_EQ(update::gb2312_to_utf8(latest.note), "有新版本（点击下载）");
    EXPECT_EQ(update::gb2312_to_utf8(latest.address), "http://example.com/下载");
}

TEST_F(UpdateTable, MegabyteNote) {
    testdb::exec("USE corvalin_1;"
                 "ALTER TABLE calcvideo MODIFY note MEDIUMTEXT;"
                 "INSERT INTO calcvideo (mark, ver, note, upaddress) "
                 "VALUES (1, '1.02', CONCAT(REPEAT('有', 524287), 'end'), 'addr')");
    const Latest latest = update::fetch_latest(test_server());
    EXPECT_DOUBLE_EQ(latest.version, 1.02);
    ASSERT_EQ(latest.note.size(), 524287u * 2 + 3);
    EXPECT_EQ(latest.note.substr(0, 2), "\xD3\xD0");
    EXPECT_EQ(latest.note.substr(latest.note.size() - 3), "end");
    EXPECT_EQ(latest.address, "addr");
}

TEST_F(UpdateTable, TenThousandMarkedRows) {
    testdb::exec("USE corvalin_1;" // seq_1_to_10000 lives in the current database
                 "INSERT INTO calcvideo (mark, ver, note, upaddress) "
                 "SELECT 1, CONCAT('1.', seq), CONCAT('note ', seq), CONCAT('addr ', seq) FROM "
                 "seq_1_to_10000");
    const Latest latest = update::fetch_latest(test_server());
    EXPECT_DOUBLE_EQ(latest.version, 1.1); // "1.10000"
    EXPECT_EQ(latest.note, "note 10000");
    EXPECT_EQ(latest.address, "addr 10000");
}

TEST_F(UpdateTable, ConnectionIsClosedOnReturn) {
    testdb::reset_rows({row("1.02")});
    ASSERT_DOUBLE_EQ(update::fetch_latest(test_server()).version, 1.02);
    // The server notices the goodbye a moment later; a connection kept open
    // would stay listed.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::string count;
    do {
        count =
            *testdb::query(
                 "SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE USER = 'corvalin_1'")
                 .at(0)
                 .at(0);
        if (count == "0")
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < give_up);
    EXPECT_EQ(count, "0");
}

TEST(FetchLatest, NothingListeningOnThePort) {
    // A port that was just free: bound, never listened on, released.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
    ::close(fd);
    EXPECT_EQ(update::fetch_latest({"127.0.0.1", ntohs(address.sin_port)}), Latest{});
}

} // namespace
