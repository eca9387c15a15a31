/* SPDX-License-Identifier: MIT */
/* POSIX host: CR LF added on the way into stdio, the record filled from localtime_r. */
#include <csignal>
#include <cstdio>
#include <ctime>

#include "host.h"

/* 32 bits would end at 2038-01-19 03:14:07 UTC. */
static_assert(sizeof(time_t) >= 8, "time_t must have 64 bits: build with _TIME_BITS=64");

const int kHostStatusBits = 8;

void
HostSetup(void)
{
    /* A closed pipe or the file size limit must not end the run before its status. */
    signal(SIGPIPE, SIG_IGN);
    signal(SIGXFSZ, SIG_IGN);
}

/* stdout's buffer: by line on a terminal, else one write at exit (musl's first line alone). */
void
HostPrint(const char *text)
{
    /* One thread, so no lock. */
    for (; *text != '\0'; text++) {
        if (*text == '\n')
            putc_unlocked('\r', stdout);
        putc_unlocked(*text, stdout);
    }
}

bool
HostLocalTime(SYSTEMTIME *st)
{
    struct timespec ts;
    struct tm tm;

    tzset();
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || localtime_r(&ts.tv_sec, &tm) == nullptr)
        return false;
    /* The record holds the years 0 to 65535. */
    if (tm.tm_year < -1900 || tm.tm_year > 65535 - 1900)
        return false;
    st->wYear = static_cast<uint16_t>(tm.tm_year + 1900);
    st->wMonth = static_cast<uint16_t>(tm.tm_mon + 1);
    st->wDayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    st->wDay = static_cast<uint16_t>(tm.tm_mday);
    st->wHour = static_cast<uint16_t>(tm.tm_hour);
    st->wMinute = static_cast<uint16_t>(tm.tm_min);
    /* A leap second (60) shows as 59. */
    st->wSecond = static_cast<uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    st->wMilliseconds = static_cast<uint16_t>(ts.tv_nsec / 1000000);
    return true;
}
