// Time from process start to first paint, for a yardstick program and the
// program under test, started in turn. Prints both medians and their ratio.
//
//   startup_bench RUNS YARDSTICK PROGRAM [PROGRAM ARGS...]
//
// A program argument "{silent}" becomes the port of a listener on 127.0.0.1
// that takes connections and never speaks; "{closed}" a port where nothing
// listens.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds from fork to the child's "painted" line; negative on failure.
double time_to_first_paint(std::vector<char*> argv) {
    int out[2];
    if (pipe(out) != 0) {
        return -1;
    }
    argv.push_back(nullptr);
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string seen;
    char buffer[256];
    double elapsed = -1;
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        seen.append(buffer, static_cast<std::size_t>(n));
        if (seen.find("painted") != std::string::npos) {
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return elapsed;
}

// A socket bound to an ephemeral loopback port, listening or not; returns its port.
unsigned loopback_port(bool listening, int& socket_out) {
    socket_out = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(socket_out, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        (listening && listen(socket_out, 64) != 0) ||
        getsockname(socket_out, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::perror("socket");
        std::exit(1);
    }
    return ntohs(address.sin_port);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS YARDSTICK PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<char*> yardstick{argv[2]};
    std::vector<char*> program(argv + 3, argv + argc);
    std::vector<std::string> ports;
    ports.reserve(program.size());
    int silent = -1, closed = -1;
    for (char*& arg : program) {
        const bool is_silent = std::strcmp(arg, "{silent}") == 0;
        if (is_silent || std::strcmp(arg, "{closed}") == 0) {
            int& s = is_silent ? silent : closed;
            ports.push_back(std::to_string(loopback_port(is_silent, s)));
            arg = ports.back().data();
        }
    }
    if (closed >= 0) {
        close(closed); // nothing listens there from now on
    }

    std::vector<double> base, prog;
    for (int i = 0; i < runs; ++i) {
        const double b = time_to_first_paint(yardstick);
        const double p = time_to_first_paint(program);
        if (b < 0 || p < 0) {
            std::fprintf(stderr, "run %d: a program ended without painting\n", i + 1);
            return 1;
        }
        base.push_back(b);
        prog.push_back(p);
    }
    const double mb = median(base), mp = median(prog);
    if (silent >= 0) {
        close(silent);
    }
    std::printf("yardstick median %.1f ms, program median %.1f ms, ratio %.2f (%d runs each)\n",
                mb, mp, mp / mb, runs);
    return 0;
}
