#include "ops/JobRollback.h"

#include <windows.h>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteNames.h"
#include "net/Log.h"
#include "ops/LocalFiles.h"

namespace {

bool AskDelete(UserPrompt& prompt, const wchar_t* caption, const wchar_t* text, const wchar_t* declineButton)
{
    PromptQuestion question;
    question.caption = caption;
    question.text = text;
    question.acceptButton = L"Delete";
    question.declineButton = declineButton;
    question.declineIsDefault = true;
    return prompt.Ask(question).accepted;
}

}  // namespace

void OfferDownloadRollback(TaskContext& context, UserPrompt& prompt, TransferJob& job)
{
    if (!AskDelete(prompt, L"Download Canceled", L"Delete downloaded local files and folders?", L"Leave Files"))
        return;
    for (QueueItem& item : job.queue) {
        if (!item.written)
            continue;  // not this job's file: an older one the user keeps
        LogWrite(L"Deleting local file: " + item.localPath, LogInformation);
        if (DeleteLocalFileWaiting(item.localPath))
            item.written = false;
        else
            LogWrite(L"Unable to delete local file: " + item.localPath, LogErrorLevel);
    }
    for (const std::wstring& folder : job.createdFolders) {
        context.SetStatus(L"Deleting local folder: " + folder, 1);
        if (!RemoveDirectoryW(folder.c_str()))
            LogWrite(L"Unable to delete local folder: " + folder + L".", LogErrorLevel);
    }
}

NetResult OfferUploadRollback(TaskContext& context, Connection& connection, UserPrompt& prompt,
                              const TransferJob& job)
{
    if (job.transferredFiles.empty() && job.createdFolders.empty())
        return NetResult::Ok;
    if (!AskDelete(prompt, L"Tarnwick File Transfer Software",
                   L"Do you wish to delete the already uploaded files and folders?", L"Cancel"))
        return NetResult::Cancelled;
    FtpSession& session = connection.Session();
    context.SetStatus(L"Deleting Files and Folders...", 0);
    size_t total = job.transferredFiles.size() + job.createdFolders.size();
    size_t done = 0;
    for (const std::wstring& file : job.transferredFiles) {
        if (context.IsCancelled())
            return NetResult::Cancelled;
        std::wstring path = JoinRemotePath(job.remoteRoot, file);
        LogWrite(L"Deleting remote file: " + path, LogInformation);
        context.SetStatus(path, 1);
        context.SetProgress(static_cast<double>(done++) / static_cast<double>(total));
        if (DeleteRemoteFile(context, session, path) != NetResult::Ok)
            LogWrite(L"Unable to delete remote file " + path + L". Possibly already deleted or transfer incomplete.",
                     LogErrorLevel);
    }
    for (const std::wstring& folder : job.createdFolders) {
        if (context.IsCancelled())
            return NetResult::Cancelled;
        context.SetStatus(L"Deleting remote folder: " + folder, 1);
        context.SetProgress(static_cast<double>(done++) / static_cast<double>(total));
        size_t slash = folder.find_last_of(L'/');
        std::wstring parent = slash == 0 ? L"/" : folder.substr(0, slash);
        NetResult result = ChangeRemoteFolder(context, session, parent);
        if (result == NetResult::Ok)
            result = DeleteRemoteTree(context, session, folder.substr(slash + 1));
        if (result != NetResult::Ok)
            LogWrite(L"Unable to delete remote folder " + folder +
                         L". Possibly already deleted or transfer incomplete.",
                     LogErrorLevel);
    }
    return NetResult::Ok;
}
