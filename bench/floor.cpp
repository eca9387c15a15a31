/* SPDX-License-Identifier: MIT */
/*
 * The least any program doing korvanex's job must do: write the banner
 * through stdio, read the clock once as local time, exit with a field of it.
 * Built the same way as the command, it is the floor the command is held to:
 * what it costs beyond this is the command's own overhead.
 */
#include <cstdio>
#include <ctime>

int
main(void)
{
    /* Text of the banner's size, 72 bytes in four CR LF lines; the banner is the command's. */
    fputs("\r\n------------------\r\n---------------------------\r\n-------------------\r\n",
          stdout);
    struct timespec ts;
    struct tm tm;
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || localtime_r(&ts.tv_sec, &tm) == nullptr)
        return 255;
    return tm.tm_mon + 1;
}
