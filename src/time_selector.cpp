/* SPDX-License-Identifier: MIT */
#include "time_selector.h"

std::optional<int>
SelectTimeValue(char letter, const SYSTEMTIME &st)
{
    /* Fields are unsigned 16 bits: widen without sign. */
    switch (letter) {
    case 'C':
    case 'c':
        return static_cast<int>(static_cast<unsigned>(st.wYear) / 100u);
    case 'D':
    case 'd':
        return static_cast<int>(st.wDay);
    case 'H':
    case 'h':
        return static_cast<int>(st.wHour);
    case 'I':
    case 'i':
        return static_cast<int>(st.wMinute);
    case 'M':
    case 'm':
        return static_cast<int>(st.wMonth);
    case 'S':
    case 's':
        return static_cast<int>(st.wSecond);
    case 'Y':
    case 'y':
        return static_cast<int>(st.wYear);
    default:
        return std::nullopt;
    }
}

std::optional<int>
FoldToStatus(char letter, int value, int bits)
{
    if ((letter == 'Y' || letter == 'y') && bits < 16)
        return value % 100;
    if (bits < 31 && value >= (1 << bits) - 1)
        return std::nullopt;
    return value;
}
