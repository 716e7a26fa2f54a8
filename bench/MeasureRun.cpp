// Runs a program once and prints "<wall ms> <CPU ms> <peak RSS kB>": wall
// time from fork to exit, its user + system time and its peak resident set,
// from wait4() at microsecond resolution (/usr/bin/time rounds CPU time to
// 10 ms, too coarse for a start-up of a few dozen).
// Usage: measure_run <program> [arguments...]; fails with the program's status.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: measure_run <program> [arguments...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("measure_run: fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("measure_run: exec");
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("measure_run: wait4");
        return 2;
    }
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "measure_run: %s failed (status %d)\n", argv[1], status);
        return 1;
    }
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    std::printf("%.3f %.3f %ld\n", wall.count(), ms(usage.ru_utime) + ms(usage.ru_stime),
                usage.ru_maxrss);
    return 0;
}
