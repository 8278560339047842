#include "ftp/PassiveData.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "ftp/DataLines.h"
#include "ftp/PasvReply.h"
#include "net/Log.h"

namespace {

constexpr size_t kDataBlockBytes = 256 * 1024;

std::wstring DottedAddress(const uint8_t (&bytes)[4])
{
    wchar_t text[32];
    swprintf(text, 32, L"%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

bool IsPreliminary(uint16_t code)
{
    return code >= 100 && code <= 199;
}

}  // namespace

NetResult OpenPassive(TaskContext& context, FtpSession& session, std::wstring& endpoint)
{
    endpoint.clear();
    NetResult result = SendRaw(context, session, "PASV\r\n", session.timeouts.send);
    if (result != NetResult::Ok)
        return result == NetResult::Cancelled ? result : NetResult::Failed;
    uint16_t code = 0;
    std::string text;
    result = ReadReply(context, session, session.timeouts.reply, code, &text);
    // Only a command that went out has a reply to wait for: a cancel before
    // the send must not wait a minute for an answer that never comes.
    if (result == NetResult::Cancelled) {
        DrainReply(session);
        return result;
    }
    if (result != NetResult::Ok || code != 227)
        return NetResult::Failed;
    std::optional<PasvEndpoint> offered = ParsePasvReply(text);
    if (!offered)
        return NetResult::Failed;

    uint32_t peer = session.PeerAddress();
    uint8_t peerBytes[4];
    std::memcpy(peerBytes, &peer, 4);  // network byte order: the first byte is the first number
    std::wstring peerText = DottedAddress(peerBytes);
    std::wstring offeredText = DottedAddress(offered->address);
    if (offeredText != peerText)
        LogWarning(L"The server offered the address %ls for the data connection; connecting to %ls, the server's own address.",
                   offeredText.c_str(), peerText.c_str());
    endpoint = peerText + L":" + std::to_wstring(offered->port);
    return NetResult::Ok;
}

NetResult ProtectDataChannel(TaskContext& context, FtpSession& session)
{
    // PROT P holds for the rest of the log-in: once is enough.
    if (!session.TlsActive() || session.Has(DataProtected))
        return NetResult::Ok;
    NetResult result = SendCommand(context, session, "PBSZ 0\r\n");
    if (result != NetResult::Ok)
        return result;
    uint16_t code = 0;
    result = SendCommand(context, session, "PROT P\r\n", nullptr, &code);
    if (result == NetResult::Failed && code == 534)
        context.ShowError(L"This FTP server does not support the required protected mode data transfers for SSL connections.");
    if (result == NetResult::Ok)
        session.Set(DataProtected);
    return result;
}

NetResult ConnectData(TaskContext& context, FtpSession& session, const std::wstring& endpoint, SecureSocket& data)
{
    NetResult result = data.Connect(context, endpoint, 21, session.timeouts.dataConnect);
    if (result == NetResult::Failed)
        result = data.Connect(context, endpoint, 21, session.timeouts.dataConnect);
    return result;
}

const wchar_t kDataNotSecuredText[] = L"The data connection could not be secured using SSL/TLS.";

bool SecureDataIfNeeded(FtpSession& session, SecureSocket& data)
{
    return !session.TlsActive() || data.StartTls(session);
}

NetResult AbortTransfer(FtpSession& session, SecureSocket& data, uint32_t sendTimeoutMs, uint16_t& code,
                        std::string& text)
{
    code = 0;
    text.clear();
    data.Close();
    NetResult result = SendRaw(NullContext(), session, "ABOR\r\n", sendTimeoutMs);
    if (result != NetResult::Ok)
        return result;
    return ReadReply(NullContext(), session, session.timeouts.abortReply, code, &text);
}

NetResult AbandonUnsecuredListing(FtpSession& session, SecureSocket& data)
{
    LogError(kDataNotSecuredText);
    uint16_t code = 0;
    std::string text;
    if (AbortTransfer(session, data, session.timeouts.send, code, text) == NetResult::Ok)
        ReadReply(NullContext(), session, session.timeouts.abortReply, code, &text);
    return NetResult::Failed;
}

void ReadDataLines(TaskContext& context, SecureSocket& data, uint32_t timeoutMs, const DataLinesConsumer& takeLines)
{
    DataLineSplitter splitter;
    std::vector<std::string> lines;
    std::string block(kDataBlockBytes, '\0');
    while (!context.IsCancelled()) {
        size_t count = 0;
        if (data.Receive(context, block.data(), block.size(), timeoutMs, count) != NetResult::Ok)
            break;
        splitter.Feed(std::string_view(block.data(), count), lines);
        takeLines(lines);
        lines.clear();
    }
    splitter.Finish(lines);
    takeLines(lines);
}

void ReadDataLines(TaskContext& context, SecureSocket& data, uint32_t timeoutMs, std::vector<std::string>& lines)
{
    ReadDataLines(context, data, timeoutMs, [&lines](std::vector<std::string>& more) {
        lines.insert(lines.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    });
}

NetResult ReadFinalDataReply(TaskContext& context, FtpSession& session)
{
    uint16_t code = 0;
    NetResult result = ReadReplyCode(context, session, code);
    if (result == NetResult::Cancelled)
        DrainReply(session);
    if (result != NetResult::Ok)
        return result;
    return code >= 200 && code <= 399 ? NetResult::Ok : NetResult::Failed;
}

NetResult ListOverData(TaskContext& context, FtpSession& session, std::string_view commandLine,
                       std::vector<std::string>& lines)
{
    lines.clear();
    if (session.Has(HasUtf8))
        SendLoggedCommand(context, session, "OPTS UTF8 ON\r\n");
    NetResult result = ProtectDataChannel(context, session);
    if (result == NetResult::Ok)
        result = SendCommand(context, session, "TYPE A\r\n");
    std::wstring endpoint;
    if (result == NetResult::Ok)
        result = OpenPassive(context, session, endpoint);
    if (result != NetResult::Ok)
        return result;

    SecureSocket data;
    result = ConnectData(context, session, endpoint, data);
    if (result != NetResult::Ok)
        return result;
    uint16_t code = 0;
    std::string text;
    SendCommand(context, session, commandLine, &text, &code);  // only the code counts
    if (!IsPreliminary(code))
        return NetResult::Failed;
    if (!SecureDataIfNeeded(session, data))
        return AbandonUnsecuredListing(session, data);
    ReadDataLines(context, data, session.timeouts.listingLine, lines);
    data.Close();
    return ReadFinalDataReply(context, session);
}
