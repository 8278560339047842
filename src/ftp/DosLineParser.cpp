#include <string>

#include "ftp/ListingLineParsers.h"
#include "ftp/ListingNumbers.h"
#include "ftp/ListingTokens.h"
#include "ftp/MonthNames.h"
#include "ftp/RemoteTime.h"

namespace {

bool InRange(int32_t value, int32_t low, int32_t high)
{
    return value >= low && value <= high;
}

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "01-16-02", "16.01.2002", "2002-01-16", "Jan-16-2002".
bool ReadDate(std::string_view token, ListingLine& out)
{
    size_t firstEnd = token.find_first_of("-./");
    std::string_view first = token.substr(0, firstEnd);
    if (first.empty() || firstEnd == std::string_view::npos)
        return false;
    char separator = token[firstEnd];
    std::string_view rest = token.substr(firstEnd + 1);
    size_t secondEnd = rest.find_first_of("-./");
    std::string_view second = rest.substr(0, secondEnd);
    std::string_view third = secondEnd == std::string_view::npos ? std::string_view() : rest.substr(secondEnd + 1);
    // Every form has three parts, and the third is a number.
    if (third.empty() || !IsDigit(third[0]))
        return false;
    int32_t firstNumber = LeadingNumber(first);
    int32_t secondNumber = LeadingNumber(second);
    int32_t thirdNumber = LeadingNumber(third);

    out.year = FullYear(thirdNumber);
    if (!IsAllDigits(first)) {
        out.month = MonthFromName(first);
        out.day = secondNumber;
    } else if (first.size() == 4) {
        // Year first; the third part is the day.
        if (firstNumber < 1900)
            return false;
        out.year = firstNumber;
        out.month = secondNumber;
        out.day = thirdNumber;
    } else if (first.size() > 2 || firstNumber == 0) {
        return false;
    } else if (separator == '.' || firstNumber > 12) {
        out.day = firstNumber;
        out.month = secondNumber;
    } else {
        out.month = firstNumber;
        out.day = secondNumber;
    }
    return InRange(out.month, 1, 12) && InRange(out.day, 1, 31);
}

// "11:14AM", "03:19PM", "23:05".
bool ReadTime(std::string_view token, ListingLine& out)
{
    size_t i = 0;
    int32_t hour = 0;
    while (i < token.size() && i < 2 && IsDigit(token[i]))
        hour = hour * 10 + (token[i++] - '0');
    if (i == 0 || hour > 24 || i + 1 >= token.size() || token[i] != ':')
        return false;
    size_t minuteStart = ++i;
    int32_t minute = 0;
    while (i < token.size() && i < minuteStart + 2 && IsDigit(token[i]))
        minute = minute * 10 + (token[i++] - '0');
    if (i == minuteStart || minute >= 60)
        return false;
    if (i < token.size() && IsAsciiLetter(token[i])) {
        bool pm = token[i] == 'P' || token[i] == 'p';
        if (pm && hour < 12)
            hour += 12;
        else if (!pm && hour == 12)
            hour = 0;
    }
    out.hour = hour;
    out.minute = minute;
    out.hasTime = true;
    return true;
}

}  // namespace

bool ParseDosLine(std::string_view line, ListingLine& out)
{
    out = {};
    ListingTokens tokens(line, ListingTokens::Separators::Blanks);
    std::string_view date = tokens[0];
    if (date.empty() || StartsLikeUnixPermissions(date) || IsAllDigits(date) || !ReadDate(date, out))
        return false;
    out.hasDate = true;
    if (!ReadTime(tokens[1], out))
        return false;

    std::string_view size = tokens[2];
    if (size == "<DIR>") {
        out.isFolder = true;
    } else {
        if (size.empty())
            return false;
        std::string digits(size);
        std::erase(digits, ',');
        out.size = ReadSizeNumber(digits);
    }

    out.name = TrimTrailing(tokens.RestFrom(3), "\r\n");
    return !out.name.empty();
}
