#include "ops/DownloadQueue.h"

#include <windows.h>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "net/Log.h"
#include "ops/JobSteps.h"
#include "ops/LocalFiles.h"
#include "ops/LocalNames.h"
#include "ops/PathContainment.h"
#include "ops/Standby.h"
#include "ftp/WalkGuard.h"

namespace {

constexpr int kAttempts = 3;

bool IsListedDot(const std::wstring& name)
{
    return name == L"." || name == L"./" || name == L".." || name == L"../";
}

class DownloadQueueBuilder {
public:
    DownloadQueueBuilder(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job)
        : context_(context), connection_(connection), prompt_(prompt), job_(job), guard_(job.remoteRoot)
    {
    }

    bool Stopped() { return Standby().Active() || context_.IsCancelled(); }

    // One listed entry of the remote folder `remoteFolder` (the session's
    // current one); false ends the building.
    bool AddItem(const std::wstring& localFolder, const std::wstring& remoteFolder, RemoteEntry& entry,
                 RemoteListing* listing)
    {
        if (Stopped())
            return false;
        bool link = entry.isLink || entry.name.find(L"->") != std::wstring::npos;
        if (link)
            entry.isLink = true;  // a followed link keeps its own name
        std::wstring name(OwnName(entry));
        if (std::wstring_view why = SuspiciousNameReason(name); !why.empty()) {
            LogWrite(L"Skipping download of item with suspicious name: " + name, LogErrorLevel);
            return false;
        }
        if (std::wstring_view why = LocalNameRefusal(name); !why.empty()) {
            LogWrite(L"Skipping download of " + JoinRemotePath(remoteFolder, name) + L": " + std::wstring(why) + L".",
                     LogErrorLevel);
            return true;
        }
        std::wstring localPath = localFolder + L"\\" + name;
        if (!IsInsideRoot(job_.localRoot, localPath)) {
            LogWrite(L"Skipping download of " + name + L": " + localPath + L" is not inside " + job_.localRoot + L".",
                     LogErrorLevel);
            return true;
        }
        std::wstring remotePath = JoinRemotePath(remoteFolder, name);
        bool folder = false;
        if (!link && listing && entry.hasKind)
            folder = entry.isFolder;
        else if (!link && listing)
            folder = EntryIsFolder(context_, connection_.Session(), *listing, entry);
        else if (!IsFolder(remotePath, remoteFolder, folder))
            return false;
        if (folder)
            return AddFolder(localPath, remoteFolder, name, remotePath);
        QueueFile(localPath, remotePath, name, entry.hasPermissions ? &entry.permissions : nullptr);
        return true;
    }

private:
    // The folder test: changes into the path and back. A refusal on a live
    // connection means a file; a lost connection is retried.
    bool IsFolder(const std::wstring& remotePath, const std::wstring& back, bool& folder)
    {
        FtpSession& session = connection_.Session();
        NetResult result = WithReconnects(context_, connection_, kAttempts, [&] {
            NetResult changed = ChangeRemoteFolder(context_, session, remotePath);
            if (changed == NetResult::Failed && session.IsOpen()) {
                folder = false;
                return NetResult::Ok;
            }
            folder = changed == NetResult::Ok;
            return changed == NetResult::Ok ? ChangeRemoteFolder(context_, session, back) : changed;
        });
        return result != NetResult::Cancelled;
    }

    void QueueFile(const std::wstring& localPath, const std::wstring& remotePath, const std::wstring& name,
                   const std::wstring* permissions)
    {
        LocalEntry existing = LocalEntryAt(localPath);
        if (existing == LocalEntry::Folder) {
            LogWrite(L"Skipping download of " + remotePath + L": a local folder has its name.", LogErrorLevel);
            return;
        }
        if (existing == LocalEntry::File &&
            !AnswerOverwrite(prompt_, job_.memory,
                             L"A copy of the file \"" + localPath +
                                 L"\" already exists in the local folder. Do you want to overwrite it?"))
            return;
        QueueItem item;
        item.localPath = localPath;
        item.remotePath = remotePath;
        if (permissions)
            item.permissions = *permissions;
        job_.queue.push_front(std::move(item));
        LogWrite(L"Queuing file: " + name, LogInformation);
    }

    // Enters the folder, lists it and adds its entries; the session ends in
    // `parent` again.
    bool AddFolder(const std::wstring& localPath, const std::wstring& parent, const std::wstring& name,
                   const std::wstring& remotePath)
    {
        if (Stopped())
            return false;
        FtpSession& session = connection_.Session();
        std::wstring serverPath;
        bool refused = false;  // by the server, not lost with the connection
        NetResult result = WithReconnects(context_, connection_, kAttempts, [&] {
            NetResult changed = ChangeRemoteFolder(context_, session, remotePath);
            refused = changed == NetResult::Failed && session.IsOpen();
            if (refused)
                return NetResult::Ok;
            return changed == NetResult::Ok ? GetRemoteFolder(context_, session, serverPath) : changed;
        });
        if (result == NetResult::Cancelled)
            return false;
        std::wstring skipLine;
        if (result != NetResult::Ok || refused) {
            LogWrite(L"Cannot change directory: " + remotePath, LogErrorLevel);
            return true;
        }
        if (!guard_.Enter(name, serverPath, skipLine)) {
            LogWrite(skipLine, LogWarningLevel);
            return ChangeRemoteFolder(context_, session, parent) != NetResult::Cancelled;
        }
        bool going = MakeLocalFolder(localPath) ? ListAndAdd(localPath, serverPath) : true;
        guard_.Leave();
        if (going && ChangeRemoteFolder(context_, session, parent) == NetResult::Cancelled)
            return false;
        return going;
    }

    // Created folders are recorded for the roll-back; one that was there
    // already is the user's and is never removed.
    bool MakeLocalFolder(const std::wstring& localPath)
    {
        if (LocalFolderExists(localPath))
            return true;
        if (!CreateDirectoryW(localPath.c_str(), nullptr)) {
            LogWrite(L"Unable to create local folder: " + localPath, LogErrorLevel);
            return false;
        }
        job_.createdFolders.insert(job_.createdFolders.begin(), localPath);
        return true;
    }

    bool ListAndAdd(const std::wstring& localPath, const std::wstring& serverPath)
    {
        FtpSession& session = connection_.Session();
        RemoteListing listing;
        bool first = true;
        NetResult result = WithReconnects(context_, connection_, kAttempts, [&] {
            NetResult changed = first ? NetResult::Ok : ChangeRemoteFolder(context_, session, serverPath);
            first = false;
            if (changed != NetResult::Ok)
                return changed;
            NetResult listed = ListRemoteFolder(context_, session, listing);
            return listed == NetResult::Ok && listing.dataConnectionFailed ? NetResult::Failed : listed;
        });
        if (result == NetResult::Cancelled || listing.cancelled)
            return false;
        if (result != NetResult::Ok) {
            LogWrite(L"Cannot list the remote folder " + serverPath + L"; it is passed over.", LogErrorLevel);
            return true;
        }
        for (RemoteEntry& entry : listing.entries) {
            if (IsListedDot(entry.name))
                continue;
            if (!AddItem(localPath, serverPath, entry, &listing))
                return false;
        }
        return true;
    }

    TaskContext& context_;
    Connection& connection_;
    UserPrompt& prompt_;
    TransferJob& job_;
    WalkGuard guard_;
};

}  // namespace

NetResult BuildDownloadQueue(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job,
                             const std::vector<std::wstring>& names)
{
    DownloadQueueBuilder builder(context, connection, prompt, job);
    for (size_t i = 0; i < names.size(); ++i) {
        context.SetStatus(L"Adding file / folder " + std::to_wstring(i + 1) + L" of " + std::to_wstring(names.size()),
                          0);
        context.SetProgress(static_cast<double>(i) / static_cast<double>(names.size()));
        if (builder.Stopped())
            return NetResult::Cancelled;
        RemoteEntry entry;
        entry.name = names[i];
        if (!builder.AddItem(job.localRoot, job.remoteRoot, entry, nullptr))
            break;
    }
    return builder.Stopped() ? NetResult::Cancelled : NetResult::Ok;
}
