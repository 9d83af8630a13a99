#include "update/update_check.h"

#include <mysql.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <locale.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>

#ifndef QUORVEX_UPDATE_HOST
#error "QUORVEX_UPDATE_HOST must be defined by the build"
#endif

namespace update {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kUser = "corvalin_1";
constexpr const char* kPassword = "Xe530468";
constexpr const char* kDatabase = "corvalin_1";
constexpr unsigned kDefaultPort = 3306;

constexpr std::string_view kSetNames = "SET NAMES GB2312";
constexpr std::string_view kSelect = "SELECT * FROM calcvideo where `mark`=1";

// Each single wait of the client library (connect, read, write), in seconds.
constexpr unsigned kIoTimeoutSeconds = 3;
// No single value the table can sensibly hold comes near this.
constexpr std::size_t kMaxPacketBytes = std::size_t{16} * 1024 * 1024;
// After the deadline every wait is answered "timed out" at once; the library
// then fails the call at its next wait. This bounds how often that is repeated
// before the call is given up as stuck.
constexpr int kMaxForcedTimeouts = 64;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

// One connection driven through the library's non-blocking interface, so
// that no call can wait past the deadline: every wait the library asks for is
// a poll() bounded by the time left.
class Session {
public:
    explicit Session(Clock::time_point deadline) : deadline_(deadline) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() { close(); }

    bool connect(const Endpoint& endpoint) {
        mysql_ = mysql_init(nullptr);
        if (mysql_ == nullptr)
            return false;
        if (!configure())
            return false;
        MYSQL* connected = nullptr;
        int status = mysql_real_connect_start(&connected, mysql_, endpoint.host.c_str(), kUser,
                                              kPassword, kDatabase, endpoint.port,
                                              /*unix_socket=*/nullptr, /*client_flag=*/0);
        drive(status,
              [&](int events) { return mysql_real_connect_cont(&connected, mysql_, events); });
        return connected != nullptr && !expired_ && !stuck_;
    }

    // The outcome is not needed: a failed statement shows in the result.
    void query(std::string_view statement) {
        if (expired_ || stuck_)
            return;
        int ignored = 0;
        int status = mysql_real_query_start(&ignored, mysql_, statement.data(), statement.size());
        drive(status, [&](int events) { return mysql_real_query_cont(&ignored, mysql_, events); });
    }

    // The whole result in memory, or nullptr.
    MYSQL_RES* store_result() {
        if (expired_ || stuck_)
            return nullptr;
        MYSQL_RES* result = nullptr;
        int status = mysql_store_result_start(&result, mysql_);
        drive(status, [&](int events) { return mysql_store_result_cont(&result, mysql_, events); });
        if (expired_ || stuck_) {
            if (result != nullptr)
                mysql_free_result(result);
            return nullptr;
        }
        return result;
    }

    // Says goodbye to the server, but no longer than the time left.
    void close() {
        if (mysql_ == nullptr)
            return;
        if (!stuck_) {
            const int status = mysql_close_start(mysql_);
            drive(status, [&](int events) { return mysql_close_cont(mysql_, events); });
        }
        if (stuck_) {
            // A call is still suspended inside the library: cut the socket so
            // that the blocking close cannot wait on the server.
            const my_socket fd = mysql_get_socket(mysql_);
            if (fd >= 0)
                ::shutdown(fd, SHUT_RDWR);
            mysql_close(mysql_);
        }
        mysql_ = nullptr;
    }

private:
    bool configure() {
        const unsigned timeout = kIoTimeoutSeconds;
        const unsigned protocol = MYSQL_PROTOCOL_TCP;
        const unsigned no_local_files = 0;
        const std::size_t max_packet = kMaxPacketBytes;
        // mysql_init reads no option files (that needs MYSQL_READ_DEFAULT_*),
        // and connecting with an explicit host, port, user and password takes
        // nothing from the environment. Neither TLS nor compression is asked
        // for. The server may not read local files through LOAD DATA LOCAL,
        // and may not switch the login to another authentication plugin (such
        // as one that prompts on the terminal or sends the password in clear).
        return mysql_options(mysql_, MYSQL_OPT_NONBLOCK, nullptr) == 0 &&
               mysql_options(mysql_, MYSQL_OPT_CONNECT_TIMEOUT, &timeout) == 0 &&
               mysql_options(mysql_, MYSQL_OPT_READ_TIMEOUT, &timeout) == 0 &&
               mysql_options(mysql_, MYSQL_OPT_WRITE_TIMEOUT, &timeout) == 0 &&
               mysql_options(mysql_, MYSQL_OPT_PROTOCOL, &protocol) == 0 &&
               mysql_options(mysql_, MYSQL_OPT_LOCAL_INFILE, &no_local_files) == 0 &&
               mysql_options(mysql_, MYSQL_OPT_MAX_ALLOWED_PACKET, &max_packet) == 0 &&
               mysql_options(mysql_, MARIADB_OPT_RESTRICTED_AUTH, "mysql_native_password") == 0;
    }

    // Runs a started non-blocking call to its end. `resume` continues the call
    // with the events that occurred and returns what it waits for next (0: done).
    template <typename Resume> void drive(int status, Resume&& resume) {
        int forced = 0;
        while (status != 0) {
            const int events = wait(status);
            if (expired_ && ++forced > kMaxForcedTimeouts) {
                stuck_ = true;
                return;
            }
            status = resume(events);
        }
    }

    // Waits for what the library asked for (status), at most until the
    // library's own time-out or the deadline, and says what happened.
    int wait(int status) {
        if (expired_)
            return MYSQL_WAIT_TIMEOUT;
        pollfd pfd{};
        pfd.fd = mysql_get_socket(mysql_);
        if (status & MYSQL_WAIT_READ)
            pfd.events |= POLLIN;
        if (status & MYSQL_WAIT_WRITE)
            pfd.events |= POLLOUT;
        if (status & MYSQL_WAIT_EXCEPT)
            pfd.events |= POLLPRI;

        const bool library_timeout = (status & MYSQL_WAIT_TIMEOUT) != 0;
        const auto library_until =
            Clock::now() +
            std::chrono::milliseconds(library_timeout ? mysql_get_timeout_value_ms(mysql_) : 0);
        for (;;) {
            const auto now = Clock::now();
            if (now >= deadline_) {
                expired_ = true;
                return MYSQL_WAIT_TIMEOUT;
            }
            if (library_timeout && now >= library_until)
                return MYSQL_WAIT_TIMEOUT;
            const auto until = library_timeout ? std::min(deadline_, library_until) : deadline_;
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - now).count();
            const int ready = ::poll(&pfd, 1, static_cast<int>(std::min<long long>(left, 60'000)));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready < 0) {
                // Cannot wait: treat as the deadline.
                expired_ = true;
                return MYSQL_WAIT_TIMEOUT;
            }
            if (ready == 0)
                continue; // the checks above decide whose time ran out
            int events = 0;
            if (pfd.revents & POLLIN)
                events |= MYSQL_WAIT_READ;
            if (pfd.revents & POLLOUT)
                events |= MYSQL_WAIT_WRITE;
            if (pfd.revents & POLLPRI)
                events |= MYSQL_WAIT_EXCEPT;
            // An error or hang-up: let the library try its read or write and
            // find out for itself.
            if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL))
                events |= status & (MYSQL_WAIT_READ | MYSQL_WAIT_WRITE | MYSQL_WAIT_EXCEPT);
            if (events != 0)
                return events;
        }
    }

    MYSQL* mysql_ = nullptr;
    Clock::time_point deadline_;
    bool expired_ = false; // the deadline has passed
    bool stuck_ = false;   // a call did not finish even when told it timed out
};

// A value's bytes up to the first zero byte; NULL gives the empty text.
std::string value_text(const char* value, unsigned long length) {
    if (value == nullptr)
        return {};
    const void* zero = std::memchr(value, 0, length);
    return std::string(value, zero != nullptr ? static_cast<const char*>(zero) - value : length);
}

std::optional<unsigned> find_column(const MYSQL_FIELD* fields, unsigned count,
                                    std::string_view name) {
    for (unsigned i = 0; i < count; ++i) {
        if (std::string_view(fields[i].name, fields[i].name_length) == name)
            return i;
    }
    return std::nullopt;
}

// Every row of the result in order, each one overwriting what the one before
// it gave; a column missing from the result keeps its default.
Latest read_rows(MYSQL_RES* result) {
    Latest latest;
    const unsigned count = mysql_num_fields(result);
    const MYSQL_FIELD* fields = mysql_fetch_fields(result);
    if (fields == nullptr)
        return latest;
    const auto ver = find_column(fields, count, "ver");
    const auto note = find_column(fields, count, "note");
    const auto address = find_column(fields, count, "upaddress");

    const my_ulonglong rows = mysql_num_rows(result);
    for (my_ulonglong i = 0; i < rows; ++i) {
        MYSQL_ROW row = mysql_fetch_row(result);
        const unsigned long* lengths = mysql_fetch_lengths(result);
        if (row == nullptr || lengths == nullptr)
            break;
        if (ver) {
            latest.version = row[*ver] == nullptr
                                 ? 0.0
                                 : read_version(value_text(row[*ver], lengths[*ver]).c_str());
        }
        if (note)
            latest.note = value_text(row[*note], lengths[*note]);
        if (address)
            latest.address = value_text(row[*address], lengths[*address]);
    }
    return latest;
}

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// strtod in the "C" locale, for the rare decimal text std::from_chars reports
// out of range: it gives ±HUGE_VAL for overflow and the nearest value for
// underflow, as the C library's reading of a number does.
double read_out_of_range(const char* first, const char* last) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::string text(first, last);
    if (c_locale == static_cast<locale_t>(nullptr))
        return 0.0;
    return strtod_l(text.c_str(), nullptr, c_locale);
}

} // namespace

Endpoint fixed_endpoint() {
    return Endpoint{QUORVEX_UPDATE_HOST, kDefaultPort};
}

Latest fetch_latest(const Endpoint& endpoint, std::chrono::milliseconds deadline) {
    Session session(Clock::now() + deadline);
    if (!session.connect(endpoint))
        return {};
    session.query(kSetNames);
    session.query(kSelect);
    MYSQL_RES* result = session.store_result();
    if (result == nullptr)
        return {};
    Latest latest = read_rows(result);
    mysql_free_result(result);
    session.close(); // nothing more to ask: do not keep the connection open
    return latest;
}

bool is_newer(double program_version, double latest_version) {
    return program_version - latest_version < -0.0000001;
}

double read_version(const char* text) {
    if (text == nullptr)
        return 0.0;
    const char* p = text;
    while (is_space(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Only a digit, or a point followed by a digit, starts a number: this
    // keeps out "inf", "nan" and a second sign, which from_chars would take.
    if (!(is_digit(*p) || (*p == '.' && is_digit(p[1]))))
        return 0.0;
    const char* last = p + std::strlen(p);
    double value = 0.0;
    const auto [end, error] = std::from_chars(p, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        value = read_out_of_range(p, end);
    } else if (error != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string gb2312_to_utf8(std::string_view bytes) {
    std::string out;
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter on this system: keep ASCII, mark everything else.
        for (const char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80)
                out.push_back(c);
            else
                out.append(kReplacement);
        }
        return out;
    }

    // Two GB18030 bytes give at most three UTF-8 bytes, four give four, and
    // a replaced byte gives three.
    out.resize(bytes.size() * 3 + 4);
    char* in = const_cast<char*>(bytes.data()); // iconv does not write to it
    std::size_t in_left = bytes.size();
    std::size_t used = 0;
    while (in_left > 0) {
        char* to = out.data() + used;
        std::size_t to_left = out.size() - used;
        const std::size_t converted = iconv(cd, &in, &in_left, &to, &to_left);
        const int error = errno;
        used = out.size() - to_left;
        if (converted != static_cast<std::size_t>(-1))
            break;
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (out.size() - used < kReplacement.size())
            out.resize(out.size() * 2);
        out.replace(used, kReplacement.size(), kReplacement);
        used += kReplacement.size();
        if (error != EILSEQ)
            break; // EINVAL: the text ends inside a sequence
        ++in;
        --in_left;
    }
    iconv_close(cd);
    out.resize(used);
    return out;
}

} // namespace update
