#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Calendar fields of a remote time as a server states it.
struct CalendarTime {
    int32_t year = 0;  // a two- or three-digit year is completed by FullYear
    int32_t month = 0;  // 1-12
    int32_t day = 0;    // 1-31
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
};

// The year a listing or a reply means when it gives fewer than four digits,
// the one rule for every parser: 00-69 are 2000-2069, 70-99 are 1970-1999
// (no server holds a file time before 1970, where Unix time begins, so the
// pivot wastes no year that can occur and reaches furthest ahead), and
// 100-999 count from 1900 as servers that print the C library's year field
// do (102 is 2002). Four-digit years are kept.
int32_t FullYear(int32_t year);

// The fields as local wall-clock time (LIST listings give the server's local
// time), daylight saving decided by the C library; nothing when the C library
// cannot represent the time.
std::optional<int64_t> LocalTimeToSeconds(const CalendarTime& time);

// The fields as UTC (MDTM replies, the MLSD/MLST modify fact). Exact for any
// date, whatever the local zone's daylight saving does now or did then.
std::optional<int64_t> UtcTimeToSeconds(const CalendarTime& time);

// The UTC calendar fields of seconds since 1970.
CalendarTime SecondsToUtcTime(int64_t seconds);

// "YYYYMMDDHHMMSS[.fraction]", read positionally; nothing when a field is not
// a number or is out of range.
std::optional<CalendarTime> ParseFactTime(std::string_view text);
