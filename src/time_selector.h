/* SPDX-License-Identifier: MIT */
/* Maps a selector letter to one field of a local-time snapshot. */
#ifndef KORVANEX_TIME_SELECTOR_H
#define KORVANEX_TIME_SELECTOR_H

#include <optional>

#include "systemtime.h"

/*
 * The value of the field the letter names, or nothing when the letter is
 * not one of the fourteen the command knows.  Pure: reads no clock.
 */
std::optional<int> SelectTimeValue(char letter, const SYSTEMTIME &st);

/*
 * The exit status that carries the value the letter selected, where the
 * status holds `bits` bits, or nothing when it cannot carry it.  The year
 * then leaves as its last two digits, which the century completes; any
 * other value must stay below the status's top value, which means "no
 * value".
 */
std::optional<int> FoldToStatus(char letter, int value, int bits);

#endif
