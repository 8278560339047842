#include "ops/UploadQueue.h"

#include <windows.h>

#include <algorithm>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "net/Log.h"
#include "ops/JobSteps.h"
#include "ops/Standby.h"

namespace {

constexpr int kAttempts = 3;

struct LocalEntry {
    std::wstring path;
    bool folder = false;
};

class UploadQueueBuilder {
public:
    UploadQueueBuilder(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job,
                       const RemoteNameRules& rules)
        : context_(context), connection_(connection), prompt_(prompt), job_(job), rules_(rules)
    {
    }

    bool Stopped() { return Standby().Active() || context_.IsCancelled(); }

    NetResult AddFile(const std::wstring& localPath)
    {
        if (Stopped())
            return NetResult::Cancelled;
        std::wstring remotePath = UploadRemotePath(job_, localPath, rules_);
        if (!(job_.memory.forAll && job_.memory.overwrite) && RemoteFileExists(remotePath) &&
            !AnswerOverwrite(prompt_, job_.memory,
                             L"A copy of the file \"" + remotePath +
                                 L"\" already exists in the remote folder. Do you want to overwrite it?"))
            return NetResult::Ok;
        QueueItem item;
        item.localPath = localPath;
        item.remotePath = remotePath;
        job_.queue.push_front(std::move(item));
        LogWrite(L"Queuing file: " + localPath, LogInformation);
        return Stopped() ? NetResult::Cancelled : NetResult::Ok;
    }

    NetResult AddFolder(const std::wstring& localFolder)
    {
        if (Stopped())
            return NetResult::Cancelled;
        LogWrite(L"Uploading directory: " + localFolder, LogInformation);
        std::vector<LocalEntry> entries;
        if (!Collect(localFolder, entries))
            return NetResult::Cancelled;
        std::wstring remoteFolder = JoinRemotePath(job_.remoteRoot, UploadRemotePath(job_, localFolder, rules_));
        NetResult result = MakeFolder(remoteFolder);
        if (result != NetResult::Ok)
            return result;
        for (const LocalEntry& entry : entries) {
            result = entry.folder ? AddFolder(entry.path) : AddFile(entry.path);
            if (result != NetResult::Ok)
                return result;
        }
        return NetResult::Ok;
    }

private:
    // Exists for the overwrite question only with a size other than 0.
    bool RemoteFileExists(const std::wstring& remotePath)
    {
        uint64_t size = 0;
        return GetRemoteSize(context_, connection_.Session(), JoinRemotePath(job_.remoteRoot, remotePath), size) ==
                   NetResult::Ok &&
               size != 0;
    }

    // The folder's entries, folders and files; links and junctions are
    // passed over so that the walk stays inside the selected tree.
    bool Collect(const std::wstring& folder, std::vector<LocalEntry>& entries)
    {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return true;
        bool going = true;
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                LogWrite(L"Skipping " + folder + L"\\" + name + L": a link is not followed.", LogWarningLevel);
                continue;
            }
            entries.push_back({folder + L"\\" + name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
            going = !Stopped();
        } while (going && FindNextFileW(find, &data));
        FindClose(find);
        return going;
    }

    // MKD (recorded when the server made the folder now) and a change into
    // it, each up to three attempts with a reconnect between them.
    NetResult MakeFolder(const std::wstring& remoteFolder)
    {
        FtpSession& session = connection_.Session();
        uint16_t code = 0;
        NetResult result = WithReconnects(context_, connection_, kAttempts, [&] {
            NetResult made = MakeRemoteFolder(context_, session, remoteFolder, &code);
            // An existing folder is refused by most servers: that is no
            // failure, the change into it decides.
            return made == NetResult::Failed && session.IsOpen() ? NetResult::Ok : made;
        });
        if (result == NetResult::Cancelled)
            return result;
        if (result == NetResult::Ok && code == 257)
            job_.createdFolders.insert(job_.createdFolders.begin(), remoteFolder);
        result = WithReconnects(context_, connection_, kAttempts,
                                [&] { return ChangeRemoteFolder(context_, session, remoteFolder); });
        if (result == NetResult::Failed)
            LogWrite(L"Unable to change directory: " + remoteFolder, LogErrorLevel);
        return result;
    }

    TaskContext& context_;
    Connection& connection_;
    UserPrompt& prompt_;
    TransferJob& job_;
    const RemoteNameRules& rules_;
};

bool IsLocalFolder(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring UploadRemotePath(const TransferJob& job, const std::wstring& localPath, const RemoteNameRules& rules)
{
    std::wstring relative = localPath.substr(std::min(localPath.size(), job.localRoot.size()));
    std::replace(relative.begin(), relative.end(), L'\\', L'/');
    size_t start = relative.find_first_not_of(L'/');
    return ApplyRemoteNameRules(start == std::wstring::npos ? L"" : relative.substr(start), rules);
}

NetResult BuildUploadQueue(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job,
                           const std::vector<std::wstring>& localPaths, const RemoteNameRules& rules)
{
    UploadQueueBuilder builder(context, connection, prompt, job, rules);
    for (size_t i = 0; i < localPaths.size(); ++i) {
        if (builder.Stopped()) {
            if (Standby().Active())
                ShowStandbyCancel(prompt, L"Upload Canceled", L"The upload was canceled because the computer went to standby.");
            return NetResult::Cancelled;
        }
        context.SetStatus(L"Adding folder(s) / file(s)", 0);
        context.SetStatus(localPaths[i], 1);
        context.SetProgress(static_cast<double>(i) / static_cast<double>(localPaths.size()));
        NetResult result = IsLocalFolder(localPaths[i]) ? builder.AddFolder(localPaths[i])
                                                       : builder.AddFile(localPaths[i]);
        if (result != NetResult::Ok)
            return result;
    }
    return NetResult::Ok;
}
