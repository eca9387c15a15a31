/* SPDX-License-Identifier: MIT */
/* The local time FROZEN_CLOCK, "YYYY-MM-DDTHH:MM:SS", or all fields 0. */
#include <cstdio>
#include <cstdlib>

void
FrozenLocalTime(SYSTEMTIME *st)
{
    unsigned f[6] = {};
    const char *at = std::getenv("FROZEN_CLOCK");
    if (at != nullptr)
        std::sscanf(at, "%u-%u-%uT%u:%u:%u", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
    *st = SYSTEMTIME{};
    st->wYear = static_cast<WORD>(f[0]);
    st->wMonth = static_cast<WORD>(f[1]);
    st->wDay = static_cast<WORD>(f[2]);
    st->wHour = static_cast<WORD>(f[3]);
    st->wMinute = static_cast<WORD>(f[4]);
    st->wSecond = static_cast<WORD>(f[5]);
}
