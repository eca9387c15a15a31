/* SPDX-License-Identifier: MIT */
/* What differs by host: the clock, CR LF line ends, the status's width.  One is built. */
#ifndef KORVANEX_HOST_H
#define KORVANEX_HOST_H

#include "systemtime.h"

/* The bits of the exit status that the parent sees. */
extern const int kHostStatusBits;

/* Called once, before anything is written. */
void HostSetup(void);

/* Writes to stdout with each "\n" as CR LF, as text mode does; a failed write is ignored. */
void HostPrint(const char *text);

/* Fills *st with local time, zone and DST applied; false if unread or beyond the record. */
bool HostLocalTime(SYSTEMTIME *st);

#endif
