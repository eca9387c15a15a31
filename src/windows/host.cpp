/* SPDX-License-Identifier: MIT */
/* Windows host: stdout is in text mode, which already writes "\n" as CR LF. */
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
