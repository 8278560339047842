#include "ftp/RemoteTime.h"

#include <ctime>

namespace {

bool InRange(const CalendarTime& t)
{
    return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour >= 0 && t.hour <= 23 &&
           t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 60;
}

// Days from 1970-01-01 to the given proleptic Gregorian date.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Reads `count` decimal digits at `at`.
std::optional<int32_t> Digits(std::string_view text, size_t at, size_t count)
{
    if (text.size() < at + count)
        return std::nullopt;
    int32_t value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

int32_t FullYear(int32_t year)
{
    if (year < 0)
        return year;
    if (year < 70)
        return 2000 + year;
    if (year < 1000)
        return 1900 + year;
    return year;
}

std::optional<int64_t> LocalTimeToSeconds(const CalendarTime& time)
{
    if (!InRange(time))
        return std::nullopt;
    std::tm fields{};
    fields.tm_year = FullYear(time.year) - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    fields.tm_isdst = -1;
    std::time_t seconds = std::mktime(&fields);
    if (seconds == static_cast<std::time_t>(-1))
        return std::nullopt;
    return static_cast<int64_t>(seconds);
}

std::optional<int64_t> UtcTimeToSeconds(const CalendarTime& time)
{
    if (!InRange(time))
        return std::nullopt;
    int64_t days = DaysFromCivil(FullYear(time.year), time.month, time.day);
    return days * 86400 + time.hour * 3600 + time.minute * 60 + time.second;
}

CalendarTime SecondsToUtcTime(int64_t seconds)
{
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Inverse of DaysFromCivil.
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    CalendarTime out;
    out.day = static_cast<int32_t>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    out.month = static_cast<int32_t>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    out.year = static_cast<int32_t>(yearOfEra + era * 400 + (out.month <= 2));
    out.hour = static_cast<int32_t>(rest / 3600);
    out.minute = static_cast<int32_t>(rest / 60 % 60);
    out.second = static_cast<int32_t>(rest % 60);
    return out;
}

std::optional<CalendarTime> ParseFactTime(std::string_view text)
{
    std::optional<int32_t> year = Digits(text, 0, 4), month = Digits(text, 4, 2), day = Digits(text, 6, 2),
                           hour = Digits(text, 8, 2), minute = Digits(text, 10, 2), second = Digits(text, 12, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    CalendarTime time{*year, *month, *day, *hour, *minute, *second};
    if (!InRange(time))
        return std::nullopt;
    return time;
}
