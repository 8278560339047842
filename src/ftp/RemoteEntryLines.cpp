#include "ftp/RemoteEntryLines.h"

#include <algorithm>

#include "ftp/RemoteTime.h"
#include "net/TextCodec.h"

namespace {

std::string_view FactsPart(std::string_view line)
{
    size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    line.remove_prefix(start);
    return line.substr(0, line.find(' '));
}

}  // namespace

std::optional<std::string> FactValue(std::string_view line, std::string_view fact)
{
    std::string facts = AsciiLower(FactsPart(line));
    std::string_view rest = facts;
    while (!rest.empty()) {
        std::string_view one = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), one.size() + 1));
        size_t equals = one.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string_view name = one.substr(0, equals);
        bool namespaced = name.size() > fact.size() && name[name.size() - fact.size() - 1] == '.';
        if (name.size() >= fact.size() && name.substr(name.size() - fact.size()) == fact &&
            (name.size() == fact.size() || namespaced))
            return std::string(one.substr(equals + 1));
    }
    return std::nullopt;
}

RemoteKind KindOfTypeFact(std::string_view value)
{
    if (value.rfind("file", 0) == 0)
        return RemoteKind::File;
    size_t equals = value.find('=');
    if (value.rfind("os.", 0) == 0 && equals != std::string_view::npos && value.substr(equals + 1).rfind("slink", 0) == 0)
        return RemoteKind::Link;
    return RemoteKind::Folder;
}

std::string_view MlsdLineName(std::string_view line)
{
    size_t space = line.find(' ');
    if (space == std::string_view::npos)
        return line;
    size_t start = line.find_first_not_of(' ', space);
    return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

std::optional<int64_t> FactTimeToSeconds(std::string_view text)
{
    std::optional<CalendarTime> time = ParseFactTime(text);
    if (!time)
        return std::nullopt;
    return UtcTimeToSeconds(*time);
}

std::optional<uint64_t> ParseSize(std::string_view text)
{
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return std::nullopt;
    uint64_t size = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        uint64_t digit = static_cast<uint64_t>(c - '0');
        if (size > (UINT64_MAX - digit) / 10)
            return std::nullopt;
        size = size * 10 + digit;
    }
    return size;
}

RemoteEntry MlsdLineToEntry(std::string_view line)
{
    RemoteEntry entry;
    entry.name = CutText(Utf8ToWide(CutUtf8(MlsdLineName(line))));
    if (std::optional<std::string> modify = FactValue(line, "modify")) {
        if (std::optional<int64_t> seconds = FactTimeToSeconds(*modify)) {
            entry.modified = *seconds;
            entry.hasModified = true;
        }
    }
    if (std::optional<std::string> type = FactValue(line, "type")) {
        // The current and parent folder entries may be named by full path;
        // anything walking the tree would otherwise enter them again.
        if (*type == "cdir")
            entry.name = L".";
        if (*type == "pdir")
            entry.name = L"..";
        RemoteKind kind = KindOfTypeFact(*type);
        entry.isFolder = kind != RemoteKind::File;
        entry.isLink = kind == RemoteKind::Link;
        entry.hasKind = true;
    }
    if (std::optional<std::string> size = FactValue(line, "size")) {
        if (std::optional<uint64_t> value = ParseSize(*size)) {
            entry.size = *value;
            entry.hasSize = true;
        }
    }
    entry.permissions = Utf8ToWide(FactValue(line, "mode").value_or(std::string()));
    entry.hasPermissions = true;
    entry.hasOwner = true;
    entry.hasGroup = true;
    return entry;
}

bool ListLineToEntry(std::string_view line, const ListingClock& today, RemoteEntry& entry)
{
    ListingLine parsed;
    if (!ParseListingLine(line, parsed, today))
        return false;
    entry = RemoteEntry();
    entry.name = Utf8ToWide(parsed.name);
    if (entry.name.size() > kMaxTextUnits)
        entry.name = CutText(entry.name);
    entry.owner = Utf8ToWide(parsed.owner);
    entry.group = Utf8ToWide(parsed.group);
    entry.permissions = Utf8ToWide(parsed.permissions);
    entry.hasPermissions = entry.hasOwner = entry.hasGroup = true;
    entry.isFolder = parsed.isFolder;
    entry.isLink = parsed.isLink;
    entry.hasKind = true;
    entry.size = parsed.size;
    entry.hasSize = true;
    if (parsed.hasDate) {
        CalendarTime time{parsed.year, parsed.month, parsed.day, parsed.hour, parsed.minute, 0};
        if (std::optional<int64_t> seconds = LocalTimeToSeconds(time)) {
            entry.modified = *seconds;
            entry.hasModified = true;
        }
    }
    return true;
}
