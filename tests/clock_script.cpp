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
        if (std::fscanf(in, "%ld", &calls) != 1)
            calls = 0;
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
    unsigned f[6];
    int used = 0;
    bool any = false;
    for (long i = 0; s != nullptr && i <= k; i++, s += used, any = true) {
        if (std::sscanf(s, " %u-%u-%uT%u:%u:%u%n", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5],
                        &used) != 6)
            break;
        *st = SYSTEMTIME{};
        st->wYear = static_cast<unsigned short>(f[0]);
        st->wMonth = static_cast<unsigned short>(f[1]);
        st->wDay = static_cast<unsigned short>(f[2]);
        st->wHour = static_cast<unsigned short>(f[3]);
        st->wMinute = static_cast<unsigned short>(f[4]);
        st->wSecond = static_cast<unsigned short>(f[5]);
    }
    if (!any)
        Die("no instant in CLOCK_SCRIPT");
    return true;
}

/* The command's own code, its clock (alone) replaced. */
#define HostLocalTime ScriptedLocalTime
#include "command_driver.cpp"
