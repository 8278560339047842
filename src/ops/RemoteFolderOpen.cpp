// Opening a remote folder: the change of folder, the listing into the remote
// pane and the folder history.
#include "ops/ConnectionManager.h"

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "net/Log.h"
#include "store/FilterList.h"
#include "store/SiteStore.h"

namespace {

constexpr size_t kMaxFolderLength = 259;
constexpr int kChangeRounds = 2;

class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

RemoteKind KindOf(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry)
{
    if (EntryIsFolder(context, session, listing, entry))
        return RemoteKind::Folder;
    return EntryIsLink(context, session, listing, entry) ? RemoteKind::Link : RemoteKind::File;
}

}  // namespace

void ConnectionManager::SetCurrentFolder(const std::wstring& folder)
{
    currentFolder_ = folder.empty() ? L"/" : folder.substr(0, kMaxFolderLength);
    last_.startFolder = currentFolder_;
}

void ConnectionManager::RecordRecentFolders()
{
    if (saveRecentFolders_ && connected_)
        UpdateRecentFolders(window_.local.Folder(), currentFolder_);
}

bool ConnectionManager::FillRemotePane(TaskContext& context)
{
    window_.remote.ShowRows({});
    RemoteListing listing;
    ListRemoteFolder(context, session_, listing);
    std::wstring filter = window_.remote.FilterText();
    std::vector<RemoteRow> rows;
    rows.reserve(listing.entries.size());
    for (RemoteEntry& entry : listing.entries) {
        if (IsDotEntry(entry))
            continue;
        RemoteRow row;
        row.kind = KindOf(context, session_, listing, entry);
        std::wstring_view shown = RemoteRowNameIn(entry.name);
        if (!IsListedUnderFilter(filter, shown, row.kind == RemoteKind::File))
            continue;
        row.modified = EntryModifiedTime(context, session_, listing, entry);
        row.size = row.kind == RemoteKind::Folder ? 0 : EntrySize(context, session_, listing, entry);
        // The entry's own string becomes the row's name: no copy for each of
        // 100,000 rows. The queries above still needed the listed name.
        entry.name.resize(shown.size());
        row.name = std::move(entry.name);
        row.permissions = std::move(entry.permissions);
        row.owner = std::move(entry.owner);
        row.group = std::move(entry.group);
        rows.push_back(std::move(row));
    }
    window_.remote.ShowRows(std::move(rows));
    if (listing.dataConnectionFailed) {
        LogError(L"Passive Connection Failed!");
        LogError(L"See the help on passive mode: a firewall or router may block the data connections.");
        return false;
    }
    return true;
}

bool ConnectionManager::OpenFolder(TaskContext& context, bool recordHistory)
{
    if (listingRunning_)
        return true;
    RunningFlag running(listingRunning_);
    bool changed = false;
    for (int round = 0; round < kChangeRounds && !changed; ++round) {
        std::wstring folder = currentFolder_;
        NetResult result = ChangeRemoteFolderTracked(context, session_, folder);
        if (result == NetResult::Cancelled)
            return false;
        changed = result == NetResult::Ok;
        if (changed)
            SetCurrentFolder(folder);
        else
            Reconnect(context);
    }
    if (!changed) {
        LogError(L"Unable to change to the directory \"%ls\". Please check if you have permission on the directory.",
                 currentFolder_.c_str());
        return false;
    }
    if (!FillRemotePane(context))
        return false;
    if (recordHistory) {
        history_.Push(currentFolder_);
        window_.remote.HistoryChanged(history_.Position());
    }
    RecordRecentFolders();
    return true;
}
