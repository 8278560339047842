#include "ftp/RemoteListing.h"

#include "ftp/Login.h"
#include "ftp/PassiveData.h"
#include "ftp/RemoteEntryLines.h"

namespace {

bool IsPreliminary(uint16_t code)
{
    return code >= 100 && code <= 199;
}

// Sends a listing command on the open data connection and reads its first
// reply. `started` tells whether the server is about to send the listing; a
// refusal is Ok, only a broken or cancelled exchange is not.
NetResult StartListing(TaskContext& context, FtpSession& session, std::string_view commandLine, SecureSocket& data,
                       bool& started)
{
    uint16_t code = 0;
    std::string text;
    NetResult result = SendCommand(context, session, commandLine, &text, &code);
    started = IsPreliminary(code);
    if (result == NetResult::Cancelled || (result == NetResult::Failed && code == 0))
        return result;
    // After the preliminary reply: servers that handshake only once they have
    // the command would otherwise never answer.
    if (started && !SecureDataIfNeeded(session, data))
        return AbandonUnsecuredListing(session, data);
    return NetResult::Ok;
}

void AddEntries(const std::vector<std::string>& lines, bool mlsd, const ListingClock& today, RemoteListing& listing)
{
    for (const std::string& line : lines) {
        if (mlsd) {
            listing.entries.push_back(MlsdLineToEntry(line));
            continue;
        }
        RemoteEntry entry;
        if (ListLineToEntry(line, today, entry))
            listing.entries.push_back(std::move(entry));
    }
}

NetResult ListOnDataConnection(TaskContext& context, FtpSession& session, RemoteListing& listing, SecureSocket& data)
{
    bool mlsd = false;
    bool started = false;
    NetResult result = NetResult::Ok;
    if (session.Has(HasMlsd) && !session.Has(MlsdFailed)) {
        result = SendCommand(context, session, "TYPE A\r\n");
        if (result == NetResult::Ok)
            result = StartListing(context, session, "MLSD\r\n", data, mlsd);
        started = mlsd;
    }
    if (result == NetResult::Ok && !started)
        result = StartListing(context, session, "LIST\r\n", data, started);
    if (result != NetResult::Ok || !started)
        return result;  // a refused listing is an empty one

    // Each block is parsed as it arrives: a large folder's lines are parsed
    // while the server is still writing the rest of them.
    ListingClock today = LocalListingClock();
    ReadDataLines(context, data, session.timeouts.folderListing,
                  [&](std::vector<std::string>& lines) { AddEntries(lines, mlsd, today, listing); });
    data.Close();
    // A listing the server aborted (426, 451) is incomplete; what arrived is kept.
    return ReadFinalDataReply(context, session);
}

}  // namespace

void RemoteListing::Clear()
{
    *this = RemoteListing();
}

RemoteEntry* RemoteListing::Current()
{
    return cursor < entries.size() ? &entries[cursor] : nullptr;
}

bool RemoteListing::Next()
{
    if (cursor < entries.size())
        ++cursor;
    return cursor < entries.size();
}

NetResult ListRemoteFolder(TaskContext& context, FtpSession& session, RemoteListing& listing)
{
    listing.Clear();
    NetResult result = QueryFeatures(context, session);
    if (result == NetResult::Ok && session.Has(HasUtf8))
        SendLoggedCommand(context, session, "OPTS UTF8 ON\r\n");
    if (result == NetResult::Ok)
        result = ProtectDataChannel(context, session);
    if (result == NetResult::Ok)
        result = SendCommand(context, session, "TYPE A\r\n");
    std::wstring endpoint;
    if (result == NetResult::Ok)
        result = OpenPassive(context, session, endpoint);
    SecureSocket data;
    if (result == NetResult::Ok) {
        result = ConnectData(context, session, endpoint, data);
        listing.dataConnectionFailed = result == NetResult::Failed;
    }
    if (result == NetResult::Ok)
        result = ListOnDataConnection(context, session, listing, data);
    if (context.IsCancelled() && result == NetResult::Ok)
        result = NetResult::Cancelled;  // the data stopped early
    listing.count = listing.entries.size();
    listing.cursor = 0;
    listing.cancelled = result == NetResult::Cancelled;
    listing.succeeded = result == NetResult::Ok;
    return result;
}

bool FindRemoteEntry(TaskContext& context, FtpSession& session, const std::wstring& name)
{
    if (name.empty())
        return false;
    RemoteListing listing;
    ListRemoteFolder(context, session, listing);
    for (const RemoteEntry& entry : listing.entries) {
        if (context.IsCancelled())
            return false;
        if (entry.name == name)
            return true;
    }
    return false;
}
