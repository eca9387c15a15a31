/* SPDX-License-Identifier: MIT */
/*
 * The clock stopped at FROZEN_CLOCK seconds since the epoch: preloaded, or
 * (FROZEN_WRAP) linked into a static program by -Wl,--wrap.  No header here
 * declares these, so none is renamed under us.
 */
#include <cstdint>
#include <cstdlib>
#include <sys/syscall.h>
#include <unistd.h>

#ifdef FROZEN_WRAP
#define ENTRY(name) __wrap_##name
#else
#define ENTRY(name) name
#endif

/* struct timespec where time_t is as wide as long. */
struct TimespecLong {
    long tv_sec, tv_nsec;
};

/* A 32-bit CPU's 64-bit timespec: tv_nsec and its padding as one field, 0. */
struct Timespec64 {
    int64_t tv_sec, tv_nsec_and_padding;
};

static int64_t
FrozenAt(int clock)
{
    /* The real call as well, so that strace sees which clock is read when. */
    int64_t real[4];
#ifdef SYS_clock_gettime64 /* 32-bit CPUs; musl's name the 32-bit call otherwise */
    syscall(SYS_clock_gettime64, clock, real);
#else
    syscall(SYS_clock_gettime, clock, real);
#endif
    const char *at = std::getenv("FROZEN_CLOCK");
    return at != nullptr ? std::strtoll(at, nullptr, 10) : 0;
}

extern "C" int
ENTRY(clock_gettime)(int clock, TimespecLong *ts)
{
    *ts = {static_cast<long>(FrozenAt(clock)), 0};
    return 0;
}

extern "C" int
ENTRY(__clock_gettime64)(int clock, Timespec64 *ts)
{
    *ts = {FrozenAt(clock), 0};
    return 0;
}
