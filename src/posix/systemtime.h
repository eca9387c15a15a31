/*
 * The local-time record and the call that fills it, under the names and
 * layout of the Windows API, for hosts that do not have them.
 */
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

/* Fills *st from the local wall clock, time zone and daylight saving applied. */
void GetLocalTime(SYSTEMTIME *st);

#endif
