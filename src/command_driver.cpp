/* SPDX-License-Identifier: MIT */
/* korvanex writes a banner and exits with a local-time field, so scripts need not parse text. */
#include <optional>

#include "host.h"
#include "time_selector.h"

/* No value: an unknown letter, a clock the record cannot hold, or a value too big. */
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

    /* argc is 0 after an execve with no arguments. */
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
