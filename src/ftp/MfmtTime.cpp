#include "ftp/MfmtTime.h"

#include <cstdio>

namespace {

struct CivilDate {
    int64_t year;
    unsigned month;  // 1-12
    unsigned day;    // 1-31
};

// The proleptic Gregorian date of a day number (days since 1970-01-01),
// computed in 400-year eras so that no time-zone or C library setting enters.
CivilDate DateOfDay(int64_t days)
{
    days += 719468;  // from 0000-03-01
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // March = 0
    const unsigned day = static_cast<unsigned>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const unsigned month = static_cast<unsigned>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

std::string MfmtTimeText(int64_t secondsSince1970)
{
    int64_t days = secondsSince1970 / 86400;
    int64_t secondOfDay = secondsSince1970 % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    CivilDate date = DateOfDay(days);
    char text[32];
    snprintf(text, sizeof(text), "%04lld%02u%02u%02d%02d%02d", static_cast<long long>(date.year), date.month, date.day,
             static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
             static_cast<int>(secondOfDay % 60));
    return text;
}

std::string MfmtCommandLine(int64_t secondsSince1970, std::string_view utf8Name)
{
    return "MFMT " + MfmtTimeText(secondsSince1970) + " " + std::string(utf8Name) + "\r\n";
}
