#include "ops/DownloadTransfer.h"

#include <windows.h>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/Transfer.h"
#include "net/Log.h"
#include "ops/FreeSpaceEstimate.h"
#include "ops/JobSteps.h"
#include "ops/LocalFiles.h"
#include "ops/PathContainment.h"
#include "ops/PermissionDigits.h"
#include "ops/Standby.h"

namespace {

constexpr int kAttemptsPerFile = 3;

std::wstring NamePart(const std::wstring& remotePath)
{
    size_t slash = remotePath.find_last_of(L'/');
    return slash == std::wstring::npos ? remotePath : remotePath.substr(slash + 1);
}

std::wstring FolderPart(const std::wstring& remotePath)
{
    size_t slash = remotePath.find_last_of(L'/');
    if (slash == std::wstring::npos)
        return L"";
    return slash == 0 ? L"/" : remotePath.substr(0, slash);
}

uint64_t LocalFileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

class DownloadPhase {
public:
    DownloadPhase(TaskContext& context, Connection& connection, TransferJob& job)
        : context_(context), connection_(connection), job_(job), freeSpace_(FreeBytesFor)
    {
    }

    // The read-permission check: the listed text, or the server's when the
    // file was selected by name.
    bool MayRead(QueueItem& item)
    {
        if (!item.permissions) {
            FtpSession& session = connection_.Session();
            std::wstring text;
            std::wstring folder = FolderPart(item.remotePath);
            if (!folder.empty() && ChangeRemoteFolder(context_, session, folder) == NetResult::Ok)
                GetRemotePermissions(context_, session, NamePart(item.remotePath), text);
            item.permissions = text;
        }
        if (PermissionsAllowReading(*item.permissions))
            return true;
        LogWrite(L"You do not have permission to view/download \"" + NamePart(item.remotePath) +
                     L"\" with the current user.",
                 LogErrorLevel);
        return false;
    }

    NetResult Run()
    {
        size_t total = job_.queue.size();
        if (total > 0 && !MayRead(job_.queue.front()))
            return NetResult::Failed;
        size_t number = 0;
        for (QueueItem& item : job_.queue) {
            ++number;
            context_.SetStatus(context_.IsCancelled() ? std::wstring(L"Download canceled upload - stopping...")
                                                      : L"Downloading file " + std::to_wstring(number) + L" of " +
                                                            std::to_wstring(total),
                               0);
            context_.SetStatus(L"Downloading remote file: " + item.remotePath, 1);
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
        std::wstring part = PartPathFor(item.localPath);
        if (!IsInsideRoot(job_.localRoot, part)) {
            item.error = L"Failed";
            return NetResult::Ok;
        }
        NetResult result = AttemptsIntoPart(item, part, done, total);
        if (result != NetResult::Ok || !item.error.empty())
            DeleteLocalFileWaiting(part);  // what arrived is no whole file
        return result;
    }

    // Up to three attempts. The first replaces whatever the part file holds;
    // a retry, and the attempt after a wake-up, go on from the bytes it holds
    // where the server can. Ok also when the item was marked with its error.
    NetResult AttemptsIntoPart(QueueItem& item, const std::wstring& part, double done, double total)
    {
        FtpSession& session = connection_.Session();
        bool fresh = true;
        for (int attempt = 1;; fresh = false) {
            uint64_t size = 0;
            // A size of 0 is no evidence: it is also the answer for a name
            // the server refuses to size.
            if (GetRemoteSize(context_, session, item.remotePath, size) != NetResult::Ok)
                size = 0;
            bool sized = size > 0;
            std::optional<uint64_t> free =
                sized ? freeSpace_.RoomFor(LocalParent(item.localPath), size) : std::nullopt;
            // The part's bytes count as room, as they are replaced or
            // continued; its size is looked up only when the room is short.
            if (free && size > *free && size > *free + LocalFileSize(part)) {
                item.error = L"Not enough space to download: " + item.remotePath;
                return NetResult::Ok;
            }
            NetResult result =
                MayRead(item) ? DownloadOnce(item, part, fresh, sized, size, done, total) : NetResult::Failed;
            if (result == NetResult::Ok) {
                freeSpace_.Used(size);
                return result;
            }
            if (result == NetResult::Cancelled && Standby().Active()) {
                NetResult recovered = RecoverFromStandby(context_, connection_, true);
                if (recovered != NetResult::Ok)
                    return recovered;
                continue;  // the interrupted file again, not counted as a failure
            }
            if (result == NetResult::Cancelled)
                return result;
            if (++attempt > kAttemptsPerFile) {
                item.error = L"Failed";
                // A fresh log-in for the next file: the failed transfer may
                // have left a reply unread.
                return connection_.Reconnect(context_) == NetResult::Cancelled ? NetResult::Cancelled : NetResult::Ok;
            }
            if (connection_.Reconnect(context_) == NetResult::Cancelled)
                return NetResult::Cancelled;
        }
    }

    // One attempt into the part file; the target changes only on a whole file.
    NetResult DownloadOnce(QueueItem& item, const std::wstring& part, bool fresh, bool sized, uint64_t size,
                           double done, double total)
    {
        FileTransferContext fileContext(context_, done, total);
        std::wstring replyText;
        auto download = fresh ? StartPartDownload : ContinueDownload;
        NetResult result = download(fileContext, connection_.Session(), item.remotePath, part, &replyText, size);
        if (result == NetResult::Ok && fileContext.IsCancelled())
            result = NetResult::Cancelled;  // the server confirmed an aborted transfer: only a part arrived
        if (result == NetResult::Ok && sized && LocalFileSize(part) != size) {
            LogWrite(L"The download of " + item.remotePath + L" ended early.", LogErrorLevel);
            result = NetResult::Failed;
            DeleteLocalFileWaiting(part);  // the file changed on the server: continuing it would mix versions
        }
        if (result == NetResult::Ok && !CommitPartFile(part, item.localPath)) {
            LogWrite(L"Unable to replace local file: " + item.localPath, LogErrorLevel);
            result = NetResult::Failed;
        }
        if (result != NetResult::Ok) {
            if (!replyText.empty())
                LogWrite(replyText, LogErrorLevel);
            return result;
        }
        item.written = true;
        return NetResult::Ok;
    }

    TaskContext& context_;
    Connection& connection_;
    TransferJob& job_;
    FreeSpaceEstimate freeSpace_;
};

}  // namespace

NetResult TransferDownloads(TaskContext& context, Connection& connection, TransferJob& job)
{
    return DownloadPhase(context, connection, job).Run();
}
