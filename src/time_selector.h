/* SPDX-License-Identifier: MIT */
/* Maps a selector letter to one field of a local-time snapshot. */
#ifndef KORVANEX_TIME_SELECTOR_H
#define KORVANEX_TIME_SELECTOR_H

#include <optional>

#include "systemtime.h"

/* The field the letter names, or nothing for an unknown letter; it reads no clock. */
std::optional<int> SelectTimeValue(char letter, const SYSTEMTIME &st);

/*
 * The value as a status of `bits` bits, or nothing if it does not fit below the top value, which
 * means "no value".  A narrow status gets the year's last two digits; the century completes them.
 */
std::optional<int> FoldToStatus(char letter, int value, int bits);

#endif
