/* SPDX-License-Identifier: MIT */
/*
 * For each PROGRAM, run in turn: the median microseconds from posix_spawn (a fork costs more than
 * what is measured) to its wait's end, and median page faults (wait4's, after exec).
 */
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

static double
Microseconds(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

static double
Median(std::vector<double> &v)
{
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

int
main(int argc, char *argv[])
{
    if (argc < 3) {
        fprintf(stderr, "usage: spawn RUNS PROGRAM [ARG...] [-- PROGRAM [ARG...]]...\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    /* Argument vectors cut out of ours at the "--"s. */
    std::vector<char **> programs{argv + 2};
    for (int i = 2; i < argc; i++) {
        if (strcmp(argv[i], "--") == 0) {
            argv[i] = nullptr;
            programs.push_back(argv + i + 1);
        }
    }
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::vector<double>> times(programs.size());
    std::vector<std::vector<double>> faults(programs.size());
    for (int run = 0; run < runs; run++) {
        for (size_t p = 0; p < programs.size(); p++) {
            double start = Microseconds();
            pid_t pid;
            int status;
            struct rusage usage;
            if (posix_spawn(&pid, programs[p][0], &quiet, nullptr, programs[p], environ) != 0 ||
                wait4(pid, &status, 0, &usage) != pid || WIFSIGNALED(status)) {
                fprintf(stderr, "spawn: %s did not run\n", programs[p][0]);
                return 1;
            }
            times[p].push_back(Microseconds() - start);
            faults[p].push_back(static_cast<double>(usage.ru_minflt + usage.ru_majflt));
        }
    }
    for (size_t p = 0; p < programs.size(); p++)
        printf("%.1f %.0f\n", Median(times[p]), Median(faults[p]));
    return 0;
}
