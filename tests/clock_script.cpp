/* SPDX-License-Identifier: MIT */
/*
 * The command on CLOCK_SCRIPT's local times, "YYYY-MM-DDTHH:MM:SS" apart by
 * spaces: call k (counted in the file CLOCK_CALLS) reads the k-th or the last.
 * A clock turning between a recipe's calls, and Windows's frozen clock.
 */
#include <cstdio>
#include <cstdlib>

#include "systemtime.h"

static void
Die(const char *what)
{
    std::fprintf(stderr, "clock_script: %s\n", what);
    std::exit(254);
}

static long
CountCall(const char *path)
{
    long calls = 0;
    if (path == nullptr)
        return 0;
    if (FILE *in = std::fopen(path, "r")) {
        std::fscanf(in, "%ld", &calls); /* none: still 0 */
        std::fclose(in);
    }
    FILE *out = std::fopen(path, "w");
    if (out == nullptr || std::fprintf(out, "%ld\n", calls + 1) < 0 || std::fclose(out) != 0)
        Die("cannot write CLOCK_CALLS");
    return calls;
}

static bool
ScriptedLocalTime(SYSTEMTIME *st)
{
    const char *s = std::getenv("CLOCK_SCRIPT");
    long k = CountCall(std::getenv("CLOCK_CALLS"));
    int used = 0;
    bool any = false;
    for (long i = 0; s != nullptr && i <= k; i++, s += used, any = true) {
        SYSTEMTIME t{};
        if (std::sscanf(s, " %hu-%hu-%huT%hu:%hu:%hu%n", &t.wYear, &t.wMonth, &t.wDay, &t.wHour,
                        &t.wMinute, &t.wSecond, &used) != 6)
            break;
        *st = t;
    }
    if (!any)
        Die("no instant in CLOCK_SCRIPT");
    return true;
}

/* The command's own code, its clock alone replaced. */
#define HostLocalTime ScriptedLocalTime
#include "command_driver.cpp"
