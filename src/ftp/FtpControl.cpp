#include <string>

#include "ftp/FtpSession.h"
#include "ftp/ReplyParsing.h"
#include "net/Log.h"

namespace {

bool IsPositive(uint16_t code)
{
    return code >= 200 && code <= 399;
}

// What a wait for a reply that ends in silence means.
enum class Silence {
    // The reply is owed: the server is taken as gone, and a reply it sent
    // later would be read as the answer to the next command.
    EndsSession,
    // The reply may not come at all.
    Allowed,
};

// Whether the line changes the representation type behind the session's back.
bool ResetsTransferType(std::string_view line)
{
    for (std::string_view verb : {std::string_view("TYPE"), std::string_view("REIN")}) {
        if (line.size() <= verb.size() || (line[verb.size()] != ' ' && line[verb.size()] != '\r'))
            continue;
        bool same = true;
        for (size_t i = 0; i < verb.size(); ++i)
            same = same && (line[i] & ~0x20) == verb[i];
        if (same)
            return true;
    }
    return false;
}

// A line the server must not see is logged and not sent. One that changes
// the type makes the session forget the type it knew.
bool MaySend(FtpSession& session, std::string_view line)
{
    std::wstring refusal = CommandLineRefusal(line);
    if (!refusal.empty()) {
        LogWrite(refusal, LogErrorLevel);
        return false;
    }
    if (ResetsTransferType(line))
        session.transferType = 0;
    return true;
}

// Reads one whole reply. Whenever the session can no longer stay in step with
// the server (the reply broken off after it began, a reply too long to read
// to its end, silence where a reply is owed) the control connection is closed,
// so that later commands fail at once instead of reading stale replies.
NetResult ReadFramedReply(TaskContext& context, FtpSession& session, uint32_t timeoutMs, size_t keepBytes,
                          Silence silence, ReplyFramer& framer)
{
    SecureSocket::LineBounds bounds{keepBytes, kMaxReplyBytes};
    std::string line;
    for (;;) {
        NetResult result = session.ReadLine(context, line, timeoutMs, bounds);
        bool tooLong = result == NetResult::Failed && bounds.streamBytes == 0;
        if (result == NetResult::Ok) {
            ReplyFramer::State state = framer.Feed(line);
            if (state == ReplyFramer::State::Complete)
                return NetResult::Ok;
            if (state == ReplyFramer::State::NeedMore)
                continue;
            tooLong = true;
        }
        if (tooLong) {
            LogError(L"The reply from %ls went on for more than %u lines or %u bytes; the connection was closed.",
                     session.Host().c_str(), static_cast<unsigned>(kMaxReplyLines), static_cast<unsigned>(kMaxReplyBytes));
            session.Close();
            return NetResult::Failed;
        }
        bool begun = bounds.streamBytes < kMaxReplyBytes;
        if (begun || (result == NetResult::Failed && silence == Silence::EndsSession))
            session.Close();
        return result;
    }
}

NetResult ReadLoggedReply(TaskContext& context, FtpSession& session, uint32_t timeoutMs, Silence silence,
                          uint16_t& code, std::string* text, std::vector<std::string>* earlierLines)
{
    code = 0;
    if (text)
        text->clear();
    ReplyFramer framer;
    NetResult result = ReadFramedReply(context, session, timeoutMs, SecureSocket::kMaxLineBytes, silence, framer);
    if (result != NetResult::Ok)
        return result;
    ReplyLine final = ParseReplyLine(framer.FinalLine());
    code = final.code;
    if (text)
        *text = std::move(final.text);
    if (earlierLines)
        *earlierLines = framer.TakeEarlierLines();
    LogWrite(ResponseLogText(framer.FinalLine()), LogResponse);
    return NetResult::Ok;
}

}  // namespace

NetResult SendRaw(TaskContext& context, FtpSession& session, std::string_view line, uint32_t timeoutMs)
{
    if (!MaySend(session, line))
        return NetResult::Failed;
    return session.Send(context, line.data(), line.size(), timeoutMs);
}

NetResult ReadReply(TaskContext& context, FtpSession& session, uint32_t timeoutMs, uint16_t& code, std::string* text,
                    std::vector<std::string>* earlierLines)
{
    // Shorter waits than the session's allowance look for a reply that may not come.
    Silence silence = timeoutMs >= session.timeouts.reply ? Silence::EndsSession : Silence::Allowed;
    return ReadLoggedReply(context, session, timeoutMs, silence, code, text, earlierLines);
}

NetResult ReadReplyCode(TaskContext& context, FtpSession& session, uint16_t& code)
{
    return ReadReply(context, session, session.timeouts.reply, code, nullptr);
}

void DrainReply(FtpSession& session)
{
    uint16_t code;
    ReadReplyCode(NullContext(), session, code);
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
    // Some servers send a second line after a 500 to a command they do not
    // know; most send none.
    if (replyCode == 500 && !session.Has(FeatQueried)) {
        uint16_t ignored;
        ReadLoggedReply(NullContext(), session, session.timeouts.reply, Silence::Allowed, ignored, nullptr, nullptr);
    }
    return NetResult::Failed;
}

NetResult SetTransferType(TaskContext& context, FtpSession& session, char type, uint16_t* code)
{
    if (session.transferType == type) {
        if (code)
            *code = 200;
        return NetResult::Ok;
    }
    uint16_t replyCode = 0;
    NetResult result = SendCommand(context, session, std::string("TYPE ") + type + "\r\n", nullptr, &replyCode);
    if (code)
        *code = replyCode;
    if (result == NetResult::Ok && replyCode == 200)
        session.transferType = type;
    return result;
}

NetResult SendLoggedCommand(TaskContext& context, FtpSession& session, std::string_view line)
{
    if (!MaySend(session, line))
        return NetResult::Failed;
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
    ReplyFramer framer;
    result = ReadFramedReply(context, session, session.timeouts.reply, std::string::npos, Silence::EndsSession, framer);
    if (result == NetResult::Cancelled)
        DrainReply(session);
    if (result != NetResult::Ok)
        return result;
    // Stray lines before the answer make it unusable; it is still read to its end.
    if (framer.HadStrayLines())
        return NetResult::Failed;
    lines = framer.TakeCollectedLines();
    return IsPositive(ParseReplyLine(framer.FinalLine()).code) ? NetResult::Ok : NetResult::Failed;
}
