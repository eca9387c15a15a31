/* SPDX-License-Identifier: MIT */
/* The least korvanex's job takes; the command's cost beyond it is its own overhead. */
#include <cstdio>
#include <ctime>

int
main(void)
{
    /* The banner's size, 72 bytes in four CR LF lines. */
    fputs("\r\n------------------\r\n---------------------------\r\n-------------------\r\n",
          stdout);
    struct timespec ts;
    struct tm tm;
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || localtime_r(&ts.tv_sec, &tm) == nullptr)
        return 255;
    return tm.tm_mon + 1;
}
