#include <algorithm>
#include <string>
#include <utility>

#include "ftp/ListingLineParsers.h"
#include "ftp/ListingNumbers.h"
#include "ftp/ListingTokens.h"
#include "ftp/MonthNames.h"
#include "net/TextCodec.h"

namespace {

constexpr size_t kNoToken = static_cast<size_t>(-1);

// "5日", "1월": the digits of a number written with a double-byte suffix, or
// empty when the token is not one.
std::string_view DigitsBeforeHighByte(std::string_view token)
{
    size_t digits = 0;
    while (digits < token.size() && IsDigit(token[digits]))
        ++digits;
    bool suffixed = digits > 0 && digits < token.size() && static_cast<unsigned char>(token[digits]) >= 0x80;
    return suffixed ? token.substr(0, digits) : std::string_view();
}

bool IsSizeText(std::string_view token)
{
    uint64_t ignored = 0;
    return ParseSizeText(token, ignored);
}

// A size glued to the end of a group word when the columns ran together:
// "staff12345" is "staff" and 12345.
bool SplitGluedSize(std::string_view word, std::string_view& prefix, uint64_t& size)
{
    size_t start = word.size();
    while (start > 0 && IsDigit(word[start - 1]))
        --start;
    if (start == word.size())
        return false;
    prefix = word.substr(0, start);
    size = ReadSizeNumber(word.substr(start));
    return true;
}

// Permissions that end in a service name come with a word, not a number, in
// the link-count column.
bool EndsWithServiceName(std::string_view permissions)
{
    if (permissions.size() <= 3)
        return false;
    std::string_view tail = permissions.substr(permissions.size() - 3);
    return tail == "FTP" || tail == "FTS" || tail == "TCP" || tail == "SSH";
}

// "12:30", "12.30", "12-30": digits, a separator, digits.
bool ReadClockTime(std::string_view token, int32_t& hour, int32_t& minute)
{
    size_t separator = token.find_first_of(":.-");
    if (separator == std::string_view::npos || !IsDigit(token[0]) ||
        separator + 1 >= token.size() || !IsDigit(token[separator + 1]))
        return false;
    hour = LeadingNumber(token);
    minute = LeadingNumber(token.substr(separator + 1));
    return true;
}

bool IsHourMinute(std::string_view token)
{
    return token.size() == 5 && IsDigit(token[0]) && IsDigit(token[1]) && token[2] == ':' &&
           IsDigit(token[3]) && IsDigit(token[4]);
}

struct DateTokens {
    std::string_view month;
    std::string_view day;
    int32_t year = 0;
    bool yearFollows = false;  // "Jan 5, 2020": the day ended in a comma
};

// "2020-05-03", "03-05-2020", "12/25/2020": a middle part above 12 is the day.
bool SplitNumericDate(std::string_view date, char separator, DateTokens& parts)
{
    size_t first = date.find(separator);
    size_t second = date.find(separator, first + 1);
    std::string_view a = date.substr(0, first);
    std::string_view b = date.substr(first + 1, second - first - 1);
    std::string_view c = date.substr(second + 1);
    bool middleIsDay = LeadingNumber(b) > 12;
    if (a.size() == 4) {
        parts.year = LeadingNumber(a);
        parts.month = middleIsDay ? c : b;
        parts.day = middleIsDay ? b : c;
        return true;
    }
    if (a.empty() || (separator == '/' && a.size() != 2))
        return false;
    parts.year = LeadingNumber(c);
    parts.month = middleIsDay ? a : b;
    parts.day = middleIsDay ? b : a;
    return true;
}

// Reads the columns of an ls -l line that does not keep to nine columns.
class LooseReader {
public:
    LooseReader(std::string_view line, ListingLine& out, const ListingClock& today)
        : tokens_(line, ListingTokens::Separators::Blanks), out_(out), today_(today)
    {
    }

    bool Read()
    {
        size_t dateIndex = 0;
        if (!ReadPermissions() || !ReadSize(dateIndex))
            return false;
        out_.group = group_.substr(0, kMaxTextUnits);
        return ReadDateAndName(dateIndex);
    }

private:
    void AddGroupWord(std::string_view word)
    {
        if (word.empty())
            return;
        if (!group_.empty())
            group_ += ' ';
        group_ += word;
    }

    // Words [from, to) join the group text in line order, the word at
    // `replaced` as `replacement` (nothing when that is empty).
    void AddGroupWords(size_t from, size_t to, size_t replaced, std::string_view replacement)
    {
        for (size_t i = from; i < to; ++i)
            AddGroupWord(i == replaced ? replacement : tokens_[i]);
    }

    // Permissions, link count and owner, and the first group word.
    bool ReadPermissions()
    {
        std::string_view permissions = tokens_[next_++];
        if (!StartsLikeUnixPermissions(permissions))
            return false;
        out_.isFolder = permissions[0] == 'd';
        out_.isLink = permissions[0] == 'l';
        out_.permissions = permissions;
        if (permissions.size() == 1) {
            // NetWare: "d [RWCEAFMS]" with no link count.
            out_.permissions += ' ';
            out_.permissions += tokens_[next_++];
        } else {
            ReadLinkCountAndOwner();
        }
        AddGroupWord(tokens_[next_++]);
        return true;
    }

    void ReadLinkCountAndOwner()
    {
        std::string_view word = tokens_[next_++];
        if (word == "folder" && out_.isFolder) {
            folderWord_ = true;  // NetPresenz: "drwxrwxr-x  folder  2 May 10 1996 name"
            return;
        }
        bool linkCount = IsAllDigits(word);
        if (!linkCount) {
            AddGroupWord(word);
            linkCount = EndsWithServiceName(out_.permissions);
        }
        // A numeric owner stays the owner; a name joins the group text.
        if (linkCount && IsAllDigits(tokens_[next_]))
            out_.owner = tokens_[next_++];
    }

    // Finds the size among the words after the first group word; the words
    // before it are more owner and group words.
    bool ReadSize(size_t& dateIndex)
    {
        size_t first = next_;
        std::string_view a = tokens_[first];
        if (a.empty())
            return false;
        if (a.size() == 3 && !IsAllDigits(a) && MonthFromName(a) != 0) {
            // A month name already: the last group word was the size. Other
            // three-letter words ("ftp", "www") are group names.
            out_.size = ReadSizeNumber(group_);
            dateIndex = first;
            return true;
        }

        // A is the size candidate, B the word after it; words between them
        // belong to the group. A word ending in a digit may be a group word
        // with the size glued to it, so it becomes the candidate.
        size_t candidate = first;
        size_t after = first + 1;
        while (!IsSizeText(tokens_[after]) && !IsAllDigits(tokens_[candidate]) &&
               !EndsInDigit(tokens_[candidate])) {
            if (tokens_[after + 1].empty())
                return false;
            if (EndsInDigit(tokens_[after]))
                candidate = after;
            ++after;
        }

        std::string_view candidateWord = tokens_[candidate];
        std::string_view afterWord = tokens_[after];
        std::string_view prefix;
        uint64_t size = 0;
        if (ParseSizeText(afterWord, size)) {
            AddGroupWords(first, after, kNoToken, {});
            dateIndex = after + 1;
        } else if (ParseSizeText(candidateWord, size)) {
            AddGroupWords(first, after, candidate, {});
            if (folderWord_ && !group_.empty())
                group_ = "folder " + group_;
            dateIndex = after;
        } else if (SplitGluedSize(afterWord, prefix, size)) {
            AddGroupWords(first, after, kNoToken, {});
            AddGroupWord(prefix);
            dateIndex = after + 1;
        } else if (SplitGluedSize(candidateWord, prefix, size)) {
            AddGroupWords(first, after, candidate, prefix);
            dateIndex = after;
        } else {
            return false;
        }
        out_.size = size;
        return true;
    }

    bool SplitDate(size_t& index, DateTokens& parts)
    {
        std::string_view date = tokens_[index++];
        auto dashes = std::count(date.begin(), date.end(), '-');
        auto slashes = std::count(date.begin(), date.end(), '/');
        if ((dashes == 2 && slashes == 0) || (slashes == 2 && dashes == 0))
            return SplitNumericDate(date, dashes ? '-' : '/', parts);
        if (dashes + slashes == 1) {
            size_t separator = date.find_first_of("-/");
            parts.month = date.substr(0, separator);
            parts.day = date.substr(separator + 1);
            return true;
        }
        if (dashes + slashes != 0 || date.empty())
            return false;
        // Month and day as two words: "Jan 5", "5 Jan", "Jan 5," before a year.
        std::string_view day = tokens_[index++];
        if (day.empty())
            return false;
        parts.yearFollows = day.back() == ',';
        day = TrimTrailing(day, ".,");
        if (std::string_view digits = DigitsBeforeHighByte(day); !digits.empty())
            day = digits;
        parts.month = date;
        parts.day = day;
        return true;
    }

    bool ResolveMonthAndDay(DateTokens& parts, bool& yearFirst)
    {
        if (IsAllDigits(parts.month) && LeadingNumber(parts.month) > 1000) {
            // "2020 05 03": year, month, and the day still to come.
            out_.year = LeadingNumber(parts.month);
            out_.month = LeadingNumber(parts.day);
            yearFirst = true;
            return out_.month >= 1 && out_.month <= 12;
        }
        out_.month = MonthFromName(parts.month);
        if (out_.month == 0) {
            // "1月" in a code page the table does not hold.
            int32_t number = LeadingNumber(DigitsBeforeHighByte(parts.month));
            if (number < 1 || number > 12)
                return false;
            out_.month = number;
        }
        out_.day = LeadingNumber(parts.day);
        out_.year = parts.year;
        return out_.day >= 1 && out_.day <= 31;
    }

    bool ReadDateAndName(size_t index)
    {
        DateTokens parts;
        if (!SplitDate(index, parts))
            return false;
        if (!IsAllDigits(parts.day)) {
            std::swap(parts.month, parts.day);
            parts.yearFollows = false;
        }
        std::string_view timeOrYear = tokens_[index];
        parts.month = TrimTrailing(parts.month, ".,");
        if (timeOrYear.empty() || parts.month.empty())
            return false;
        bool yearFirst = false;
        if (!ResolveMonthAndDay(parts, yearFirst))
            return false;

        int32_t hour = 0;
        int32_t minute = 0;
        if (ReadClockTime(timeOrYear, hour, minute)) {
            // With the year first the day is missing, not a time.
            if (yearFirst || !SetTimeOfDay(hour, minute, out_))
                return false;
            if (out_.year == 0)
                out_.year = InferListingYear(out_.month, out_.day, today_);
            ++index;
        } else if (yearFirst) {
            out_.day = LeadingNumber(timeOrYear);
            if (out_.day < 1 || out_.day > 31)
                return false;
            ++index;
        } else if (out_.year == 0) {
            out_.year = LeadingNumber(timeOrYear);
            ++index;
        }
        // Otherwise the year came with the date and this word starts the name.
        if (out_.year == 0)
            return false;

        std::string_view time = tokens_[index];
        if (parts.yearFollows && IsHourMinute(time) &&
            SetTimeOfDay(LeadingNumber(time), LeadingNumber(time.substr(3)), out_))
            ++index;

        // ls -F marks and stray line ends are not part of the name.
        std::string_view name = TrimTrailing(tokens_.RestFrom(index), "*/|\r\n");
        if (name.empty())
            return false;
        out_.name = name;
        out_.hasDate = true;
        return true;
    }

    ListingTokens tokens_;
    ListingLine& out_;
    const ListingClock& today_;
    size_t next_ = 0;
    std::string group_;
    bool folderWord_ = false;
};

}  // namespace

bool ParseUnixLoose(std::string_view line, ListingLine& out, const ListingClock& today)
{
    out = {};
    return LooseReader(line, out, today).Read();
}
