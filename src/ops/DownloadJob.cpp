#include "ops/DownloadJob.h"

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "net/Log.h"
#include "ops/DownloadQueue.h"
#include "ops/DownloadTransfer.h"
#include "ops/JobRollback.h"
#include "ops/JobSteps.h"
#include "ops/LocalFiles.h"
#include "ops/Standby.h"

namespace {

constexpr int kAttempts = 3;

// Reads the current remote folder and changes back into it, so that the
// session is where the selection was made even after a reconnect.
NetResult EnterRemoteRoot(TaskContext& context, Connection& connection, std::wstring& root)
{
    FtpSession& session = connection.Session();
    NetResult result = WithReconnects(context, connection, kAttempts,
                                      [&] { return GetRemoteFolder(context, session, root); });
    if (result != NetResult::Ok) {
        LogWrite(L"Failed to get the current directory.", LogErrorLevel);
        return result;
    }
    result = WithReconnects(context, connection, kAttempts,
                            [&] { return ChangeRemoteFolder(context, session, root); });
    if (result != NetResult::Ok)
        LogWrite(L"Cannot change directory: " + root, LogErrorLevel);
    return result;
}

// A press of Cancel just after the last file still counts.
NetResult GraceForCancel(TaskContext& context)
{
    for (int step = 0; step < 10; ++step)
        if (context.Sleep(200) == NetResult::Cancelled || context.IsCancelled())
            return NetResult::Cancelled;
    return NetResult::Ok;
}

// names: the selection to queue; null when the queue was built beforehand.
NetResult RunDialog(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job,
                    const std::vector<std::wstring>* names, LateCancel lateCancel)
{
    context.SetStatus(L"Downloading file(s)...", 0);
    NetResult result = names ? BuildDownloadQueue(context, connection, prompt, job, *names) : NetResult::Ok;
    if (result == NetResult::Cancelled && Standby().Active())
        ShowStandbyCancel(prompt, L"Download Canceled",
                          L"The download was canceled because the computer went to standby.");
    if (result == NetResult::Ok)
        result = TransferDownloads(context, connection, job);
    if (result == NetResult::Ok && lateCancel == LateCancel::Awaited)
        result = GraceForCancel(context);
    if (result == NetResult::Cancelled)
        OfferDownloadRollback(context, prompt, job);
    return result;
}

// Failed items are reported; the files that arrived get the server's time.
bool FinishItems(TaskContext& context, FtpSession& session, const TransferJob& job)
{
    bool allWritten = true;
    for (const QueueItem& item : job.queue) {
        if (!item.error.empty()) {
            LogWrite(item.error + L" downloading of remote file " + item.remotePath + L".", LogErrorLevel);
            allWritten = false;
            continue;
        }
        if (!item.written) {
            allWritten = false;
            continue;
        }
        int64_t modified = 0;
        if (GetRemoteModifiedTime(context, session, item.remotePath, modified) == NetResult::Ok)
            SetLocalFileTime(item.localPath, modified);
        LogWrite(L"Downloaded file OK.", LogInformation);
    }
    return allWritten;
}

// Reports the result, gives the arrived files their times, and returns to the
// remote root.
NetResult Conclude(Connection& connection, const TransferJob& job, NetResult result)
{
    if (result != NetResult::Ok) {
        if (!connection.Session().IsOpen())
            LogWrite(L"Disconnected from server", LogErrorLevel);
        LogWrite(result == NetResult::Cancelled ? L"User aborted download" : L"Cannot download the file list",
                 LogErrorLevel);
    }
    bool allWritten = FinishItems(NullContext(), connection.Session(), job);
    if (!job.remoteRoot.empty())  // the walk and the checks moved about
        ChangeRemoteFolder(NullContext(), connection.Session(), job.remoteRoot);
    return result == NetResult::Ok && !allWritten ? NetResult::Failed : result;
}

}  // namespace

NetResult DownloadSelection(TaskContext& context, Connection& connection, UserPrompt& prompt,
                            const std::vector<std::wstring>& remoteNames, const std::wstring& localFolder,
                            LateCancel lateCancel)
{
    if (remoteNames.empty())
        return NetResult::Ok;
    TransferJob job;
    job.localRoot = localFolder;
    NetResult result = EnterRemoteRoot(context, connection, job.remoteRoot);
    if (result == NetResult::Ok)
        result = RunDialog(context, connection, prompt, job, &remoteNames, lateCancel);
    return Conclude(connection, job, result);
}

NetResult DownloadPreparedQueue(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job)
{
    if (job.queue.empty())
        return NetResult::Ok;
    return Conclude(connection, job, RunDialog(context, connection, prompt, job, nullptr, LateCancel::Awaited));
}
