#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ftp/Login.h"
#include "ftp/MfmtTime.h"
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

enum class LoopEnd { FileEnded, Cancelled, SendFailed, ReadFailed, NotSecured };

// FILETIME counts 100 ns units since 1601-01-01.
constexpr int64_t kFileTimeUnitsPerSecond = 10000000;
constexpr int64_t kFileTimeUnitsTo1970 = 116444736000000000;

std::wstring FileNamePart(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::optional<int64_t> LastWriteSecondsSince1970(HANDLE file)
{
    FILETIME written{};
    if (!GetFileTime(file, nullptr, nullptr, &written))
        return std::nullopt;
    int64_t units = (static_cast<int64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    return (units - kFileTimeUnitsTo1970) / kFileTimeUnitsPerSecond;
}

// STOR (or APPE) and its first reply; a 550 is tried once more on a fresh
// data connection, unless the store continues a file: the REST before it
// would be gone and the server would take the rest as the whole file.
NetResult StartStore(TaskContext& context, FtpSession& session, const std::string& storeLine, bool continues,
                     SecureSocket& data, ReplyTextOut& replyText)
{
    for (int attempt = 0;; ++attempt) {
        if (attempt > 0) {
            NetResult connected = ConnectPassiveData(context, session, data);
            if (connected != NetResult::Ok)
                return connected;
        }
        NetResult sent = SendRaw(context, session, storeLine, session.timeouts.send);
        if (sent == NetResult::Cancelled || (attempt > 0 && sent != NetResult::Ok))
            return sent;
        // A failed send shows in the reply read.
        uint16_t code = 0;
        std::string text;
        NetResult result = ReadReply(context, session, session.timeouts.reply, code, &text);
        if (result == NetResult::Cancelled)
            return result;
        if (code >= 300)
            replyText.SetUtf8(text);
        if (result != NetResult::Ok)
            return result;
        if (code >= 100 && code <= 199)
            return NetResult::Ok;
        if (code != 550 || attempt > 0 || continues)
            return NetResult::Failed;
    }
}

LoopEnd SendFromFile(TaskContext& context, FtpSession& session, SecureSocket& data, HANDLE file,
                     const std::wstring& remoteName, TransferProgress& progress, KeepAlive& keepAlive)
{
    std::vector<char> block(TransferBufferBytes(session, progress));
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &count, nullptr))
            return LoopEnd::ReadFailed;
        if (count == 0)
            return LoopEnd::FileEnded;
        if (keepAlive.Check(context) == NetResult::Cancelled)
            return LoopEnd::Cancelled;
        NetResult sent = data.Send(context, block.data(), count, session.timeouts.uploadBlock);
        if (sent == NetResult::Cancelled)
            return LoopEnd::Cancelled;
        if (sent != NetResult::Ok)
            return LoopEnd::SendFailed;
        if (progress.Add(count))
            ShowTransferProgress(context, remoteName, progress);
    }
}

// Ends the data connection after the whole file: the TLS close notification
// first, so that the server reads a proper end of the data. Failed when that
// could not be sent: the server may then not hold the end of the file.
NetResult FinishData(TaskContext& context, FtpSession& session, SecureSocket& data)
{
    NetResult result = data.TlsActive() ? data.Shutdown(context, session.timeouts.uploadBlock) : NetResult::Ok;
    data.Close();
    return result;
}

// Stops the transfer after a cancel. Ok when the server confirmed the abort.
NetResult AbortUpload(FtpSession& session, SecureSocket& data, ReplyTextOut& replyText)
{
    uint16_t code = 0;
    std::string text;
    NetResult result = AbortTransfer(session, data, session.timeouts.send, code, text);
    if (result == NetResult::Ok && (code == 426 || code == 226))
        return NetResult::Ok;
    replyText.SetUtf8(text);
    if (result == NetResult::Ok && code == 425)
        DrainReply(session);
    return NetResult::Failed;
}

// Judges the reply that ends the transfer; success is Ok.
NetResult JudgeFinalReply(TaskContext& context, FtpSession& session, uint16_t code, const std::string& text,
                          const std::wstring& remoteName, uint64_t localSize)
{
    if (code >= 200 && code <= 399)
        return NetResult::Ok;
    if (code == 426) {
        // Some servers answer 426 although everything arrived: the size tells.
        uint64_t remoteSize = 0;
        NetResult asked = GetRemoteSize(context, session, remoteName, remoteSize);
        if (asked == NetResult::Cancelled)
            return asked;
        return remoteSize == localSize ? NetResult::Ok : NetResult::Failed;
    }
    if (code == 550)
        LogError(L"Error uploading to server: %ls", Utf8ToWide(text).c_str());
    return NetResult::Failed;
}

// The bytes of an earlier attempt that the server holds and the transfer may
// continue after: only fewer than the local file has. 0: from the start.
uint64_t HeldRemotely(TaskContext& context, FtpSession& session, const std::wstring& remoteName, uint64_t localSize)
{
    uint64_t held = 0;
    if (GetRemoteSize(context, session, remoteName, held) != NetResult::Ok || held >= localSize)
        return 0;
    return held;
}

// Where the server takes the rest of the file: REST and STOR where it
// announced REST STREAM, APPE otherwise; the local file is read from there.
NetResult PrepareContinuation(TaskContext& context, FtpSession& session, HANDLE file, const std::wstring& remoteName,
                              uint64_t offset, std::string& storeVerb)
{
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN))
        return NetResult::Failed;
    LogInfo(L"Continuing the upload of %ls after %llu bytes.", remoteName.c_str(),
            static_cast<unsigned long long>(offset));
    QueryFeatures(context, session);
    if (!session.Has(HasRestStream)) {
        storeVerb = "APPE";
        return NetResult::Ok;
    }
    NetResult result = SendLoggedCommand(context, session, "REST " + std::to_string(offset) + "\r\n");
    if (result != NetResult::Ok && result != NetResult::Cancelled && session.IsOpen()) {
        storeVerb = "APPE";  // REST refused: appending continues the file as well
        return NetResult::Ok;
    }
    return result;
}

// After a continued store the server's size is the proof that the parts fit.
NetResult CheckContinuedSize(TaskContext& context, FtpSession& session, const std::wstring& remoteName,
                             uint64_t localSize, ReplyTextOut& replyText)
{
    uint64_t remoteSize = 0;
    NetResult asked = GetRemoteSize(context, session, remoteName, remoteSize);
    if (asked == NetResult::Cancelled)
        return asked;
    if (asked == NetResult::Ok && remoteSize == localSize)
        return NetResult::Ok;
    replyText.Set(L"The server holds " + std::to_wstring(remoteSize) + L" of " + std::to_wstring(localSize) +
                  L" bytes.");
    return NetResult::Failed;
}

NetResult Transfer(TaskContext& context, FtpSession& session, const std::wstring& remoteName, HANDLE file,
                   uint64_t localSize, bool mayContinue, ReplyTextOut& replyText, bool& storeAccepted)
{
    uint64_t offset = mayContinue ? HeldRemotely(context, session, remoteName, localSize) : 0;
    std::string storeVerb = "STOR";
    SecureSocket data;
    NetResult result = PrepareBinaryTransfer(context, session);
    if (result == NetResult::Ok)
        result = ConnectPassiveData(context, session, data);
    if (result == NetResult::Ok && offset > 0)
        result = PrepareContinuation(context, session, file, remoteName, offset, storeVerb);
    if (result == NetResult::Ok)
        result = StartStore(context, session, CommandLine(storeVerb, WideToUtf8(remoteName)), offset > 0, data,
                            replyText);
    if (result != NetResult::Ok)
        return result;
    storeAccepted = true;

    TransferProgress progress(localSize);
    progress.Add(offset);
    context.SetProgress(0.0);
    KeepAlive keepAlive(session);
    LoopEnd end = SecureDataIfNeeded(session, data)
                      ? SendFromFile(context, session, data, file, remoteName, progress, keepAlive)
                      : LoopEnd::NotSecured;
    if (end == LoopEnd::FileEnded && FinishData(context, session, data) != NetResult::Ok)
        end = LoopEnd::SendFailed;
    uint16_t code = 0;
    std::string text;
    switch (end) {
    case LoopEnd::Cancelled:
        if (AbortUpload(session, data, replyText) != NetResult::Ok)
            return NetResult::Failed;
        break;
    case LoopEnd::ReadFailed:
    case LoopEnd::NotSecured:
        // Nothing more may go out: the server's replies to the transfer and
        // to ABOR are read below, so that the session stays in step.
        AbortTransfer(session, data, session.timeouts.send, code, text);
        break;
    case LoopEnd::FileEnded:
    case LoopEnd::SendFailed:
        break;
    }
    data.Close();

    result = ReadFinalTransferReply(session, keepAlive.ReplyMissed(), session.timeouts.lateUploadReply, code, text);
    switch (end) {
    case LoopEnd::ReadFailed:
        replyText.Set(L"Unable to read the local file.");
        return NetResult::Failed;
    case LoopEnd::NotSecured:
        replyText.Set(kDataNotSecuredText);
        return NetResult::Failed;
    case LoopEnd::SendFailed:
        replyText.Set(TransferStopText(L"The data connection failed", progress.Moved(), localSize));
        return NetResult::Failed;
    case LoopEnd::FileEnded:
    case LoopEnd::Cancelled:
        break;
    }
    if (result != NetResult::Ok) {
        replyText.Set(L"The server did not confirm the transfer.");
        return NetResult::Failed;
    }
    result = JudgeFinalReply(context, session, code, text, remoteName, localSize);
    if (result == NetResult::Ok && offset > 0)
        result = CheckContinuedSize(context, session, remoteName, localSize, replyText);
    if (result != NetResult::Ok)
        return result;
    QueryFeatures(context, session);
    // Without the file's own time a remote time would be made up.
    std::optional<int64_t> modified = LastWriteSecondsSince1970(file);
    if (session.Has(HasMfmt) && modified)
        SendCommand(context, session, MfmtCommandLine(*modified, WideToUtf8(remoteName)));
    return NetResult::Ok;
}

NetResult UploadFile(TaskContext& context, FtpSession& session, const std::wstring& remoteName,
                     const std::wstring& localPath, bool mayContinue, std::wstring* replyTextOut,
                     bool* storeAcceptedOut)
{
    bool storeAccepted = false;
    ReplyTextOut replyText(replyTextOut);
    context.SetStatus(L"Uploading file...", 0);
    context.SetStatus(FileNamePart(localPath), 1);
    HANDLE file = CreateFileWithRetry(localPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return NetResult::Failed;
    // The size decides whether the server got the whole file: without it
    // nothing is sent.
    LARGE_INTEGER size{};
    NetResult result = NetResult::Failed;
    if (GetFileSizeEx(file, &size))
        result = Transfer(context, session, remoteName, file, static_cast<uint64_t>(size.QuadPart), mayContinue,
                          replyText, storeAccepted);
    else
        replyText.Set(L"Unable to read the size of the local file.");
    CloseHandle(file);
    if (storeAcceptedOut)
        *storeAcceptedOut = storeAccepted;
    return result;
}

}  // namespace

NetResult Upload(TaskContext& context, FtpSession& session, const std::wstring& remoteName,
                 const std::wstring& localPath, std::wstring* replyText, bool* storeAccepted)
{
    return UploadFile(context, session, remoteName, localPath, false, replyText, storeAccepted);
}

NetResult ContinueUpload(TaskContext& context, FtpSession& session, const std::wstring& remoteName,
                         const std::wstring& localPath, std::wstring* replyText, bool* storeAccepted)
{
    return UploadFile(context, session, remoteName, localPath, true, replyText, storeAccepted);
}
