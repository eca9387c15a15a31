/* SPDX-License-Identifier: MIT */
/*
 * What differs between the hosts the command runs on: where the clock comes
 * from, how line ends become CR LF, what the exit status holds.  The build
 * compiles exactly one implementation of this interface.
 */
#ifndef KORVANEX_HOST_H
#define KORVANEX_HOST_H

#include "systemtime.h"

/* How many bits of the exit status the parent process sees. */
extern const int kHostStatusBits;

/* Called once, before anything is written. */
void HostSetup(void);

/*
 * Writes one message to standard output as a text-mode stream does: every
 * "\n" leaves as CR LF.  A failed write is ignored.
 */
void HostPrint(const char *text);

/*
 * Fills *st with the local wall-clock time, time zone and daylight saving
 * applied.  False when the clock cannot be read, or names a time that the
 * record cannot hold.
 */
bool HostLocalTime(SYSTEMTIME *st);

#endif
