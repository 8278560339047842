#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Calendar fields of a remote time as a server states it.
struct CalendarTime {
    int32_t year = 0;  // below 70 means 20xx, 70-1899 means 19xx (two-digit years)
    int32_t month = 0;  // 1-12
    int32_t day = 0;    // 1-31
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
};

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
