// The per-name queries: one fact about one remote name, from the most exact
// command the server offers down to parsing a LIST line.
#include <ctime>
#include <functional>
#include <initializer_list>
#include <optional>

#include "ftp/Login.h"
#include "ftp/PassiveData.h"
#include "ftp/RemoteEntryLines.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "ftp/RemoteTime.h"
#include "ftp/ReplyParsing.h"
#include "net/TextCodec.h"

namespace {

// The value of `fact` in the first MLSD line that lists fileName.
std::optional<std::string> FactOfListedName(const std::vector<std::string>& lines, std::string_view fileName,
                                            std::string_view fact)
{
    for (const std::string& line : lines) {
        if (MlsdLineName(line) != fileName)
            continue;
        if (std::optional<std::string> value = FactValue(line, fact))
            return value;
    }
    return std::nullopt;
}

// The value of `fact` in the first line of an MLST answer that has it.
std::optional<std::string> FactOfMlstReply(const std::vector<std::string>& lines, std::string_view fact)
{
    for (const std::string& line : lines) {
        if (std::optional<std::string> value = FactValue(line, fact))
            return value;
    }
    return std::nullopt;
}

// Lists the folder holding the name with MLSD.
NetResult ListParentWithMlsd(TaskContext& context, FtpSession& session, std::string_view utf8Name,
                             std::vector<std::string>& lines)
{
    std::string parent = ParentFolder(utf8Name);
    return ListOverData(context, session, parent.empty() ? CommandLine("MLSD") : CommandLine("MLSD", parent), lines);
}

// The first LIST line the parsers accept that `wanted` picks.
std::optional<ListingLine> FindListingLine(const std::vector<std::string>& lines,
                                           const std::function<bool(const ListingLine&)>& wanted)
{
    ListingClock today = LocalListingClock();
    for (const std::string& text : lines) {
        ListingLine line;
        if (ParseListingLine(text, line, today) && wanted(line))
            return line;
    }
    return std::nullopt;
}

// Asks SYST once per log-in. A Windows (IIS) server is put into its MS-DOS
// listing style: "site dirstyle" toggles the style, so a reply saying MS-DOS
// output is now off is answered with a second toggle.
NetResult PrepareNameListing(TaskContext& context, FtpSession& session)
{
    if (!session.Has(SystQueried)) {
        uint16_t code = 0;
        std::string text;
        NetResult result = SendCommand(context, session, "SYST\r\n", &text, &code);
        session.Set(SystQueried);
        if (result == NetResult::Cancelled)
            return result;
        if (code == 215 && EqualsIgnoreAsciiCase(text, "Windows_NT"))
            session.Set(SystWindows);
        if (code == 215 && StartsWithIgnoreAsciiCase(text, "UNIX Type: L8"))
            session.Set(SystUnix);
    }
    if (!session.Has(SystWindows))
        return NetResult::Ok;
    // "site dirstyle" toggles between MS-DOS and Unix output.
    std::string text;
    NetResult result = SendCommand(context, session, "site dirstyle\r\n", &text);
    if (result != NetResult::Cancelled && EqualsIgnoreAsciiCase(text, "MSDOS-like directory output is off"))
        result = SendCommand(context, session, "site dirstyle\r\n", &text);
    return result == NetResult::Cancelled ? result : NetResult::Ok;
}

// The LIST line of a path from a listing of the folder that holds it: its
// parent folder, or the current folder listed with the given command lines
// (the second only when the first gives no lines).
NetResult FindInFolderListing(TaskContext& context, FtpSession& session, std::string_view utf8Path,
                              std::initializer_list<std::string_view> currentFolderCommands,
                              std::optional<ListingLine>& found)
{
    found.reset();
    std::vector<std::string> lines;
    std::string parent = ParentFolder(utf8Path);
    NetResult result = NetResult::Ok;
    if (!parent.empty()) {
        result = ListOverData(context, session, CommandLine("LIST", parent), lines);
    } else {
        for (std::string_view command : currentFolderCommands) {
            result = ListOverData(context, session, command, lines);
            if (result == NetResult::Cancelled || !lines.empty())
                break;
        }
    }
    if (result == NetResult::Cancelled)
        return result;
    std::string_view fileName = FileNamePart(utf8Path);
    found = FindListingLine(lines, [&](const ListingLine& line) { return ListedNameIs(line, fileName); });
    return NetResult::Ok;
}

// Permissions, owner and group from the LIST line of a name.
NetResult ListedColumn(TaskContext& context, FtpSession& session, const std::wstring& name,
                       std::string ListingLine::*column, std::wstring& text)
{
    text.clear();
    QueryFeatures(context, session);
    std::optional<ListingLine> line;
    NetResult result = FindInFolderListing(context, session, WideToUtf8(name), {"LIST\r\n"}, line);
    if (line)
        text = Utf8ToWide((*line).*column);
    return result;
}

}  // namespace

NetResult GetRemoteModifiedTime(TaskContext& context, FtpSession& session, const std::wstring& name, int64_t& time)
{
    time = static_cast<int64_t>(std::time(nullptr));  // stands when no method finds the name
    if (context.IsCancelled())
        return NetResult::Cancelled;
    QueryFeatures(context, session);
    std::string utf8Name = WideToUtf8(name);

    if (session.Has(HasMdtm)) {
        std::string text;
        NetResult result = SendCommand(context, session, CommandLine("MDTM", utf8Name), &text);
        if (result == NetResult::Cancelled)
            return result;
        std::optional<int64_t> seconds = result == NetResult::Ok ? FactTimeToSeconds(text) : std::nullopt;
        if (seconds) {
            time = *seconds;
            return NetResult::Ok;
        }
    }
    if (session.Has(MlstModify)) {
        std::vector<std::string> lines;
        NetResult result = CollectReply(context, session, CommandLine("MLST", utf8Name), lines);
        if (result == NetResult::Cancelled)
            return result;
        std::optional<std::string> modify = FactOfMlstReply(lines, "modify");
        if (std::optional<int64_t> seconds = modify ? FactTimeToSeconds(*modify) : std::nullopt) {
            time = *seconds;
            return NetResult::Ok;
        }
    }
    if (session.Has(HasMlsd)) {
        std::vector<std::string> lines;
        NetResult result = ListParentWithMlsd(context, session, utf8Name, lines);
        if (result == NetResult::Cancelled)
            return result;
        std::optional<std::string> modify = FactOfListedName(lines, FileNamePart(utf8Name), "modify");
        if (std::optional<int64_t> seconds = modify ? FactTimeToSeconds(*modify) : std::nullopt) {
            time = *seconds;
            return NetResult::Ok;
        }
    }

    NetResult result = PrepareNameListing(context, session);
    if (result == NetResult::Cancelled)
        return result;
    std::vector<std::string> lines;
    std::string pattern = session.Has(SystUnix) ? utf8Name : utf8Name + "*";
    result = ListOverData(context, session, CommandLine("LIST", pattern), lines);
    if (result == NetResult::Cancelled)
        return result;
    std::optional<ListingLine> line =
        FindListingLine(lines, [&](const ListingLine& candidate) { return ListedNameIs(candidate, utf8Name); });
    if (!line)
        return NetResult::Ok;
    if (!line->hasDate)
        return NetResult::Failed;
    if (std::optional<int64_t> seconds =
            LocalTimeToSeconds({line->year, line->month, line->day, line->hour, line->minute, 0}))
        time = *seconds;
    return NetResult::Ok;
}

NetResult GetRemoteSize(TaskContext& context, FtpSession& session, const std::wstring& name, uint64_t& size)
{
    size = 0;
    if (context.IsCancelled())
        return NetResult::Cancelled;
    QueryFeatures(context, session);
    std::string utf8Name = WideToUtf8(name);
    std::optional<uint64_t> found;

    if (session.Has(MlstSize)) {
        std::vector<std::string> lines;
        NetResult result = CollectReply(context, session, CommandLine("MLST", utf8Name), lines);
        if (result == NetResult::Cancelled)
            return result;
        if (result != NetResult::Ok) {
            for (const std::string& line : lines) {
                if (line.rfind("550 ", 0) == 0)
                    return NetResult::Ok;  // no such file: nothing of it is there yet
            }
        }
        std::optional<std::string> value = FactOfMlstReply(lines, "size");
        if (!value)
            value = FactOfMlstReply(lines, "sizd");
        if (value)
            found = ParseSize(*value);
    }
    if (!found && session.Has(HasSize)) {
        uint16_t code = 0;
        NetResult result = SetTransferType(context, session, 'I', &code);
        if (result == NetResult::Cancelled)
            return result;
        if (code == 200) {
            std::string text;
            code = 0;
            result = SendCommand(context, session, CommandLine("SIZE", utf8Name), &text, &code);
            if (result == NetResult::Cancelled)
                return result;
            if (code == 213)
                found = ParseSize(text);
            // A server that announced SIZE refuses it for a name that is no
            // file: a listing would only say the same at the price of a data
            // connection.
            if (code == 550 && session.Has(FeatQueried))
                return NetResult::Ok;
        }
    }
    if (!found && session.Has(HasMlsd)) {
        std::vector<std::string> lines;
        NetResult result = ListParentWithMlsd(context, session, utf8Name, lines);
        if (result == NetResult::Cancelled)
            return result;
        if (std::optional<std::string> value = FactOfListedName(lines, FileNamePart(utf8Name), "size"))
            found = ParseSize(*value);
    }
    if (!found) {
        std::vector<std::string> lines;
        NetResult result = ListOverData(context, session, CommandLine("LIST", utf8Name), lines);
        if (result == NetResult::Cancelled)
            return result;
        std::optional<ListingLine> line = FindListingLine(lines, [&](const ListingLine& candidate) {
            return MatchesWildcard(utf8Name, candidate.name) || MatchesWildcard(FileNamePart(utf8Name), candidate.name);
        });
        if (line)
            found = line->size;
    }
    if (!found)
        return NetResult::Failed;
    size = *found;
    return NetResult::Ok;
}

NetResult GetRemoteKind(TaskContext& context, FtpSession& session, const std::wstring& path, RemoteKind& kind)
{
    kind = RemoteKind::Unknown;
    if (path.empty())
        return NetResult::Failed;
    if (context.IsCancelled())
        return NetResult::Cancelled;
    QueryFeatures(context, session);
    std::string utf8Path = WideToUtf8(path);

    if (session.Has(MlstType) && !session.Has(MlstFailed)) {
        std::vector<std::string> lines;
        NetResult result = CollectReply(context, session, CommandLine("MLST", utf8Path), lines);
        if (result == NetResult::Cancelled)
            return result;
        if (result != NetResult::Ok || lines.empty())
            session.Set(MlstFailed);
        else if (std::optional<std::string> type = FactOfMlstReply(lines, "type"))
            kind = KindOfTypeFact(*type);
    }
    if (kind == RemoteKind::Unknown && session.Has(HasMlsd) && !session.Has(MlsdFailed)) {
        std::vector<std::string> lines;
        NetResult result = ListOverData(context, session, CommandLine("MLSD", utf8Path), lines);
        if (result == NetResult::Cancelled)
            return result;
        if (result == NetResult::Ok)
            kind = RemoteKind::Folder;
        else
            session.Set(MlsdFailed);
    }
    if (kind == RemoteKind::Unknown && !context.IsCancelled()) {
        std::optional<ListingLine> line;
        NetResult result = FindInFolderListing(context, session, utf8Path, {"LIST .\r\n", "LIST \r\n"}, line);
        if (result == NetResult::Cancelled)
            return result;
        if (line)
            kind = line->isLink ? RemoteKind::Link : line->isFolder ? RemoteKind::Folder : RemoteKind::File;
    }
    return kind == RemoteKind::Unknown ? NetResult::Failed : NetResult::Ok;
}

NetResult GetRemotePermissions(TaskContext& context, FtpSession& session, const std::wstring& name,
                               std::wstring& text)
{
    text.clear();
    QueryFeatures(context, session);
    if (session.Has(HasMlsd)) {
        std::vector<std::string> lines;
        std::string utf8Name = WideToUtf8(name);
        NetResult result = ListParentWithMlsd(context, session, utf8Name, lines);
        if (result == NetResult::Cancelled)
            return result;
        if (std::optional<std::string> mode = FactOfListedName(lines, FileNamePart(utf8Name), "mode")) {
            text = Utf8ToWide(*mode);
            return NetResult::Ok;
        }
    }
    return ListedColumn(context, session, name, &ListingLine::permissions, text);
}

NetResult GetRemoteOwner(TaskContext& context, FtpSession& session, const std::wstring& name, std::wstring& text)
{
    return ListedColumn(context, session, name, &ListingLine::owner, text);
}

NetResult GetRemoteGroup(TaskContext& context, FtpSession& session, const std::wstring& name, std::wstring& text)
{
    return ListedColumn(context, session, name, &ListingLine::group, text);
}
