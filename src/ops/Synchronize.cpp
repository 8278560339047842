#include "ops/Synchronize.h"

#include <algorithm>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "net/Log.h"
#include "ops/DownloadJob.h"
#include "ops/DownloadQueue.h"
#include "ops/LocalFiles.h"
#include "ops/UploadJob.h"
#include "ops/UploadQueue.h"

namespace {

bool Confirmed(UserPrompt& prompt, const std::wstring& localRoot, const std::wstring& remoteRoot, bool* noConfirmation)
{
    if (noConfirmation && *noConfirmation)
        return true;
    PromptQuestion question;
    question.caption = L"Synchronize";
    question.text = L"This action will synchronize all data in the local folder\n\"" + localRoot +
                    L"\"\nwith the remote folder\n\"" + remoteRoot + L"\".\nDo you want to continue?";
    question.acceptButton = L"Synchronize";
    question.checkBox = L"Do not ask again.";
    PromptAnswer answer = prompt.Ask(question);
    if (answer.accepted && answer.checked && noConfirmation)
        *noConfirmation = true;
    return answer.accepted;
}

// The download queue, folder by folder: each folder's names go through the
// download job's queue building from inside that folder.
NetResult BuildDownloads(TaskContext& context, Connection& connection, UserPrompt& prompt, const SyncPlan& plan,
                         TransferJob& job)
{
    for (size_t first = 0; first < plan.downloads.size();) {
        const SyncItem& item = plan.downloads[first];
        std::vector<std::wstring> names;
        size_t next = first;
        for (; next < plan.downloads.size() && plan.downloads[next].remoteFolder == item.remoteFolder &&
               plan.downloads[next].localFolder == item.localFolder;
             ++next)
            names.push_back(plan.downloads[next].listedName);
        first = next;
        NetResult result = ChangeRemoteFolder(context, connection.Session(), item.remoteFolder);
        if (result != NetResult::Ok)
            return result;
        TransferJob folderJob;
        folderJob.localRoot = item.localFolder;
        folderJob.remoteRoot = item.remoteFolder;
        folderJob.memory = job.memory;
        result = BuildDownloadQueue(context, connection, prompt, folderJob, names);
        job.memory = folderJob.memory;
        for (QueueItem& queued : folderJob.queue)
            job.queue.push_back(std::move(queued));
        job.createdFolders.insert(job.createdFolders.begin(), folderJob.createdFolders.begin(),
                                  folderJob.createdFolders.end());
        if (result != NetResult::Ok)
            return result;
    }
    return NetResult::Ok;
}

// Without MFMT the server stamps an upload with its own clock: the local file
// takes that time, or the next run would fetch it back.
void TakeServerTimes(TaskContext& context, FtpSession& session, const TransferJob& job)
{
    if (session.Has(HasMfmt))
        return;
    for (const QueueItem& item : job.queue) {
        if (!item.error.empty() ||
            std::find(job.transferredFiles.begin(), job.transferredFiles.end(), item.remotePath) ==
                job.transferredFiles.end())
            continue;
        int64_t modified = 0;
        if (GetRemoteModifiedTime(context, session, JoinRemotePath(job.remoteRoot, item.remotePath), modified) ==
            NetResult::Ok)
            SetLocalFileTime(item.localPath, modified);
    }
}

NetResult Transfer(TaskContext& context, Connection& connection, UserPrompt& prompt, const std::wstring& localRoot,
                   const std::wstring& rootPath, const SyncOptions& options, const SyncPlan& plan)
{
    TransferJob downloads;
    downloads.localRoot = localRoot;
    downloads.remoteRoot = rootPath;
    context.SetStatus(L"Creating Download List", 0);
    NetResult built = BuildDownloads(context, connection, prompt, plan, downloads);
    if (built == NetResult::Cancelled)
        return built;
    context.SetStatus(L"Downloading file list", 0);
    context.SetStatus(L"", 1);
    NetResult downloaded = DownloadPreparedQueue(context, connection, prompt, downloads);
    if (downloaded == NetResult::Cancelled) {
        LogWrite(L"Download of file list aborted by user.", LogInformation);
        return downloaded;
    }

    TransferJob uploads;
    uploads.localRoot = localRoot;
    uploads.remoteRoot = rootPath;
    std::vector<std::wstring> paths;
    for (const SyncItem& item : plan.uploads)
        paths.push_back(item.localFolder + L"\\" + item.decision.local->name);
    context.SetStatus(L"Creating Upload List", 0);
    NetResult queued = BuildUploadQueue(context, connection, prompt, uploads, paths, options.rules);
    if (queued == NetResult::Cancelled)
        return queued;
    context.SetStatus(L"Uploading file(s)...", 0);
    NetResult uploaded = UploadPreparedQueue(context, connection, prompt, uploads);
    TakeServerTimes(context, connection.Session(), uploads);
    for (NetResult result : {built, downloaded, queued, uploaded})
        if (result != NetResult::Ok)
            return result;
    return NetResult::Ok;
}

}  // namespace

NetResult SynchronizeFolders(TaskContext& context, Connection& connection, UserPrompt& prompt,
                             const std::wstring& localRoot, const std::wstring& remoteRoot, const SyncOptions& options,
                             SyncPlan* plan)
{
    context.SetStatus(L"Gathering local files", 0);
    if (!LocalFolderExists(localRoot)) {
        LogWrite(L"Cannot open the local folder: " + localRoot, LogErrorLevel);
        return NetResult::Failed;
    }
    context.SetStatus(L"Synchronizing", 0);
    std::wstring shownRemote = remoteRoot;
    if (shownRemote.empty())
        GetRemoteFolder(context, connection.Session(), shownRemote);
    if (!options.dryRun && !Confirmed(prompt, localRoot, shownRemote, options.noConfirmation))
        return NetResult::Cancelled;
    LogWrite(L"Synchronizing...This may take a few minutes.", LogInformation);
    SyncPlan walked;
    std::wstring rootPath;
    NetResult result = CompareFolders(context, connection, localRoot, remoteRoot, options.rules, walked, rootPath);
    if (result == NetResult::Ok && !options.dryRun)
        result = Transfer(context, connection, prompt, localRoot, rootPath, options, walked);
    if (plan)
        *plan = std::move(walked);
    if (result == NetResult::Cancelled)
        return result;
    if (!rootPath.empty())
        ChangeRemoteFolder(context, connection.Session(), rootPath);
    LogWrite(L"Synchronize completed.", LogInformation);
    return result;
}
