// Deleting a remote folder with everything below it, depth first.
#include <optional>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "ftp/WalkGuard.h"
#include "net/Log.h"
#include "net/ProgressSliceContext.h"

namespace {

NetResult DeleteTree(TaskContext& context, FtpSession& session, const std::wstring& folder, WalkGuard* guard);

size_t CountWork(const RemoteListing& listing)
{
    size_t total = 0;
    for (const RemoteEntry& entry : listing.entries)
        total += IsDotEntry(entry) ? 0 : 1;
    return total;
}

// Deletes one entry of the folder the session is in. A link is removed
// itself, never followed: its target may lie outside the tree.
NetResult DeleteEntry(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry,
                      const std::wstring& shownFolder, double done, double total, WalkGuard& guard)
{
    bool isFolder = EntryIsFolder(context, session, listing, entry);
    std::wstring name(OwnName(entry));
    if (!isFolder || entry.isLink) {
        context.SetStatus(L"Deleting " + JoinRemotePath(shownFolder, name), 1);
        return DeleteRemoteFile(context, session, name);
    }
    context.SetStatus(L"Checking subfolders...", 1);
    ProgressSliceContext child(context, done, total);
    return DeleteTree(child, session, name, &guard);
}

// guard: the walk's, null for the top folder.
NetResult DeleteTree(TaskContext& context, FtpSession& session, const std::wstring& folder, WalkGuard* guard)
{
    // Without the parent's path there is no way back to remove the folder.
    std::wstring parent;
    NetResult result = GetRemoteFolder(context, session, parent);
    if (result != NetResult::Ok)
        return result;
    std::optional<WalkGuard> own;
    if (!guard)
        guard = &own.emplace(parent);
    result = ChangeRemoteFolder(context, session, folder);
    if (result == NetResult::Cancelled)
        return result;
    if (result != NetResult::Ok)
        return NetResult::Ok;  // a folder that cannot be entered is left alone
    // A folder that leads back up (a link the listing shows as a folder) or
    // a server whose folders nest without end would keep the walk going.
    std::wstring here, skipLine;
    GetRemoteFolder(context, session, here);
    if (!guard->Enter(folder, here, skipLine)) {
        LogWrite(skipLine, LogWarningLevel);
        ChangeRemoteFolder(context, session, parent);
        return NetResult::Failed;
    }

    // A failed listing says nothing reliable about what the folder holds.
    RemoteListing listing;
    result = ListRemoteFolder(context, session, listing);
    if (result != NetResult::Ok)
        return result;
    double total = static_cast<double>(CountWork(listing));
    size_t done = 0;
    std::wstring shownFolder = JoinRemotePath(parent, folder);
    for (RemoteEntry& entry : listing.entries) {
        if (listing.cancelled || context.IsCancelled())
            return NetResult::Cancelled;  // stays inside the folder
        if (IsDotEntry(entry))
            continue;
        result =
            DeleteEntry(context, session, listing, entry, shownFolder, static_cast<double>(done), total, *guard);
        if (result != NetResult::Ok)
            return result;
        ++done;
        context.SetProgress(static_cast<double>(done) / total);
    }
    if (listing.cancelled || context.IsCancelled())
        return NetResult::Cancelled;
    guard->Leave();
    // Still inside the folder, RMD would name one below it, and the caller
    // would go on deleting its own entries in the wrong place.
    result = ChangeRemoteFolder(context, session, parent);
    if (result != NetResult::Ok)
        return result;
    return RemoveRemoteFolder(context, session, folder);
}

}  // namespace

NetResult DeleteRemoteTree(TaskContext& context, FtpSession& session, const std::wstring& folder)
{
    return DeleteTree(context, session, folder, nullptr);
}
