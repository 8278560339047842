#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ftp/Login.h"
#include "ftp/PassiveData.h"
#include "ftp/RemoteListing.h"
#include "ftp/ReplyParsing.h"
#include "ftp/Transfer.h"
#include "ftp/TransferSize.h"
#include "ftp/TransferSteps.h"
#include "net/FileRetry.h"
#include "net/TextCodec.h"
#include "net/Log.h"

namespace {

enum class LoopEnd { DataEnded, Cancelled, WriteFailed, ReceiveFailed, NotSecured };

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

// Receives until the server closes the data connection, writing the data to
// the file. Only an orderly close is the end of the data: a reset, a
// time-out or a TLS failure may cut the file anywhere. Whatever arrived is in
// the file when the loop ends.
LoopEnd ReceiveIntoFile(TaskContext& context, FtpSession& session, SecureSocket& data, HANDLE file,
                        const std::wstring& remotePath, TransferProgress& progress, KeepAlive& keepAlive)
{
    // The file is written in large pieces, however little each receive
    // brings: a server that writes small pieces would otherwise cost a file
    // call for each of them.
    std::vector<char> block(TransferBufferBytes(session, progress));
    const size_t writeAt = std::max<size_t>(block.size() / 2, 1);
    size_t held = 0;
    auto endWith = [&](LoopEnd end) { return WriteAll(file, block.data(), held) ? end : LoopEnd::WriteFailed; };
    ShowTransferProgress(context, remotePath, progress);
    for (;;) {
        size_t count = 0;
        NetResult received = data.Receive(context, block.data() + held, block.size() - held,
                                          session.timeouts.downloadBlock, count);
        if (received == NetResult::Cancelled)
            return endWith(LoopEnd::Cancelled);
        if (received != NetResult::Ok)
            return endWith(data.LastReceiveEnd() == ReceiveEnd::Closed ? LoopEnd::DataEnded : LoopEnd::ReceiveFailed);
        held += count;
        if (held >= writeAt) {
            if (!WriteAll(file, block.data(), held))
                return LoopEnd::WriteFailed;
            held = 0;
        }
        if (progress.Add(count))
            ShowTransferProgress(context, remotePath, progress);
        if (keepAlive.Check(context) == NetResult::Cancelled)
            return endWith(LoopEnd::Cancelled);
    }
}

// What went wrong with a data connection that did not end in order.
const wchar_t* ReceiveFailure(ReceiveEnd end)
{
    switch (end) {
    case ReceiveEnd::TimedOut:
        return L"The data connection timed out";
    case ReceiveEnd::TlsError:
        return L"The SSL/TLS protection of the data connection failed";
    default:
        return L"The data connection was broken off";
    }
}

// Where the data goes in the file: everything from offset on is replaced.
bool StartFileAt(HANDLE file, uint64_t offset)
{
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// The bytes already held that the server can continue after: only a part
// shorter than the remote file, and only with REST STREAM. 0: from the start.
uint64_t ResumeOffset(TaskContext& context, FtpSession& session, uint64_t held, std::optional<uint64_t> size)
{
    if (held == 0 || !size || held >= *size)
        return 0;
    QueryFeatures(context, session);
    return session.Has(HasRestStream) ? held : 0;
}

// REST before RETR. A server that refuses it sends the whole file.
NetResult RestartAt(TaskContext& context, FtpSession& session, HANDLE file, const std::wstring& remotePath,
                    uint64_t& offset)
{
    if (offset == 0)
        return NetResult::Ok;
    NetResult result = SendLoggedCommand(context, session, "REST " + std::to_string(offset) + "\r\n");
    if (result == NetResult::Ok) {
        LogInfo(L"Continuing the download of %ls after %llu bytes.", remotePath.c_str(),
                static_cast<unsigned long long>(offset));
        return result;
    }
    if (result == NetResult::Cancelled || !session.IsOpen())
        return result;
    offset = 0;
    return StartFileAt(file, 0) ? NetResult::Ok : NetResult::Failed;
}

NetResult Transfer(TaskContext& context, FtpSession& session, const std::wstring& remotePath, HANDLE file,
                   uint64_t held, std::optional<uint64_t> askedSize, ReplyTextOut& replyText)
{
    // The size is asked before the data connection is set up: the query may
    // need a listing of its own (TYPE A and another PASV).
    // A size of 0 is no evidence: the query also gives it for a name the
    // server does not know. The caller's answer, when it just asked, is not
    // asked again.
    uint64_t queriedSize = 0;
    if (askedSize)
        queriedSize = *askedSize;
    else if (GetRemoteSize(NullContext(), session, remotePath, queriedSize) != NetResult::Ok)
        queriedSize = 0;
    std::optional<uint64_t> size;
    if (queriedSize > 0)
        size = queriedSize;
    uint64_t offset = ResumeOffset(context, session, held, size);
    // An empty file needs no positioning (and a pipe cannot be positioned).
    if (held > 0 && !StartFileAt(file, offset)) {
        replyText.Set(L"Unable to write the local file.");
        return NetResult::Failed;
    }

    SecureSocket data;
    NetResult result = PrepareBinaryTransfer(context, session);
    if (result == NetResult::Ok)
        result = ConnectPassiveData(context, session, data);
    if (result == NetResult::Ok)
        result = RestartAt(context, session, file, remotePath, offset);
    if (result != NetResult::Ok)
        return result;

    result = SendRaw(context, session, CommandLine("RETR", WideToUtf8(remotePath)), session.timeouts.send);
    if (result != NetResult::Ok)
        return result;
    uint16_t code = 0;
    std::string text;
    result = ReadReply(context, session, session.timeouts.reply, code, &text);
    if (result != NetResult::Ok || code < 100 || code > 199) {
        replyText.SetUtf8(text);
        return result == NetResult::Ok ? NetResult::Failed : result;
    }
    // The server's word on this very transfer goes before the size query's.
    // After REST servers differ in whether they announce the whole size or
    // what is left: the size query holds.
    if (std::optional<uint64_t> announced = AnnouncedSize(text); announced && offset == 0)
        size = announced;

    bool secured = SecureDataIfNeeded(session, data);
    context.SetStatus(L"Downloading file...", 0);
    // Moved() counts the bytes in the file, those of an earlier attempt too.
    TransferProgress progress(size.value_or(0));
    progress.Add(offset);
    KeepAlive keepAlive(session);
    LoopEnd end = secured ? ReceiveIntoFile(context, session, data, file, remotePath, progress, keepAlive)
                          : LoopEnd::NotSecured;
    ReceiveEnd receiveEnd = data.LastReceiveEnd();
    if (end != LoopEnd::DataEnded) {
        // An answer to ABOR other than 426 or 226 explains itself.
        if (AbortTransfer(session, data, session.timeouts.downloadAbortSend, code, text) == NetResult::Ok &&
            code != 426 && code != 226)
            replyText.SetUtf8(text);
    }
    data.Close();

    result = ReadFinalTransferReply(session, keepAlive.ReplyMissed(), session.timeouts.lateDownloadReply, code, text);
    if (result == NetResult::Ok && (code < 200 || code > 399)) {
        replyText.SetUtf8(text);
        result = NetResult::Failed;
    }
    // The program's own words where it knows better than the server what
    // happened to the data.
    switch (end) {
    case LoopEnd::NotSecured:
        replyText.Set(kDataNotSecuredText);
        return NetResult::Failed;
    case LoopEnd::WriteFailed:
        replyText.Set(L"Unable to write the local file.");
        return NetResult::Failed;
    case LoopEnd::ReceiveFailed:
        replyText.Set(TransferStopText(ReceiveFailure(receiveEnd), progress.Moved(), size));
        return NetResult::Failed;
    case LoopEnd::DataEnded:
        if (result == NetResult::Ok) {
            if (std::optional<std::wstring> mismatch = SizeMismatchText(progress.Moved(), size)) {
                replyText.Set(*mismatch);
                // The file changed on the server: a later attempt starts afresh.
                StartFileAt(file, 0);
                return NetResult::Failed;
            }
        }
        return result;
    case LoopEnd::Cancelled:
        // Whatever the server answers to ABOR, the file is not whole.
        return result == NetResult::Cancelled || result == NetResult::Ok ? NetResult::Cancelled : result;
    }
    return result;
}

// Opens the local file, afresh or keeping what it holds, and downloads into it.
NetResult DownloadIntoFile(TaskContext& context, FtpSession& session, const std::wstring& remotePath,
                           const std::wstring& path, bool keepHeld, std::optional<uint64_t> askedSize,
                           std::wstring* replyTextOut)
{
    ReplyTextOut replyText(replyTextOut);
    context.SetStatus(L"Preparing for download...", 0);
    context.SetStatus(remotePath, 1);
    HANDLE file = CreateFileWithRetry(path, GENERIC_WRITE, 0, keepHeld ? OPEN_ALWAYS : CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return NetResult::Failed;
    // A new file holds nothing (and a pipe has no size to ask).
    LARGE_INTEGER held{};
    NetResult result = NetResult::Failed;
    if (!keepHeld || GetFileSizeEx(file, &held))
        result = Transfer(context, session, remotePath, file, static_cast<uint64_t>(held.QuadPart), askedSize,
                          replyText);
    CloseHandle(file);
    return result;
}

}  // namespace

NetResult Download(TaskContext& context, FtpSession& session, const std::wstring& remotePath,
                   const std::wstring& localPath, std::wstring* replyTextOut)
{
    NetResult result = DownloadIntoFile(context, session, remotePath, localPath, false, std::nullopt, replyTextOut);
    // A download that did not succeed leaves no file: what is there is not
    // the remote file.
    if (result != NetResult::Ok)
        DeleteFileW(localPath.c_str());
    return result;
}

NetResult ContinueDownload(TaskContext& context, FtpSession& session, const std::wstring& remotePath,
                           const std::wstring& partPath, std::wstring* replyTextOut, std::optional<uint64_t> askedSize)
{
    return DownloadIntoFile(context, session, remotePath, partPath, true, askedSize, replyTextOut);
}

NetResult StartPartDownload(TaskContext& context, FtpSession& session, const std::wstring& remotePath,
                            const std::wstring& partPath, std::wstring* replyTextOut, std::optional<uint64_t> askedSize)
{
    return DownloadIntoFile(context, session, remotePath, partPath, false, askedSize, replyTextOut);
}
