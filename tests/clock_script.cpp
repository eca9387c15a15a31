/* SPDX-License-Identifier: MIT */
/*
 * The command, its clock following CLOCK_SCRIPT, local times
 * "YYYY-MM-DDTHH:MM:SS" apart by spaces: call k (from 0) reads the k-th, the
 * last once they run out, where the file CLOCK_CALLS counts the calls; the
 * first without it.  A recipe that calls it is shown a clock that turns
 * between any two calls; Windows, with no preload, a frozen clock.
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

/* The command's own code, its clock (alone) replaced. */
#define HostLocalTime ScriptedLocalTime
#include "command_driver.cpp"
