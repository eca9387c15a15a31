/*
 * What differs between the hosts the command runs on, apart from the
 * platform's own clock record and call (see systemtime.h).  The build
 * compiles exactly one implementation of this interface.
 */
#ifndef KORVANEX_HOST_H
#define KORVANEX_HOST_H

/*
 * Prepares standard output as a text-mode stream (every "\n" leaves as
 * CR LF) whose write failures never end the process.  Called once, before
 * anything is written.
 */
void HostSetup(void);

/*
 * The exit status that carries the value selected by `letter` on this
 * host.  A host whose status is narrower than the year folds the year.
 */
int HostExitStatus(char letter, int value);

#endif
