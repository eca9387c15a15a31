/* SPDX-License-Identifier: MIT */
/* Windows has the local-time record and GetLocalTime of its own. */
#ifndef KORVANEX_SYSTEMTIME_H
#define KORVANEX_SYSTEMTIME_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#endif
