#include <string>

#include "ftp/FtpSession.h"
#include "ftp/ReplyParsing.h"
#include "net/Log.h"

namespace {

bool IsPositive(uint16_t code)
{
    return code >= 200 && code <= 399;
}

}  // namespace

NetResult SendRaw(TaskContext& context, FtpSession& session, std::string_view line, uint32_t timeoutMs)
{
    return session.Send(context, line.data(), line.size(), timeoutMs);
}

NetResult ReadReply(TaskContext& context, FtpSession& session, uint32_t timeoutMs, uint16_t& code, std::string* text,
                    std::vector<std::string>* earlierLines)
{
    code = 0;
    if (text)
        text->clear();
    std::string line;
    for (;;) {
        NetResult result = session.ReadLine(context, line, timeoutMs);
        if (result != NetResult::Ok)
            return result;
        for (std::string_view piece : SplitReplyPieces(line)) {
            std::optional<FinalReplyLine> final = ParseFinalReplyLine(piece);
            if (!final) {
                if (earlierLines && !piece.empty())
                    earlierLines->emplace_back(piece);
                continue;
            }
            code = final->code;
            if (text)
                *text = std::move(final->text);
            LogWrite(ResponseLogText(piece), LogResponse);
            return NetResult::Ok;
        }
    }
}

NetResult ReadReplyCode(TaskContext& context, FtpSession& session, uint16_t& code)
{
    return ReadReply(context, session, session.timeouts.reply, code, nullptr);
}

void DrainReply(FtpSession& session)
{
    uint16_t code;
    ReadReply(NullContext(), session, session.timeouts.reply, code, nullptr);
}

NetResult SendCommand(TaskContext& context, FtpSession& session, std::string_view line, std::string* text, uint16_t* code)
{
    NetResult result = SendRaw(context, session, line, session.timeouts.send);
    if (result != NetResult::Ok)
        return result;
    uint16_t replyCode = 0;
    result = ReadReply(context, session, session.timeouts.reply, replyCode, text);
    if (result == NetResult::Cancelled) {
        DrainReply(session);
        return result;
    }
    if (result != NetResult::Ok)
        return result;
    if (code)
        *code = replyCode;
    if (IsPositive(replyCode) || replyCode == 150)
        return NetResult::Ok;
    // Some servers send a second line after a 500 to a command they do not know.
    if (replyCode == 500 && !session.Has(FeatQueried))
        DrainReply(session);
    return NetResult::Failed;
}

NetResult SendLoggedCommand(TaskContext& context, FtpSession& session, std::string_view line)
{
    LogCommand(line);
    NetResult result = session.Send(context, line.data(), line.size(), 15000 + static_cast<uint32_t>(line.size()));
    if (result != NetResult::Ok)
        return result;
    uint16_t code = 0;
    result = ReadReplyCode(context, session, code);
    if (result != NetResult::Ok)
        return result;
    if (IsPositive(code))
        return NetResult::Ok;
    if (code == 530)
        LogWrite(L"User login failed. Check that you have the correct username and password.", LogErrorLevel);
    else
        LogError(L"Reply Gave Unexpected Response: %u", static_cast<unsigned>(code));
    return NetResult::Failed;
}

NetResult CollectReply(TaskContext& context, FtpSession& session, std::string_view line, std::vector<std::string>& lines)
{
    lines.clear();
    NetResult result = SendRaw(context, session, line, session.timeouts.send);
    if (result != NetResult::Ok)
        return result;
    ReplyCollector collector;
    std::string received;
    received.reserve(5200);
    for (;;) {
        result = session.ReadLongLine(context, received, session.timeouts.reply);
        if (result == NetResult::Cancelled) {
            DrainReply(session);
            return result;
        }
        if (result != NetResult::Ok)
            return result;
        ReplyCollector::State state = collector.Feed(received);
        if (state == ReplyCollector::State::NeedMore)
            continue;
        lines = collector.TakeLines();
        return state == ReplyCollector::State::Ok ? NetResult::Ok : NetResult::Failed;
    }
}
