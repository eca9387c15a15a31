/* SPDX-License-Identifier: MIT */
/*
 * A stand-in for the command whose clock follows a script, so that a recipe
 * that calls it several times can be shown a clock that turns between any
 * two of its calls.  Call k (counting from 0) reads the k-th instant of
 * CLOCK_SCRIPT, a list of local times "YYYY-MM-DDTHH:MM:SS" apart by spaces,
 * and the last one once the list runs out; the file CLOCK_CALLS counts the
 * calls (no file: none yet).  It answers as the command does, through the
 * command's own selector and host layer: the same banner bytes, the year in
 * full where the status holds 32 bits and as its last two digits where it
 * holds 8.  A Windows program, so that a batch file can call it and go on.
 */
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "host.h"
#include "time_selector.h"

/* The number of calls made before this one, and one more counted. */
static long
CountCall(const char *path)
{
    long calls = 0;
    if (FILE *in = std::fopen(path, "r")) {
        if (std::fscanf(in, "%ld", &calls) != 1)
            calls = 0;
        std::fclose(in);
    }
    FILE *out = std::fopen(path, "w");
    if (out == nullptr || std::fprintf(out, "%ld\n", calls + 1) < 0 || std::fclose(out) != 0) {
        std::fprintf(stderr, "clock_script: cannot write %s\n", path);
        std::exit(254);
    }
    return calls;
}

/* The instant of call k: false when the script holds none that reads. */
static bool
Instant(const char *script, long k, SYSTEMTIME *st)
{
    SYSTEMTIME last = {};
    bool any = false;
    for (long i = 0; i <= k; i++) {
        unsigned y, mo, d, h, mi, s;
        int used = 0;
        if (std::sscanf(script, " %u-%u-%uT%u:%u:%u%n", &y, &mo, &d, &h, &mi, &s, &used) != 6)
            break;
        script += used;
        last = SYSTEMTIME{};
        last.wYear = static_cast<unsigned short>(y);
        last.wMonth = static_cast<unsigned short>(mo);
        last.wDay = static_cast<unsigned short>(d);
        last.wHour = static_cast<unsigned short>(h);
        last.wMinute = static_cast<unsigned short>(mi);
        last.wSecond = static_cast<unsigned short>(s);
        any = true;
    }
    *st = last;
    return any;
}

int
main(int argc, char *argv[])
{
    HostSetup();
    HostPrint("\nKORVANEX for WinNT\n");
    HostPrint("By: The korvanex developers\n");
    HostPrint("30 Dec. 1997 - V1R1\n");
    /* Only the selector matters to the recipes: no usage text. */
    if (argc < 2)
        return 0;

    const char *script = std::getenv("CLOCK_SCRIPT");
    const char *calls = std::getenv("CLOCK_CALLS");
    SYSTEMTIME st;
    if (script == nullptr || calls == nullptr || !Instant(script, CountCall(calls), &st)) {
        std::fprintf(stderr, "clock_script: CLOCK_SCRIPT or CLOCK_CALLS unset or unreadable\n");
        return 254;
    }
    char letter = argv[1][0];
    std::optional<int> value = SelectTimeValue(letter, st);
    if (value)
        value = FoldToStatus(letter, *value, kHostStatusBits);
    return value ? *value : 255;
}
