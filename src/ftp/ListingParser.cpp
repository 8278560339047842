#include "ftp/ListingParser.h"

#include <ctime>

#include "ftp/ListingLineParsers.h"

ListingClock LocalListingClock()
{
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local)
        return {};
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

int32_t InferListingYear(int32_t month, int32_t day, const ListingClock& today)
{
    bool afterToday = month > today.month || (month == today.month && day > today.day);
    return afterToday ? today.year - 1 : today.year;
}

bool ParseListingLine(std::string_view line, ListingLine& out, const ListingClock& today)
{
    if (ParseUnixStrict(line, out, today) || ParseUnixLoose(line, out, today) || ParseDosLine(line, out))
        return true;
    out = {};
    return false;
}

bool ParseListingLine(std::string_view line, ListingLine& out)
{
    return ParseListingLine(line, out, LocalListingClock());
}

bool SetTimeOfDay(int32_t hour, int32_t minute, ListingLine& out)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return false;
    out.hour = hour;
    out.minute = minute;
    out.hasTime = true;
    return true;
}
