#include "ops/UploadJob.h"

#include "ftp/RemoteCommands.h"
#include "net/Log.h"
#include "ops/JobRollback.h"
#include "ops/JobSteps.h"
#include "ops/UploadQueue.h"
#include "ops/UploadTransfer.h"

namespace {

constexpr int kAttempts = 3;

// The remote root in the server's own absolute form, entered.
NetResult EnterRemoteRoot(TaskContext& context, Connection& connection, const std::wstring& requested,
                          std::wstring& root)
{
    FtpSession& session = connection.Session();
    return WithReconnects(context, connection, kAttempts, [&] {
        root = requested;
        return ChangeRemoteFolderTracked(context, session, root);
    });
}

NetResult TransferQueue(TaskContext& context, Connection& connection, TransferJob& job)
{
    NetResult result = ChangeRemoteFolder(context, connection.Session(), job.remoteRoot);
    return result == NetResult::Ok ? TransferUploads(context, connection, job) : result;
}

NetResult RunDialog(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job,
                    const std::vector<std::wstring>& localPaths, const RemoteNameRules& rules)
{
    context.SetStatus(L"Uploading file(s)...", 0);
    NetResult built = BuildUploadQueue(context, connection, prompt, job, localPaths, rules);
    if (built == NetResult::Cancelled)
        return built;
    NetResult result = TransferQueue(context, connection, job);
    return result == NetResult::Ok ? built : result;
}

// Reports the result, offers the roll-back after a cancel, and returns to the
// remote root.
NetResult Conclude(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job,
                   NetResult result)
{
    if (result != NetResult::Ok && !connection.Session().IsOpen())
        LogWrite(L"Disconnected from server", LogErrorLevel);
    if (result == NetResult::Cancelled) {
        LogWrite(L"User aborted upload", LogErrorLevel);
        if (!job.transferredFiles.empty() || !job.createdFolders.empty()) {
            NullTaskContext rollbackContext;
            if (OfferUploadRollback(rollbackContext, connection, prompt, job) == NetResult::Ok)
                LogWrite(L"Files deleted", LogInformation);
        }
    } else if (result == NetResult::Failed) {
        LogWrite(L"Cannot upload the file list", LogErrorLevel);
    }
    for (const QueueItem& item : job.queue)
        if (!item.error.empty())
            LogWrite(item.error, LogErrorLevel);
    if (result == NetResult::Ok &&
        WithReconnects(context, connection, kAttempts, [&] {
            return ChangeRemoteFolder(context, connection.Session(), job.remoteRoot);
        }) == NetResult::Ok)
        LogWrite(L"Upload complete", LogInformation);
    return result;
}

}  // namespace

NetResult UploadSelection(TaskContext& context, Connection& connection, UserPrompt& prompt,
                          const std::vector<std::wstring>& localPaths, const std::wstring& localRoot,
                          const std::wstring& remoteRoot, const RemoteNameRules& rules, OverwriteMemory answered)
{
    TransferJob job;
    job.localRoot = localRoot;
    job.memory = answered;
    NetResult result = EnterRemoteRoot(context, connection, remoteRoot, job.remoteRoot);
    if (result != NetResult::Ok)
        LogWrite(L"Cannot change directory: " + remoteRoot, LogErrorLevel);
    else
        result = RunDialog(context, connection, prompt, job, localPaths, rules);
    return Conclude(context, connection, prompt, job, result);
}

NetResult UploadPreparedQueue(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job)
{
    if (job.queue.empty())
        return NetResult::Ok;
    context.SetStatus(L"Uploading file(s)...", 0);
    return Conclude(context, connection, prompt, job, TransferQueue(context, connection, job));
}
