#include "ops/SyncWalk.h"

#include <windows.h>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "ftp/WalkGuard.h"
#include "net/Log.h"
#include "ops/JobSteps.h"
#include "ops/LocalNames.h"
#include "ops/PathContainment.h"

namespace {

constexpr int kAttempts = 3;

int64_t FileTimeSeconds(const FILETIME& time)
{
    uint64_t units = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<int64_t>(units / 10000000ull) - 11644473600ll;
}

// The folder's files and folders; links and junctions are passed over, as the
// upload does.
std::vector<SyncEntry> LocalEntries(const std::wstring& folder)
{
    std::vector<SyncEntry> entries;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L".." || (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        SyncEntry entry;
        entry.name = name;
        entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry.modified = {FileTimeSeconds(data.ftLastWriteTime), TimePrecision::Second};
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

// MLSD gives seconds. A LIST line gives the minute, or for older files only
// the day, which the parser leaves at midnight.
TimePrecision ListedPrecision(const FtpSession& session, const RemoteEntry& entry)
{
    if (!entry.hasModified)
        return TimePrecision::Unknown;
    if (session.Has(HasMlsd) && !session.Has(MlsdFailed))
        return TimePrecision::Second;
    return entry.modified % 86400 == 0 ? TimePrecision::Day : TimePrecision::Minute;
}

bool SameLocalName(std::wstring_view a, std::wstring_view b)
{
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

class SyncWalker {
public:
    SyncWalker(TaskContext& context, Connection& connection, const std::wstring& localRoot,
               const RemoteNameRules& rules, SyncPlan& plan, const std::wstring& rootPath)
        : context_(context), connection_(connection), localRoot_(localRoot), rules_(rules), plan_(plan),
          guard_(rootPath)
    {
    }

    // Compares the current remote folder (serverPath) with localFolder.
    NetResult Walk(const std::wstring& localFolder, const std::wstring& serverPath)
    {
        context_.SetStatus(serverPath, 1);
        // A reconnect may replace the session: it is taken afresh after one.
        RemoteListing listing;
        NetResult result = WithReconnects(context_, connection_, kAttempts, [&] {
            NetResult entered = ChangeRemoteFolder(context_, connection_.Session(), serverPath);
            return entered == NetResult::Ok ? ListRemoteFolder(context_, connection_.Session(), listing) : entered;
        });
        if (result != NetResult::Ok)
            return result;
        FtpSession& session = connection_.Session();
        std::vector<SyncEntry> local = LocalEntries(localFolder);
        std::vector<SyncEntry> remote;
        std::vector<std::wstring> listedNames;
        for (RemoteEntry& entry : listing.entries) {
            if (context_.IsCancelled())
                return NetResult::Cancelled;
            SyncEntry synced;
            synced.name = std::wstring(OwnName(entry));
            synced.isFolder = EntryIsFolder(context_, session, listing, entry);
            synced.size = entry.size;
            synced.modified = {entry.modified, ListedPrecision(session, entry)};
            if (!synced.isFolder && synced.modified.precision < TimePrecision::Second && session.Has(HasMdtm) &&
                HasLocalFile(local, synced.name)) {
                int64_t exact = 0;
                if (GetRemoteModifiedTime(context_, session, synced.name, exact) == NetResult::Ok)
                    synced.modified = {exact, TimePrecision::Second};
            }
            remote.push_back(std::move(synced));
            listedNames.push_back(entry.name);
        }
        if (listing.cancelled)
            return NetResult::Cancelled;
        for (const SyncDecision& decision : DecideSync(local, remote, rules_)) {
            result = Follow(decision, localFolder, serverPath, remote, listedNames);
            if (result != NetResult::Ok)
                return result;
        }
        return context_.IsCancelled() ? NetResult::Cancelled : NetResult::Ok;
    }

private:
    static bool HasLocalFile(const std::vector<SyncEntry>& local, const std::wstring& name)
    {
        for (const SyncEntry& entry : local)
            if (!entry.isFolder && SameLocalName(entry.name, name))
                return true;
        return false;
    }

    NetResult Follow(const SyncDecision& decision, const std::wstring& localFolder, const std::wstring& serverPath,
                     const std::vector<SyncEntry>& remote, const std::vector<std::wstring>& listedNames)
    {
        if (decision.reason == SyncReason::NameRefused) {
            LogWrite(L"Skipping " + JoinRemotePath(serverPath, decision.remote->name) + L": " + decision.refusal,
                     LogWarningLevel);
            return NetResult::Ok;
        }
        SyncItem item{localFolder, serverPath, L"", decision};
        if (decision.action == SyncAction::Upload) {
            plan_.uploads.push_back(std::move(item));
            return NetResult::Ok;
        }
        if (decision.action != SyncAction::Download && decision.action != SyncAction::Descend)
            return NetResult::Ok;
        std::wstring why;
        std::optional<std::wstring> localName = LocalNameForRemote(decision.remote->name, why);
        std::wstring localPath = localName ? localFolder + L"\\" + *localName : L"";
        if (!localName || !IsInsideRoot(localRoot_, localPath)) {
            LogWrite(L"Skipping " + JoinRemotePath(serverPath, decision.remote->name) + L": " +
                         (why.empty() ? L"it would lie outside the local folder" : why),
                     LogWarningLevel);
            return NetResult::Ok;
        }
        if (decision.action == SyncAction::Descend)
            return Descend(decision.remote->name, localFolder + L"\\" + decision.local->name, serverPath);
        for (size_t i = 0; i < remote.size(); ++i)
            if (remote[i].name == decision.remote->name)
                item.listedName = listedNames[i];
        plan_.downloads.push_back(std::move(item));
        return NetResult::Ok;
    }

    NetResult Descend(const std::wstring& name, const std::wstring& localFolder, const std::wstring& parentPath)
    {
        std::wstring serverPath;
        NetResult result = WithReconnects(context_, connection_, kAttempts, [&] {
            FtpSession& session = connection_.Session();
            NetResult entered = ChangeRemoteFolder(context_, session, JoinRemotePath(parentPath, name));
            if (entered == NetResult::Failed && session.IsOpen())
                return NetResult::Ok;  // refused by the server; serverPath stays empty
            return entered == NetResult::Ok ? GetRemoteFolder(context_, session, serverPath) : entered;
        });
        if (result != NetResult::Ok)
            return result;
        std::wstring skipLine;
        if (serverPath.empty()) {
            LogWrite(L"Cannot change directory: " + JoinRemotePath(parentPath, name), LogErrorLevel);
            return NetResult::Ok;
        }
        if (!guard_.Enter(name, serverPath, skipLine)) {
            LogWrite(skipLine, LogWarningLevel);
            return NetResult::Ok;
        }
        result = Walk(localFolder, serverPath);
        guard_.Leave();
        return result;
    }

    TaskContext& context_;
    Connection& connection_;
    const std::wstring& localRoot_;
    const RemoteNameRules& rules_;
    SyncPlan& plan_;
    WalkGuard guard_;
};

}  // namespace

NetResult CompareFolders(TaskContext& context, Connection& connection, const std::wstring& localRoot,
                        const std::wstring& remoteRoot, const RemoteNameRules& rules, SyncPlan& plan,
                        std::wstring& remoteRootPath)
{
    NetResult result = WithReconnects(context, connection, kAttempts, [&] {
        remoteRootPath = remoteRoot;
        return ChangeRemoteFolderTracked(context, connection.Session(), remoteRootPath);
    });
    if (result != NetResult::Ok) {
        LogWrite(L"Cannot change directory: " + remoteRoot, LogErrorLevel);
        return result;
    }
    SyncWalker walker(context, connection, localRoot, rules, plan, remoteRootPath);
    result = walker.Walk(localRoot, remoteRootPath);
    if (result != NetResult::Cancelled)
        ChangeRemoteFolder(context, connection.Session(), remoteRootPath);
    return result;
}
