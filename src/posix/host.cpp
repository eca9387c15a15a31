/*
 * POSIX host: the Windows console's text-mode standard output, done with a
 * stdio stream over file descriptor 1, and GetLocalTime from the C library.
 */
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <unistd.h>

#include "host.h"
#include "systemtime.h"

/* Static, so that setting up the stream allocates nothing for it. */
static char outbuf[4096];

/* Writes all of buf to fd 1; false when the descriptor takes no more. */
static bool
WriteAll(const char *buf, size_t len)
{
    while (len > 0) {
        ssize_t n = write(STDOUT_FILENO, buf, len);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        buf += n;
        len -= static_cast<size_t>(n);
    }
    return true;
}

/*
 * Every "\n" leaves as CR LF.  A whole stream buffer becomes one write, so
 * redirected output leaves in a single write at exit.
 */
static ssize_t
WriteText(void *, const char *buf, size_t size)
{
    char out[2 * sizeof outbuf];
    size_t done = 0;

    while (done < size) {
        size_t n = 0;
        while (done < size && n + 2 <= sizeof out) {
            if (buf[done] == '\n')
                out[n++] = '\r';
            out[n++] = buf[done++];
        }
        /* Failures are not reported: 0 tells stdio that nothing went. */
        if (!WriteAll(out, n))
            return 0;
    }
    return static_cast<ssize_t>(size);
}

void
HostSetup(void)
{
    /* A reader that went away must not end the run before its status. */
    signal(SIGPIPE, SIG_IGN);

    cookie_io_functions_t io = {nullptr, WriteText, nullptr, nullptr};
    FILE *text = fopencookie(nullptr, "w", io);
    if (text == nullptr)
        return;
    /* On a terminal each message shows before the next one begins: stdio
       then hands every printf over whole, as one write. */
    if (isatty(STDOUT_FILENO))
        setvbuf(text, nullptr, _IONBF, 0);
    else
        setvbuf(text, outbuf, _IOFBF, sizeof outbuf);
    stdout = text;
}

int
HostExitStatus(char letter, int value)
{
    /* The parent sees 8 bits: the year leaves as its last two digits. */
    if (letter == 'Y' || letter == 'y')
        return value % 100;
    return value;
}

void
GetLocalTime(SYSTEMTIME *st)
{
    struct timespec ts;
    struct tm tm;

    *st = SYSTEMTIME{};
    tzset();
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || localtime_r(&ts.tv_sec, &tm) == nullptr)
        return;
    /* A year the record cannot hold is no year at all. */
    if (tm.tm_year < -1900 || tm.tm_year > 65535 - 1900)
        return;
    st->wYear = static_cast<uint16_t>(tm.tm_year + 1900);
    st->wMonth = static_cast<uint16_t>(tm.tm_mon + 1);
    st->wDayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    st->wDay = static_cast<uint16_t>(tm.tm_mday);
    st->wHour = static_cast<uint16_t>(tm.tm_hour);
    st->wMinute = static_cast<uint16_t>(tm.tm_min);
    /* A leap second (60) is shown as the last ordinary one. */
    st->wSecond = static_cast<uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    st->wMilliseconds = static_cast<uint16_t>(ts.tv_nsec / 1000000);
}
