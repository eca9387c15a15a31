/* SPDX-License-Identifier: MIT */
/*
 * korvanex: writes a banner and ends with one field of the local date and
 * time as the exit status, so that scripts can test it without parsing text.
 */
#include <optional>

#include "host.h"
#include "time_selector.h"

/*
 * Status when there is no value to give: the first character names no
 * field, the clock names a time the record cannot hold, or the status
 * cannot carry the value.
 */
static const int kNoValue = 255;

static void
PrintBanner(void)
{
    HostPrint("\nKORVANEX for WinNT\n");
    HostPrint("By: The korvanex developers\n");
    HostPrint("30 Dec. 1997 - V1R1\n");
}

static void
PrintUsage(void)
{
    HostPrint("\nUSAGE: korvanex [m|d|y|c|h|i|s]\n");
    HostPrint("\n");
    HostPrint(" Where m = Month\n");
    HostPrint("       d = Day\n");
    HostPrint("       y = Year\n");
    HostPrint("       c = Century\n");
    HostPrint("\n");
    HostPrint("       h = Hour\n");
    HostPrint("       i = mInutes\n");
    HostPrint("       s = Seconds\n");
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
    if (!HostLocalTime(&st))
        return kNoValue;

    /* Only the first character counts; "" gives the NUL. */
    char letter = argv[1][0];
    std::optional<int> value = SelectTimeValue(letter, st);
    if (value)
        value = FoldToStatus(letter, *value, kHostStatusBits);
    return value ? *value : kNoValue;
}
