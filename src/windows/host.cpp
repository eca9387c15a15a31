/*
 * Windows host: the C runtime opens standard output in text mode, which
 * already turns every "\n" into CR LF, and an exit status holds 32 bits.
 */
#include "host.h"

void
HostSetup(void)
{
}

int
HostExitStatus(char, int value)
{
    return value;
}
