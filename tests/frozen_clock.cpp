/* SPDX-License-Identifier: MIT */
/*
 * Preloaded into the command under test (LD_PRELOAD), stops the clock at
 * FROZEN_CLOCK seconds since the epoch.  Serves the entry point a 32-bit
 * program built with 64-bit time calls (__clock_gettime64) as well as the
 * plain one, so it works for every word size; no system header declares
 * them here, so neither is renamed under us.
 */
#include <cstdint>
#include <cstdlib>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{

/* struct timespec where time_t is as wide as long. */
struct TimespecLong {
    long tv_sec;
    long tv_nsec;
};

/* glibc's struct __timespec64 on a little-endian 32-bit host. */
struct Timespec64 {
    int64_t tv_sec;
    int32_t tv_nsec;
    int32_t padding;
};

int64_t
FrozenAt(int clock)
{
    /* The real call as well, so that strace sees which clock is read when. */
    int64_t real[4];
    syscall(SYS_clock_gettime, clock, real);
    const char *at = std::getenv("FROZEN_CLOCK");
    return at != nullptr ? std::strtoll(at, nullptr, 10) : 0;
}

} // namespace

extern "C" int
clock_gettime(int clock, TimespecLong *ts)
{
    ts->tv_sec = static_cast<long>(FrozenAt(clock));
    ts->tv_nsec = 0;
    return 0;
}

extern "C" int
__clock_gettime64(int clock, Timespec64 *ts)
{
    ts->tv_sec = FrozenAt(clock);
    ts->tv_nsec = 0;
    ts->padding = 0;
    return 0;
}
