/* SPDX-License-Identifier: MIT */
/*
 * The frozen clock for Windows: forced (-include) into the command's own
 * sources, which then build a stand-in whose GetLocalTime is FrozenLocalTime
 * (frozen_clock_windows.cpp), only the way the clock gets in changed.
 */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

void FrozenLocalTime(SYSTEMTIME *st);
#define GetLocalTime FrozenLocalTime
