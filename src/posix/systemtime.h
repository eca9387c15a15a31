/* SPDX-License-Identifier: MIT */
/* Windows's SYSTEMTIME, its layout and names, for hosts without it. */
#ifndef KORVANEX_SYSTEMTIME_H
#define KORVANEX_SYSTEMTIME_H

#include <cstdint>

struct SYSTEMTIME {
    uint16_t wYear;         /* all digits */
    uint16_t wMonth;        /* 1 to 12 */
    uint16_t wDayOfWeek;    /* 0 (Sunday) to 6 */
    uint16_t wDay;          /* 1 to 31 */
    uint16_t wHour;         /* 0 to 23 */
    uint16_t wMinute;       /* 0 to 59 */
    uint16_t wSecond;       /* 0 to 59 */
    uint16_t wMilliseconds; /* 0 to 999 */
};

#endif
