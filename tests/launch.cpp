/* SPDX-License-Identifier: MIT */
/* launch no-argv PROGRAM: argc 0, which a shell cannot do. */
#include <cstdio>
#include <cstring>
#include <unistd.h>

extern char **environ;

int
main(int argc, char *argv[])
{
    if (argc != 3 || strcmp(argv[1], "no-argv") != 0) {
        fprintf(stderr, "usage: launch no-argv program\n");
        return 2;
    }
    char *none[] = {nullptr};
    execve(argv[2], none, environ);
    perror("launch");
    return 2;
}
