#include "test_db.h"

#include <mysql.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>

#ifndef QUORVEX_TEST_DB_DIR
#error "QUORVEX_TEST_DB_DIR must be defined by the build"
#endif
#ifndef QUORVEX_UPDATE_SERVER_SQL
#error "QUORVEX_UPDATE_SERVER_SQL must be defined by the build"
#endif

namespace testdb {

namespace {

[[noreturn]] void fail(std::string_view what, MYSQL* mysql) {
    std::string message = "test database: ";
    message += what;
    if (mysql != nullptr) {
        message += ": ";
        message += mysql_error(mysql);
    }
    throw std::runtime_error(message);
}

std::string socket_path() {
    std::ifstream in(directory() + "/socket");
    std::string path;
    if (!std::getline(in, path) || path.empty())
        return directory() + "/sock";
    return path;
}

struct Closer {
    void operator()(MYSQL* mysql) const { mysql_close(mysql); }
};
using Connection = std::unique_ptr<MYSQL, Closer>;

// A root session over the private socket, UTF-8, several statements a query.
Connection connect_root() {
    Connection mysql(mysql_init(nullptr));
    if (!mysql)
        fail("mysql_init failed", nullptr);
    const unsigned protocol = MYSQL_PROTOCOL_SOCKET;
    mysql_options(mysql.get(), MYSQL_OPT_PROTOCOL, &protocol);
    mysql_options(mysql.get(), MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const std::string socket = socket_path();
    if (mysql_real_connect(mysql.get(), "localhost", "root", nullptr, nullptr, 0, socket.c_str(),
                           CLIENT_MULTI_STATEMENTS) == nullptr) {
        fail("cannot log in as root at " + socket +
                 " (run the tests through ctest, whose fixture update_db starts the server)",
             mysql.get());
    }
    return mysql;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("test database: cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string literal(const Value& value) {
    if (!value)
        return "NULL";
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "X'";
    for (const unsigned char c : *value) {
        text.push_back(digits[c >> 4]);
        text.push_back(digits[c & 0xF]);
    }
    text.push_back('\'');
    return text;
}

} // namespace

std::string directory() {
    return QUORVEX_TEST_DB_DIR;
}

unsigned port() {
    const std::string path = directory() + "/port";
    std::ifstream in(path);
    unsigned value = 0;
    if (!(in >> value) || value == 0 || value > 65535) {
        throw std::runtime_error(
            "test database: no port in " + path +
            " (run the tests through ctest, whose fixture update_db starts the server)");
    }
    return value;
}

void exec(std::string_view sql) {
    Connection mysql = connect_root();
    if (mysql_real_query(mysql.get(), sql.data(), sql.size()) != 0)
        fail("statement failed", mysql.get());
    for (;;) {
        MYSQL_RES* result = mysql_store_result(mysql.get());
        if (result != nullptr)
            mysql_free_result(result);
        else if (mysql_field_count(mysql.get()) != 0)
            fail("reading a result failed", mysql.get());
        const int next = mysql_next_result(mysql.get());
        if (next > 0)
            fail("statement failed", mysql.get());
        if (next < 0)
            break;
    }
}

std::vector<std::vector<Value>> query(std::string_view sql) {
    Connection mysql = connect_root();
    if (mysql_real_query(mysql.get(), sql.data(), sql.size()) != 0)
        fail("query failed", mysql.get());
    MYSQL_RES* result = mysql_store_result(mysql.get());
    if (result == nullptr)
        fail("query gave no result", mysql.get());
    std::vector<std::vector<Value>> rows;
    const unsigned fields = mysql_num_fields(result);
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        auto& out = rows.emplace_back();
        for (unsigned i = 0; i < fields; ++i) {
            if (row[i] == nullptr)
                out.emplace_back(std::nullopt);
            else
                out.emplace_back(std::string(row[i], lengths[i]));
        }
    }
    mysql_free_result(result);
    return rows;
}

void restore_standard() {
    exec("DROP DATABASE IF EXISTS corvalin_1;\n" + read_file(QUORVEX_UPDATE_SERVER_SQL));
}

void insert_rows(const std::vector<Row>& rows) {
    if (rows.empty())
        return;
    std::ostringstream sql;
    sql << "INSERT INTO corvalin_1.calcvideo (mark, ver, note, upaddress) VALUES ";
    const char* separator = "";
    for (const Row& row : rows) {
        sql << separator << '(' << row.mark << ", " << literal(row.ver) << ", " << literal(row.note)
            << ", " << literal(row.upaddress) << ')';
        separator = ", ";
    }
    exec(sql.str());
}

void reset_rows(const std::vector<Row>& rows) {
    restore_standard();
    insert_rows(rows);
}

} // namespace testdb
