#include "ftp/TransferSteps.h"

#include <windows.h>

#include <algorithm>

#include "ftp/PassiveData.h"
#include "net/TextCodec.h"

NetResult PrepareBinaryTransfer(TaskContext& context, FtpSession& session)
{
    NetResult result = ProtectDataChannel(context, session);
    if (result != NetResult::Ok)
        return result;
    return SetTransferType(context, session, 'I');
}

NetResult ConnectPassiveData(TaskContext& context, FtpSession& session, SecureSocket& data)
{
    std::wstring endpoint;
    NetResult result = OpenPassive(context, session, endpoint);
    if (result != NetResult::Ok)
        return result;
    return data.Connect(context, endpoint, 21, session.timeouts.dataConnect);
}

ReplyTextOut::ReplyTextOut(std::wstring* target) : target_(target)
{
    if (target_)
        target_->clear();
}

void ReplyTextOut::SetUtf8(const std::string& text)
{
    Set(Utf8ToWide(text));
}

void ReplyTextOut::Set(const std::wstring& text)
{
    if (target_)
        *target_ = CutText(text);
}

size_t TransferBufferBytes(const FtpSession& session, const TransferProgress& progress)
{
    constexpr uint64_t kLeastBytes = 64 * 1024;
    uint64_t expected = progress.Expected();
    if (expected == 0 || expected < progress.Moved())
        return session.transferBlockBytes;
    // One byte more than what is left: a file that grew shows at once.
    uint64_t left = expected - progress.Moved() + 1;
    return static_cast<size_t>(std::min<uint64_t>(std::max(left, kLeastBytes), session.transferBlockBytes));
}

void ShowTransferProgress(TaskContext& context, const std::wstring& name, const TransferProgress& progress)
{
    context.SetStatus(TransferStatusText(name, progress.Fraction()), 1);
    context.SetProgress(progress.Fraction());
}

KeepAlive::KeepAlive(FtpSession& session) : session_(session), lastMs_(GetTickCount64()) {}

NetResult KeepAlive::Check(TaskContext& context)
{
    if (GetTickCount64() - lastMs_ <= session_.timeouts.keepAliveInterval)
        return NetResult::Ok;
    NetResult result = SendRaw(context, session_, "NOOP\r\n", session_.timeouts.send);
    if (result == NetResult::Ok) {
        uint16_t code = 0;
        result = ReadReply(context, session_, session_.timeouts.keepAliveReply, code, nullptr);
        // A cancelled wait leaves the reply owed just like a late one.
        if (result != NetResult::Ok)
            replyMissed_ = true;
    }
    lastMs_ = GetTickCount64();
    return result == NetResult::Cancelled ? result : NetResult::Ok;
}

NetResult ReadFinalTransferReply(FtpSession& session, bool noopReplyMissed, uint32_t lateEachMs, uint16_t& code,
                                 std::string& text)
{
    if (!noopReplyMissed)
        return ReadReply(NullContext(), session, session.timeouts.reply, code, &text);
    bool found = false;
    uint16_t lateCode = 0;
    std::string lateText;
    while (ReadReply(NullContext(), session, lateEachMs, lateCode, &lateText) == NetResult::Ok) {
        if (lateCode == 226 || lateCode == 426) {
            found = true;
            code = lateCode;
            text = lateText;
        }
    }
    return found ? NetResult::Ok : NetResult::Failed;
}
