#include <windows.h>

#include <string>
#include <vector>

#include "ftp/PassiveData.h"
#include "ftp/RemoteListing.h"
#include "ftp/ReplyParsing.h"
#include "ftp/Transfer.h"
#include "ftp/TransferSteps.h"
#include "net/FileRetry.h"
#include "net/TextCodec.h"
#include "net/Log.h"

namespace {

enum class LoopEnd { DataEnded, Cancelled, WriteFailed };

bool WriteAll(HANDLE file, const char* data, size_t count)
{
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(file, data, static_cast<DWORD>(count), &written, nullptr) || written == 0)
            return false;
        data += written;
        count -= written;
    }
    return true;
}

// Receives until the server closes the data connection, writing every block
// to the file.
LoopEnd ReceiveIntoFile(TaskContext& context, FtpSession& session, SecureSocket& data, HANDLE file,
                        const std::wstring& remotePath, TransferProgress& progress, KeepAlive& keepAlive)
{
    std::vector<char> block(session.transferBlockBytes);
    ShowTransferProgress(context, remotePath, progress);
    for (;;) {
        size_t count = 0;
        NetResult received = data.Receive(context, block.data(), block.size(), session.timeouts.downloadBlock, count);
        if (received == NetResult::Cancelled)
            return LoopEnd::Cancelled;
        // The normal end: the server closes the data connection.
        if (received != NetResult::Ok)
            return LoopEnd::DataEnded;
        if (!WriteAll(file, block.data(), count))
            return LoopEnd::WriteFailed;
        if (progress.Add(count))
            ShowTransferProgress(context, remotePath, progress);
        if (keepAlive.Check(context) == NetResult::Cancelled)
            return LoopEnd::Cancelled;
    }
}

// The reply that ends the transfer: after a missed NOOP reply, the last 226 or
// 426 among the replies that arrive.
NetResult ReadDownloadFinalReply(FtpSession& session, bool noopReplyMissed, uint16_t& code, std::string& text)
{
    if (!noopReplyMissed)
        return ReadReply(NullContext(), session, session.timeouts.reply, code, &text);
    LateReplies late = ReadLateReplies(session, session.timeouts.lateDownloadReply);
    if (!late.found)
        return NetResult::Failed;
    code = late.code;
    text = late.text;
    return NetResult::Ok;
}

NetResult Transfer(TaskContext& context, FtpSession& session, const std::wstring& remotePath, HANDLE file,
                   ReplyTextOut& replyText)
{
    // The size is asked before the data connection is set up: the query may
    // need a listing of its own (TYPE A and another PASV).
    uint64_t size = 0;
    bool sizeKnown = GetRemoteSize(NullContext(), session, remotePath, size) == NetResult::Ok;

    SecureSocket data;
    NetResult result = PrepareBinaryTransfer(context, session);
    if (result == NetResult::Ok)
        result = ConnectPassiveData(context, session, data);
    if (result != NetResult::Ok)
        return result;

    result = SendRaw(context, session, CommandLine("RETR", WideToUtf8Limited(remotePath)), session.timeouts.send);
    if (result != NetResult::Ok)
        return result;
    uint16_t code = 0;
    std::string text;
    result = ReadReply(context, session, session.timeouts.reply, code, &text);
    if (result != NetResult::Ok || code < 100 || code > 199) {
        replyText.SetUtf8(text);
        return result == NetResult::Ok ? NetResult::Failed : result;
    }
    SecureDataIfNeeded(session, data);
    context.SetStatus(L"Downloading file...", 0);

    TransferProgress progress(size);
    KeepAlive keepAlive(session);
    LoopEnd end = ReceiveIntoFile(context, session, data, file, remotePath, progress, keepAlive);
    if (end != LoopEnd::DataEnded) {
        // An answer to ABOR other than 426 or 226 explains itself.
        if (AbortTransfer(session, data, session.timeouts.downloadAbortSend, code, text) == NetResult::Ok &&
            code != 426 && code != 226)
            replyText.SetUtf8(text);
    }
    data.Close();

    result = ReadDownloadFinalReply(session, keepAlive.ReplyMissed(), code, text);
    if (result == NetResult::Ok && (code < 200 || code > 399)) {
        replyText.SetUtf8(text);
        result = NetResult::Failed;
    }
    if (end == LoopEnd::WriteFailed) {
        replyText.Set(L"Unable to write the local file.");
        return NetResult::Failed;
    }
    if (result == NetResult::Ok && sizeKnown && progress.Moved() != size)
        LogWarning(L"The server reported a size of %ls bytes for %ls, but %ls bytes arrived.",
                   std::to_wstring(size).c_str(), remotePath.c_str(), std::to_wstring(progress.Moved()).c_str());
    return result;
}

}  // namespace

NetResult Download(TaskContext& context, FtpSession& session, const std::wstring& remotePath,
                   const std::wstring& localPath, std::wstring* replyTextOut)
{
    ReplyTextOut replyText(replyTextOut);
    context.SetStatus(L"Preparing for download...", 0);
    context.SetStatus(remotePath, 1);
    HANDLE file = CreateFileWithRetry(localPath, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return NetResult::Failed;
    NetResult result = Transfer(context, session, remotePath, file, replyText);
    CloseHandle(file);
    // A failed download leaves no file: what is there is not the remote file.
    if (result == NetResult::Failed)
        DeleteFileW(localPath.c_str());
    return result;
}
