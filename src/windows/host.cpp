/* SPDX-License-Identifier: MIT */
/*
 * Windows host: the C runtime opens standard output in text mode, which
 * already turns every "\n" into CR LF, and an exit status holds 32 bits.
 */
#include <cstdio>

#include "host.h"

const int kHostStatusBits = 32;

void
HostSetup(void)
{
}

void
HostPrint(const char *text)
{
    fputs(text, stdout);
}

bool
HostLocalTime(SYSTEMTIME *st)
{
    GetLocalTime(st);
    return true;
}
