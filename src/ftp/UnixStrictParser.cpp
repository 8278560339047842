#include "ftp/ListingLineParsers.h"
#include "ftp/ListingNumbers.h"
#include "ftp/ListingTokens.h"
#include "ftp/MonthNames.h"

namespace {

// "HH:MM" in the year column: a file of the last six months.
bool ReadTimeOfDay(std::string_view token, ListingLine& out)
{
    if (token.size() < 3 || token[2] != ':')
        return false;
    return SetTimeOfDay(LeadingNumber(token.substr(0, 2)), LeadingNumber(token.substr(3)), out);
}

}  // namespace

bool ParseUnixStrict(std::string_view line, ListingLine& out, const ListingClock& today)
{
    out = {};
    ListingTokens tokens(line, ListingTokens::Separators::SpaceAndControls);
    std::string_view permissions = tokens[0];
    if (!StartsLikeUnixPermissions(permissions) || !IsAllDigits(tokens[1]))
        return false;
    out.permissions = permissions;
    out.isLink = permissions[0] == 'l';
    out.isFolder = permissions[0] == 'd';
    out.owner = tokens[2];
    out.group = tokens[3];
    if (!IsAllDigits(tokens[4]))
        return false;
    out.size = ReadSizeNumber(tokens[4]);

    if (IsAllDigits(tokens[5]))
        return false;
    out.month = MonthFromName(tokens[5]);
    if (out.month == 0)
        return false;
    std::string_view day = tokens[6];
    out.day = LeadingNumber(day);
    if (!IsAllDigits(day) || out.day < 1 || out.day > 31)
        return false;
    out.hasDate = true;

    std::string_view yearOrTime = tokens[7];
    if (yearOrTime.size() == 4) {
        if (!IsAllDigits(yearOrTime))
            return false;
        out.year = LeadingNumber(yearOrTime);
    } else {
        if (!ReadTimeOfDay(yearOrTime, out))
            return false;
        out.year = InferListingYear(out.month, out.day, today);
    }

    out.name = tokens.RestFrom(8);
    return !out.name.empty();
}
