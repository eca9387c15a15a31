/* SPDX-License-Identifier: MIT */
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "time_selector.h"

namespace
{

/* The day of the week and milliseconds, which no letter offers, match no row. */
SYSTEMTIME
Snapshot(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
         uint16_t second)
{
    return SYSTEMTIME{year, month, 6, day, hour, minute, second, 987};
}

struct Expected {
    const char *what;
    SYSTEMTIME st;
    int values[7]; /* month, day, year, century, hour, minute, second */
};

const Expected kSnapshots[] = {
    {"last second of 1999", Snapshot(1999, 12, 31, 23, 59, 59), 12, 31, 1999, 19, 23, 59, 59},
    {"first second of 2000", Snapshot(2000, 1, 1, 0, 0, 0), 1, 1, 2000, 20, 0, 0, 0},
    {"first second of 2100", Snapshot(2100, 1, 1, 0, 0, 0), 1, 1, 2100, 21, 0, 0, 0},
    {"an afternoon", Snapshot(2026, 7, 14, 13, 8, 5), 7, 14, 2026, 20, 13, 8, 5},
    {"first year Windows keeps", Snapshot(1601, 1, 1, 0, 0, 0), 1, 1, 1601, 16, 0, 0, 0},
    {"last year Windows keeps", Snapshot(30827, 12, 31, 23, 59, 59), 12, 31, 30827, 308, 23, 59,
     59},
    /* Fields are widened without sign: 0xFFFF is 65535, never -1. */
    {"every field at its 16-bit top", Snapshot(65535, 65535, 65535, 65535, 65535, 65535), 65535,
     65535, 65535, 655, 65535, 65535, 65535},
};

TEST(SelectTimeValue, EachLetterInBothCasesAtChosenSnapshots)
{
    for (const Expected &e : kSnapshots) {
        for (int i = 0; i < 7; i++) {
            for (char letter : {"MDYCHIS"[i], "mdychis"[i]}) {
                std::optional<int> got = SelectTimeValue(letter, e.st);
                ASSERT_TRUE(got.has_value()) << e.what << ", letter " << letter;
                EXPECT_EQ(*got, e.values[i]) << e.what << ", letter " << letter;
            }
        }
    }
}

TEST(SelectTimeValue, EveryOtherByteIsNotRecognised)
{
    const char known[] = "CcDdHhIiMmSsYy";
    const SYSTEMTIME st = Snapshot(2026, 12, 7, 13, 29, 5);
    for (int byte = 0; byte < 256; byte++) {
        /* Bytes from 0x80 up arrive negative, as a signed char holds them. */
        char letter = static_cast<char>(static_cast<signed char>(byte));
        bool listed = byte != 0 && std::memchr(known, byte, sizeof known - 1) != nullptr;
        std::optional<int> got = SelectTimeValue(letter, st);
        EXPECT_EQ(got.has_value(), listed) << "byte " << byte;
    }
}

TEST(FoldToStatus, OnlyTheYearFoldsAndOnlyWhereTheStatusIsNarrow)
{
    const int none = -1;
    const struct {
        char letter;
        int value, bits, status;
    } rows[] = {
        {'y', 2026, 8, 26},     {'Y', 2100, 8, 0},     {'y', 1999, 8, 99},  {'y', 65535, 8, 35},
        {'y', 2026, 32, 2026},  {'Y', 2026, 16, 2026}, {'c', 20, 8, 20},    {'m', 12, 8, 12},
        {'s', 59, 8, 59},       {'c', 308, 32, 308},   {'d', 31, 32, 31},   {'c', 254, 8, 254},
        {'C', 255, 8, none},    {'c', 300, 8, none},   {'c', 655, 8, none}, {'c', 655, 16, 655},
        {'y', 65535, 16, none},
    };
    for (const auto &r : rows) {
        std::optional<int> got = FoldToStatus(r.letter, r.value, r.bits);
        EXPECT_EQ(got.value_or(none), r.status)
            << r.letter << " " << r.value << " in " << r.bits << " bits";
    }
}

} // namespace
