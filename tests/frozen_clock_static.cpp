/* SPDX-License-Identifier: MIT */
/*
 * The frozen clock for a static program, which no preload can enter: linked
 * into a stand-in made of the command's own objects with
 * -Wl,--wrap=clock_gettime (and __clock_gettime64, the name musl's headers
 * give it on 32-bit CPUs), so that only the way the clock gets in differs
 * from the program that ships.
 */
#include <cstdlib>
#include <ctime>
#include <sys/syscall.h>
#include <unistd.h>

static int
Frozen(clockid_t clock, struct timespec *ts)
{
    /* The real call as well, so that strace sees which clock is read when. */
    struct timespec real;
#ifdef SYS_clock_gettime64
    syscall(SYS_clock_gettime64, clock, &real);
#else
    syscall(SYS_clock_gettime, clock, &real);
#endif
    const char *at = std::getenv("FROZEN_CLOCK");
    ts->tv_sec = at != nullptr ? static_cast<time_t>(std::strtoll(at, nullptr, 10)) : 0;
    ts->tv_nsec = 0;
    return 0;
}

extern "C" int
__wrap_clock_gettime(clockid_t clock, struct timespec *ts)
{
    return Frozen(clock, ts);
}

extern "C" int
__wrap___clock_gettime64(clockid_t clock, struct timespec *ts)
{
    return Frozen(clock, ts);
}
