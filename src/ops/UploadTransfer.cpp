#include "ops/UploadTransfer.h"

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "ftp/Transfer.h"
#include "net/Log.h"
#include "ops/JobSteps.h"
#include "ops/Standby.h"

namespace {

constexpr int kAttemptsPerFile = 3;

class UploadPhase {
public:
    UploadPhase(TaskContext& context, Connection& connection, TransferJob& job)
        : context_(context), connection_(connection), job_(job)
    {
    }

    NetResult Run()
    {
        size_t total = job_.queue.size();
        size_t number = 0;
        for (QueueItem& item : job_.queue) {
            ++number;
            context_.SetStatus(L"Uploading file " + std::to_wstring(number) + L" of " + std::to_wstring(total), 0);
            context_.SetStatus(item.localPath, 1);
            context_.SetProgress(static_cast<double>(number - 1) / static_cast<double>(total));
            NetResult result = TransferWithRetries(item, static_cast<double>(number - 1), static_cast<double>(total));
            if (result != NetResult::Ok)
                return result;
        }
        return NetResult::Ok;
    }

private:
    NetResult TransferWithRetries(QueueItem& item, double done, double total)
    {
        std::wstring path = JoinRemotePath(job_.remoteRoot, item.remotePath);
        std::wstring folder = path.substr(0, path.find_last_of(L'/'));
        std::wstring name = path.substr(path.find_last_of(L'/') + 1);
        // Once the server took a store of this file, later attempts continue
        // what it holds; before that the remote file is not this one's.
        bool storeAccepted = false;
        for (int attempt = 1;;) {
            NetResult result = ChangeFolder(folder.empty() ? L"/" : folder);
            if (result == NetResult::Ok)
                result = UploadOnce(item, name, storeAccepted, done, total);
            if (result == NetResult::Ok)
                return result;
            folderChangedTo_.clear();  // a reconnect starts elsewhere
            if (result == NetResult::Cancelled && Standby().Active()) {
                NetResult recovered = RecoverFromStandby(context_, connection_, false);
                if (recovered != NetResult::Ok)
                    return recovered;
                continue;
            }
            if (result == NetResult::Cancelled) {
                job_.transferredFiles.push_back(item.remotePath);  // part of it may have arrived
                return result;
            }
            if (++attempt > kAttemptsPerFile) {
                item.error = L"Failed to upload " + item.localPath;
                if (storeAccepted)
                    RemovePartial(path);
                return NetResult::Failed;
            }
            if (connection_.Reconnect(context_) == NetResult::Cancelled)
                return NetResult::Cancelled;
        }
    }

    // Files of one folder follow each other in the queue: the folder is
    // changed to once for all of them.
    NetResult ChangeFolder(const std::wstring& folder)
    {
        if (folder == folderChangedTo_)
            return NetResult::Ok;
        NetResult result = ChangeRemoteFolder(context_, connection_.Session(), folder);
        if (result == NetResult::Ok)
            folderChangedTo_ = folder;
        return result;
    }

    NetResult UploadOnce(QueueItem& item, const std::wstring& name, bool& storeAccepted, double done, double total)
    {
        context_.SetStatus(L"Uploading file ..." + name, 1);
        FileTransferContext fileContext(context_, done, total);
        std::wstring replyText;
        FtpSession& session = connection_.Session();
        bool accepted = false;
        NetResult result = storeAccepted
                               ? ContinueUpload(fileContext, session, name, item.localPath, &replyText, &accepted)
                               : Upload(fileContext, session, name, item.localPath, &replyText, &accepted);
        storeAccepted |= accepted;
        if (result == NetResult::Ok && fileContext.IsCancelled())
            result = NetResult::Cancelled;  // the server confirmed an aborted transfer
        if (result == NetResult::Cancelled)
            context_.SetStatus(L"User canceled - stopping upload ...", 1);
        else if (result == NetResult::Ok)
            job_.transferredFiles.push_back(item.remotePath);
        else if (!replyText.empty())
            LogWrite(replyText, LogErrorLevel);
        return result;
    }

    // What a failed STOR left behind is no file of the user's: either it was
    // not there before, or the user agreed to replace it (a file the server
    // never began to replace stays). A fresh log-in:
    // the failed transfer may have left a reply unread.
    void RemovePartial(const std::wstring& path)
    {
        FtpSession& session = connection_.Session();
        if (connection_.Reconnect(context_) != NetResult::Ok)
            return;
        uint64_t size = 0;
        if (GetRemoteSize(context_, session, path, size) == NetResult::Ok && size > 0 &&
            DeleteRemoteFile(context_, session, path) == NetResult::Ok)
            LogWrite(L"Deleted the partial remote file " + path, LogInformation);
    }

    TaskContext& context_;
    Connection& connection_;
    TransferJob& job_;
    std::wstring folderChangedTo_;
};

}  // namespace

NetResult TransferUploads(TaskContext& context, Connection& connection, TransferJob& job)
{
    return UploadPhase(context, connection, job).Run();
}
