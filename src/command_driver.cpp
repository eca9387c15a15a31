/*
 * korvanex: writes a banner and ends with one field of the local date and
 * time as the exit status, so that scripts can test it without parsing text.
 */
#include <cstdio>
#include <optional>

#include "host.h"
#include "time_selector.h"

/* Status for a first character that names no field. */
static const int kNotRecognised = 255;

static void
PrintBanner(void)
{
    printf("\nKORVANEX for WinNT\n");
    printf("By: The korvanex developers\n");
    printf("30 Dec. 1997 - V1R1\n");
}

static void
PrintUsage(void)
{
    printf("\nUSAGE: korvanex [m|d|y|c|h|i|s]\n");
    printf("\n");
    printf(" Where m = Month\n");
    printf("       d = Day\n");
    printf("       y = Year\n");
    printf("       c = Century\n");
    printf("\n");
    printf("       h = Hour\n");
    printf("       i = mInutes\n");
    printf("       s = Seconds\n");
}

int
main(int argc, char *argv[])
{
    HostSetup();
    PrintBanner();

    /* argc may be 0 when started through execve with no arguments at all. */
    if (argc < 2) {
        PrintUsage();
        return 0;
    }

    SYSTEMTIME st;
    GetLocalTime(&st);

    /* Only the first character counts; "" gives the NUL. */
    char letter = argv[1][0];
    std::optional<int> value = SelectTimeValue(letter, st);
    return value ? HostExitStatus(letter, *value) : kNotRecognised;
}
