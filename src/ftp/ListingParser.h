#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// One line of a LIST reply, read by whichever listing parser accepted it.
// Texts are the server's bytes (normally UTF-8), at most 259 bytes each.
struct ListingLine {
    std::string name;         // whole rest of the line; a link keeps " -> target"
    std::string owner;
    std::string group;        // owner and group words that did not fit a column
    std::string permissions;  // e.g. "drwxr-xr-x"
    uint64_t size = 0;
    bool isFolder = false;
    bool isLink = false;
    int32_t year = 0;
    int32_t month = 0;   // 1-12 when hasDate
    int32_t day = 0;     // 1-31 when hasDate
    int32_t hour = 0;    // 0-23 (24 from a DOS "24:00") when hasTime
    int32_t minute = 0;  // 0-59 when hasTime
    bool hasDate = false;
    bool hasTime = false;
};

// The local calendar date a listing is read on. Unix listings give a time of
// day instead of the year for files of the last six months, so the year is
// inferred from today's date.
struct ListingClock {
    int32_t year = 0;
    int32_t month = 0;  // 1-12
    int32_t day = 0;    // 1-31
};

// Today's local date.
ListingClock LocalListingClock();

// The year of a listed month and day that carry no year: this year, or last
// year when the date lies after today.
int32_t InferListingYear(int32_t month, int32_t day, const ListingClock& today);

// Reads one LIST line (without its line end) into `out`. Tries the nine-column
// Unix form, then the tolerant Unix reader, then the MS-DOS / IIS form; the
// first that accepts the line fills `out`. Returns false, with `out` cleared,
// for lines none accepts (such as the "total 42" header). Only the first 259
// bytes of a longer line are read.
bool ParseListingLine(std::string_view line, ListingLine& out, const ListingClock& today);
bool ParseListingLine(std::string_view line, ListingLine& out);  // today = LocalListingClock()
