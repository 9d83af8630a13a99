// fetch_latest against servers that never finish the handshake: it must give
// up at its deadline with nothing, and leave no connection behind.
#include "update/update_check.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A MariaDB greeting (protocol 10, mysql_native_password), header included.
std::string greeting() {
    std::string body;
    body += '\x0a';
    body += std::string("5.5.5-10.11.0-MariaDB") + '\0';
    body += std::string("\x01\x00\x00\x00", 4); // connection id
    body += "abcdefgh";                         // scramble, first part
    body += '\0';                               // filler
    body += "\xFF\xF7";                         // capabilities, low
    body += '\x21';                             // character set
    body += std::string("\x02\x00", 2);         // status
    body += "\xFF\x81";                         // capabilities, high
    body += '\x15';                             // scramble length
    body += std::string(10, '\0');              // reserved
    body += std::string("ijklmnopqrst") + '\0'; // scramble, second part
    body += std::string("mysql_native_password") + '\0';
    std::string packet;
    packet += static_cast<char>(body.size() & 0xFF);
    packet += static_cast<char>((body.size() >> 8) & 0xFF);
    packet += static_cast<char>((body.size() >> 16) & 0xFF);
    packet += '\0'; // sequence number
    return packet + body;
}

enum class Behaviour {
    Silent,      // accepts, then never sends a byte
    Drip,        // sends its greeting one byte every 200 ms
    FullBacklog, // never accepts; its queue is full, so a connect never completes
};

// A listener on 127.0.0.1 with a port of its own, served by one thread.
class Listener {
public:
    explicit Listener(Behaviour behaviour) : behaviour_(behaviour) {
        listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (listen_fd_ < 0)
            throw std::runtime_error("socket failed");
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listen_fd_, 0) != 0 ||
            ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            ::close(listen_fd_);
            throw std::runtime_error("cannot listen on 127.0.0.1");
        }
        port_ = ntohs(address.sin_port);
        if (behaviour_ == Behaviour::FullBacklog) {
            // A backlog of 0 holds one connection that nobody accepts; further
            // connection requests are dropped without an answer.
            filler_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
            if (filler_fd_ < 0 ||
                ::connect(filler_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
                throw std::runtime_error("cannot fill the backlog");
            closed_.set_value(true);
        } else {
            thread_ = std::thread([this] { serve(); });
        }
    }

    ~Listener() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (filler_fd_ >= 0)
            ::close(filler_fd_);
        ::close(listen_fd_);
    }

    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    unsigned port() const { return port_; }

    // True once the accepted connection has been closed by the client.
    bool client_closed_within(std::chrono::milliseconds wait) {
        auto closed = closed_.get_future();
        return closed.wait_for(wait) == std::future_status::ready && closed.get();
    }

private:
    void serve() {
        int fd = -1;
        while (!stop_ && fd < 0) {
            pollfd pfd{listen_fd_, POLLIN, 0};
            if (::poll(&pfd, 1, 20) > 0)
                fd = ::accept(listen_fd_, nullptr, nullptr);
        }
        if (fd < 0)
            return;
        const std::string bytes = greeting();
        std::size_t sent = 0;
        auto next_byte = Clock::now();
        bool closed = false;
        while (!stop_ && !closed) {
            if (behaviour_ == Behaviour::Drip && sent < bytes.size() && Clock::now() >= next_byte) {
                if (::send(fd, bytes.data() + sent, 1, MSG_NOSIGNAL) == 1)
                    ++sent;
                next_byte += 200ms;
            }
            pollfd pfd{fd, POLLIN, 0};
            if (::poll(&pfd, 1, 20) > 0) {
                char buffer[256];
                const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
                closed = got <= 0;
            }
        }
        ::close(fd);
        closed_.set_value(closed);
    }

    Behaviour behaviour_;
    int listen_fd_ = -1;
    int filler_fd_ = -1;
    unsigned port_ = 0;
    std::atomic<bool> stop_{false};
    std::promise<bool> closed_;
    std::thread thread_;
};

struct HostileCase {
    const char* name;
    Behaviour behaviour;
};
void PrintTo(const HostileCase& v, std::ostream* os) { *os << v.name; }

class HostileServer : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileServer, GivesUpAtTheDeadlineWithNothing) {
    Listener listener(GetParam().behaviour);
    // Shorter than each of the library's own 3 s waits, so the deadline is
    // what ends the check.
    const auto deadline = 1500ms;
    const auto start = Clock::now();
    const update::Latest latest = update::fetch_latest({"127.0.0.1", listener.port()}, deadline);
    const auto elapsed = Clock::now() - start;

    EXPECT_EQ(latest, update::Latest{});
    // Not sooner: the server really held the check up until the deadline.
    EXPECT_GE(elapsed, deadline - 100ms);
    EXPECT_LT(elapsed, deadline + 1s);
    EXPECT_TRUE(listener.client_closed_within(2s)) << "the connection was left open";
}

INSTANTIATE_TEST_SUITE_P(Listeners, HostileServer,
                         ::testing::Values(HostileCase{"Silent", Behaviour::Silent},
                                           HostileCase{"Drip", Behaviour::Drip},
                                           HostileCase{"FullBacklog", Behaviour::FullBacklog}),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(HostileServerDefaults, SilentServerEndsWithinTheDefaultDeadline) {
    Listener listener(Behaviour::Silent);
    const auto start = Clock::now();
    const update::Latest latest = update::fetch_latest({"127.0.0.1", listener.port()});
    const auto elapsed = Clock::now() - start;

    EXPECT_EQ(latest, update::Latest{});
    EXPECT_LT(elapsed, 5s + 1500ms);
    EXPECT_TRUE(listener.client_closed_within(2s)) << "the connection was left open";
}

} // namespace
