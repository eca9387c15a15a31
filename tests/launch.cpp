/* SPDX-License-Identifier: MIT */
/*
 * Starts a command in conditions a shell cannot set up:
 *   launch no-argv PROGRAM           argument vector empty (argc 0)
 *   launch closed-pipe PROGRAM ARG.. standard output a pipe whose reader is
 *                                    already gone, SIGPIPE at its default
 */
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

extern char **environ;

int
main(int argc, char *argv[])
{
    if (argc < 3) {
        fprintf(stderr, "usage: launch no-argv|closed-pipe program [arg ...]\n");
        return 2;
    }
    if (strcmp(argv[1], "no-argv") == 0) {
        char *none[] = {nullptr};
        execve(argv[2], none, environ);
    } else if (strcmp(argv[1], "closed-pipe") == 0) {
        int fds[2];
        if (pipe(fds) != 0 || close(fds[0]) != 0 || dup2(fds[1], STDOUT_FILENO) < 0)
            return 2;
        close(fds[1]);
        signal(SIGPIPE, SIG_DFL);
        execv(argv[2], argv + 2);
    }
    perror("launch");
    return 2;
}
