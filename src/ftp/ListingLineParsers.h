#pragma once
#include <cstdint>
#include <string_view>

#include "ftp/ListingParser.h"

// The three listing formats ParseListingLine tries in this order. Each clears
// `out` first and reads only the first 259 bytes of the line; on false the
// record may hold partial fields (ParseListingLine clears it again).

// The nine-column ls -l form: permissions, links, owner, group, size, month,
// day, time or year, name.
bool ParseUnixStrict(std::string_view line, ListingLine& out, const ListingClock& today);

// Unix-like lines that bend that form: missing or extra columns, owner or group
// names with spaces, sizes with units, numeric and non-English dates.
bool ParseUnixLoose(std::string_view line, ListingLine& out, const ListingClock& today);

// MS-DOS / IIS lines: date, time, size or "<DIR>", name.
bool ParseDosLine(std::string_view line, ListingLine& out);

// Sets a Unix line's time of day; false, leaving `out` alone, when the hour is
// not 0-23 or the minute not 0-59.
bool SetTimeOfDay(int32_t hour, int32_t minute, ListingLine& out);
