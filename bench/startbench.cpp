// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The start-up benchmark's driver: starts programs one after the other, alternating
// them, each with QUADRELON_EXIT_AFTER_FIRST_PAINT=1. The program prints two stamps
// (CLOCK_MONOTONIC): when the first paint event reached its window, and when that
// paint was finished. For each run the driver measures both against the moment just
// before it started the process, the peak memory (max RSS from wait4) and the
// processor time used (user + system, to the exit). Prints the samples, the medians,
// the ratios of the medians to the last program and the medians of the run-by-run
// ratios as JSON.
//
// Usage: quadrelon_startbench [--runs N] [--warmup N] [--show-stderr] NAME=PATH...
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Program
{
    std::string name;
    std::string path;
    std::vector<double> ms;        // to the first paint event
    std::vector<double> paintedMs; // to the end of the first paint
    std::vector<long> rssKb;
    std::vector<double> cpuMs;     // user + system time of the whole run
};

struct Sample
{
    double ms = 0.0;
    double paintedMs = 0.0;
    long rssKb = 0;
    double cpuMs = 0.0;
};

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "quadrelon_startbench: %s\n", what.c_str());
    std::exit(1);
}

Sample runOnce(const Program &program, bool showStderr)
{
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        fail("pipe: " + std::string(std::strerror(errno)));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (!showStderr)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    char *argv[] = {const_cast<char *>(program.path.c_str()), nullptr};
    pid_t pid = 0;
    const long long start = monotonicNs();
    const int spawned = posix_spawn(&pid, program.path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0)
        fail("cannot start " + program.path + ": " + std::strerror(spawned));

    std::string output;
    const long long deadline = start + 30LL * 1000000000LL;
    for (;;) {
        const long long left = (deadline - monotonicNs()) / 1000000;
        if (left <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, int(left)) <= 0)
            continue;
        char buffer[512];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, std::size_t(n));
    }
    close(out[0]);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) < 0)
        fail("wait4: " + std::string(std::strerror(errno)));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(program.path + " did not exit cleanly after its first paint (status " + std::to_string(status) + ")");

    const std::size_t at = output.find("monotonic_ns=");
    const std::size_t done = output.find("painted_ns=");
    if (at == std::string::npos || done == std::string::npos)
        fail(program.path + " printed no first-paint line: " + output);
    const long long paintEvent = std::strtoll(output.c_str() + at + 13, nullptr, 10);
    const long long painted = std::strtoll(output.c_str() + done + 11, nullptr, 10);
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return Sample{double(paintEvent - start) / 1e6, double(painted - start) / 1e6, usage.ru_maxrss,
                  ms(usage.ru_utime) + ms(usage.ru_stime)};
}

template <typename T>
double median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? double(values[n / 2]) : (double(values[n / 2 - 1]) + double(values[n / 2])) / 2.0;
}

// The median of the ratios run by run: each run of a program beside the run of the
// base program next to it in time.
template <typename T>
double pairedRatio(const std::vector<T> &values, const std::vector<T> &base)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < values.size() && i < base.size(); ++i)
        ratios.push_back(double(values[i]) / double(base[i]));
    return median(ratios);
}

template <typename T>
void printArray(const std::vector<T> &values)
{
    std::printf("[");
    for (std::size_t i = 0; i < values.size(); ++i)
        std::printf(i ? ", %g" : "%g", double(values[i]));
    std::printf("]");
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 15;
    int warmup = 2;
    bool showStderr = false;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (arg == "--warmup" && i + 1 < argc) {
            warmup = std::atoi(argv[++i]);
        } else if (arg == "--show-stderr") {
            showStderr = true;
        } else if (const auto eq = arg.find('='); eq != std::string::npos && eq > 0) {
            programs.push_back(Program{arg.substr(0, eq), arg.substr(eq + 1), {}, {}, {}, {}});
        } else {
            fail("usage: quadrelon_startbench [--runs N] [--warmup N] [--show-stderr] NAME=PATH...");
        }
    }
    if (programs.empty() || runs < 1)
        fail("usage: quadrelon_startbench [--runs N] [--warmup N] [--show-stderr] NAME=PATH...");

    setenv("QUADRELON_EXIT_AFTER_FIRST_PAINT", "1", 1);

    for (int w = 0; w < warmup; ++w) {
        for (const Program &program : programs)
            (void)runOnce(program, showStderr);
    }
    // Alternate, and reverse the order every other round, so that a drift of the
    // machine's speed weighs on every program alike.
    for (int r = 0; r < runs; ++r) {
        for (std::size_t k = 0; k < programs.size(); ++k) {
            Program &program = programs[r % 2 ? programs.size() - 1 - k : k];
            const Sample s = runOnce(program, showStderr);
            program.ms.push_back(s.ms);
            program.paintedMs.push_back(s.paintedMs);
            program.rssKb.push_back(s.rssKb);
            program.cpuMs.push_back(s.cpuMs);
        }
    }

    const Program &base = programs.back();
    const double baseMs = median(base.ms);
    const double basePainted = median(base.paintedMs);
    const double baseRss = median(base.rssKb);
    const double baseCpu = median(base.cpuMs);
    std::printf("{\"runs\": %d, \"programs\": [\n", runs);
    for (std::size_t k = 0; k < programs.size(); ++k) {
        const Program &p = programs[k];
        const double ms = median(p.ms);
        const double painted = median(p.paintedMs);
        const double rss = median(p.rssKb);
        const double cpu = median(p.cpuMs);
        std::printf("  {\"name\": \"%s\", \"median_ms\": %.3f, \"median_painted_ms\": %.3f, "
                    "\"median_rss_kb\": %.0f, \"ratio_ms\": %.4f, \"ratio_painted_ms\": %.4f, "
                    "\"ratio_rss\": %.4f, \"paired_ratio_ms\": %.4f, \"paired_ratio_painted_ms\": %.4f, "
                    "\"paired_ratio_rss\": %.4f, \"median_cpu_ms\": %.3f, \"ratio_cpu_ms\": %.4f, "
                    "\"paired_ratio_cpu_ms\": %.4f,\n   \"ms\": ",
                    p.name.c_str(), ms, painted, rss, ms / baseMs, painted / basePainted, rss / baseRss,
                    pairedRatio(p.ms, base.ms), pairedRatio(p.paintedMs, base.paintedMs),
                    pairedRatio(p.rssKb, base.rssKb), cpu, cpu / baseCpu, pairedRatio(p.cpuMs, base.cpuMs));
        printArray(p.ms);
        std::printf(",\n   \"painted_ms\": ");
        printArray(p.paintedMs);
        std::printf(",\n   \"rss_kb\": ");
        printArray(p.rssKb);
        std::printf(",\n   \"cpu_ms\": ");
        printArray(p.cpuMs);
        std::printf("}%s\n", k + 1 < programs.size() ? "," : "");
    }
    std::printf("]}\n");
    return 0;
}
