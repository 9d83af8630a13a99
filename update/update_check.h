// The update check: one query at start-up asks the update server's table
// calcvideo for the newest version, its notice line and its download address.
// Qt-free; talks MySQL protocol through the MariaDB Connector/C.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace update {

// Where the update table lives: a numeric IPv4 address and a TCP port.
struct Endpoint {
    std::string host;
    unsigned port = 3306;
};

// The update server fixed into the program when it was configured
// (QUORVEX_UPDATE_HOST), port 3306.
Endpoint fixed_endpoint();

// What the table says. note and address are the bytes the server sent, in
// GB2312, up to the first zero byte. A failed check, a NULL value or a missing
// column leaves the defaults: version 0.0, empty texts.
struct Latest {
    double version = 0.0;
    std::string note;
    std::string address;

    friend bool operator==(const Latest&, const Latest&) = default;
};

// Connects to the endpoint as the update account, reads every row with
// mark = 1 and keeps the values of the last one. Never fails loudly: any
// failure gives Latest{}. Returns within about `deadline` from the call
// whatever the server does (silent, unreachable, trickling bytes); each
// network wait is also bounded by 3 s. The connection is closed before
// returning.
Latest fetch_latest(const Endpoint& endpoint,
                    std::chrono::milliseconds deadline = std::chrono::seconds(5));

// True if latest_version names a newer version than program_version: the
// difference must exceed 0.0000001, so the nearest doubles to equal decimal
// texts never count as newer. NaN on either side gives false.
bool is_newer(double program_version, double latest_version);

// Reads the decimal number a version text begins with: leading white space
// skipped, an optional sign, digits with "." as the decimal point whatever
// the locale, an optional exponent; reading stops at the first character
// that cannot continue the number. nullptr, or a text that does not begin
// with a number ("beta", "inf", "nan", full-width digits), gives 0.0.
double read_version(const char* text);

// Decodes GB2312 (read as GB18030, its superset) into UTF-8. Every invalid
// byte and a sequence cut off by the end of the text become U+FFFD.
std::string gb2312_to_utf8(std::string_view bytes);

} // namespace update
