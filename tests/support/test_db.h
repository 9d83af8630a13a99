// The tests' own MariaDB server (scripts/test-db-server), started once per
// CTest run by the fixture "update_db", and the means to set up its update
// table per test. It holds what db/update-server.sql creates: the database
// corvalin_1, the table calcvideo and the account the program logs in with.
//
// The server listens on 127.0.0.1 at port(); root works over the server's
// private socket without a password. Every function throws
// std::runtime_error when the server is not there or refuses a statement.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testdb {

// The fixture's directory, fixed when the tests were configured.
std::string directory();

// The server's TCP port on 127.0.0.1, read from the fixture's directory.
unsigned port();

// Runs one or more statements separated by ';' as root, texts in UTF-8.
void exec(std::string_view sql);

// A column's value: bytes, or NULL.
using Value = std::optional<std::string>;

// The rows one query returns, each value as text (NULL as std::nullopt).
std::vector<std::vector<Value>> query(std::string_view sql);

// A row of the standard table. Values are the bytes to store, as they are
// (GB2312 for texts); they must be valid GB2312 for the standard columns.
struct Row {
    int mark = 1;
    Value ver;
    Value note;
    Value upaddress;
};

// Database, table and account back as db/update-server.sql makes them, with
// no rows; undoes whatever a test changed (columns, table, password, rights).
void restore_standard();

// Appends the rows to calcvideo in order; the server returns them in it.
void insert_rows(const std::vector<Row>& rows);

// restore_standard(), then insert_rows(rows).
void reset_rows(const std::vector<Row>& rows);

} // namespace testdb
