#include "ftp/Login.h"

#include "ftp/ReplyParsing.h"
#include "net/HostText.h"
#include "net/TextCodec.h"
#include "net/Log.h"

namespace {

constexpr const wchar_t* kLoginFailed = L"User login failed. Check that you have the correct username and password.";

// Messages name the machine actually connected to: the server, or the proxy.
struct Display {
    std::wstring host;
    int port;
};

Display DisplayOf(const std::wstring& hostText, uint16_t defaultPort)
{
    HostAndPort split = SplitHostText(hostText, defaultPort);
    return {split.host, split.port};
}

void LogFailure(const wchar_t* format, const Display& display)
{
    LogError(format, display.host.c_str(), display.port);
}

bool IsPositive(uint16_t code)
{
    return code >= 200 && code <= 399;
}

// From USER on: the site's user name and, when asked, its password.
NetResult UserLogin(TaskContext& context, FtpSession& session, const LoginRequest& request, const Display& display,
                    bool userAlreadyAccepted)
{
    if (!userAlreadyAccepted) {
        NetResult sent = SendRaw(context, session, CommandLine("USER", WideToUtf8(request.user)), session.timeouts.send);
        if (sent == NetResult::Failed)
            LogFailure(L"Sending username to server %ls on port %d failed. Check your connection.", display);
        if (sent != NetResult::Ok)
            return sent;
        uint16_t code = 0;
        NetResult read = ReadReplyCode(context, session, code);
        if (read != NetResult::Ok) {
            LogFailure(L"No reply from server %ls on port %d. Check your connection.", display);
            return read;
        }
        if (code == 230)
            return NetResult::Ok;
        if (code == 530) {
            LogWrite(kLoginFailed, LogErrorLevel);
            return NetResult::Failed;
        }
    }
    NetResult passed = SendLoggedCommand(context, session, CommandLine("PASS", WideToUtf8(request.password)));
    return passed == NetResult::Ok ? NetResult::Ok : NetResult::Failed;
}

constexpr const wchar_t* kNotSecured = L"Connection to server %ls on port %d could not be secured using SSL/TLS.";

// TLS on the control connection. A certificate that was refused is named in
// the log and in the failure, so that the caller can ask the user about it.
bool SecureControl(FtpSession& session, const Display& display, LoginFailure& failure)
{
    if (session.StartTls(session.timeouts.tlsHandshake))
        return true;
    if (const std::optional<CertificateFacts>& rejected = session.RejectedCertificate()) {
        failure = LoginFailure::CertificateRejected;
        LogError(L"The certificate of server %ls on port %d was not accepted. %ls SHA-256 fingerprint: %ls",
                 display.host.c_str(), display.port, CertificateProblemText(rejected->problem).c_str(),
                 FingerprintText(rejected->sha256).c_str());
    }
    return false;
}

// AUTH TLS on the control connection, to whichever machine is its peer (the
// server, or the proxy). A refusal ends the log-in before the user name is
// sent, unless the request allows going on without TLS.
NetResult NegotiateExplicitTls(TaskContext& context, FtpSession& session, const LoginRequest& request,
                               const Display& display, LoginFailure& failure)
{
    const wchar_t* explicitFailed =
        L"Explicit SSL/TLS failed with server %ls on port %d, try using Implicit SSL/TLS or standard FTP.";
    NetResult sent = SendRaw(context, session, "AUTH TLS\r\n", session.timeouts.send);
    if (sent == NetResult::Failed)
        LogFailure(explicitFailed, display);
    if (sent != NetResult::Ok)
        return sent;
    uint16_t code = 0;
    NetResult read = ReadReplyCode(context, session, code);
    if (read != NetResult::Ok) {
        LogFailure(explicitFailed, display);
        return read;
    }
    if (code == 234) {
        // A failed handshake leaves the connection closed.
        if (SecureControl(session, display, failure))
            return NetResult::Ok;
        LogFailure(L"Unable to use SSL/TLS with server %ls on port %d.", display);
        return NetResult::Failed;
    }
    const wchar_t* refused =
        L"The server %ls on port %d does not support explicit SSL/TLS, try using Implicit SSL/TLS or standard FTP.";
    if (request.allowUnprotected) {
        LogWarning(refused, display.host.c_str(), display.port);
        return NetResult::Ok;
    }
    LogFailure(refused, display);
    failure = LoginFailure::ExplicitTlsRefused;
    return NetResult::Failed;
}

bool WantsExplicitTls(const LoginRequest& request)
{
    return request.secure && !request.implicit;
}

NetResult LoginDirect(TaskContext& context, FtpSession& session, const LoginRequest& request, LoginFailure& failure)
{
    uint16_t defaultPort = DefaultFtpPort(request.secure, request.implicit);
    NetResult connected = session.Connect(context, request.hostText, defaultPort, session.timeouts.connect);
    Display display = DisplayOf(request.hostText, defaultPort);
    if (connected != NetResult::Ok)
        failure = LoginFailure::NotConnected;

    if (request.secure && request.implicit) {
        if (connected != NetResult::Ok || !SecureControl(session, display, failure)) {
            LogFailure(kNotSecured, display);
            return NetResult::Failed;
        }
    }
    if (connected != NetResult::Ok) {
        LogFailure(L"Failed to connect to server %ls on port %d. Check that you have the correct server address and port.",
                   display);
        return connected;
    }

    uint16_t code = 0;
    NetResult greeted = ReadReplyCode(context, session, code);
    if (greeted != NetResult::Ok) {
        LogFailure(L"No reply from the server %ls on port %d. Check that you have the correct server address and port.",
                   display);
        return greeted;
    }
    if (!IsPositive(code)) {
        LogFailure(L"The server %ls on port %d returned a bad reply. Check that you have the correct server address and port.",
                   display);
        return NetResult::Failed;
    }
    if (WantsExplicitTls(request)) {
        NetResult secured = NegotiateExplicitTls(context, session, request, display, failure);
        if (secured != NetResult::Ok)
            return secured;
    }
    return UserLogin(context, session, request, display, false);
}

// USER and PASS of the proxy's own log-in (types 1 and 4).
NetResult ProxyLogin(TaskContext& context, FtpSession& session, const ProxySettings& proxy, const Display& display)
{
    NetResult sent = SendRaw(context, session, CommandLine("USER", WideToUtf8(proxy.user)), session.timeouts.send);
    if (sent == NetResult::Failed)
        LogFailure(L"Failed to send username to server %ls on port %d. Check your connection.", display);
    if (sent != NetResult::Ok)
        return sent;
    uint16_t code = 0;
    NetResult read = ReadReply(context, session, session.timeouts.reply, code, nullptr);
    if (read != NetResult::Ok) {
        LogFailure(L"No reply from server %ls on port %d for username. Check your connection.", display);
        return read;
    }
    if (code == 331) {
        // The proxy password is sent raw: it never reaches the log.
        sent = SendRaw(context, session, CommandLine("PASS", WideToUtf8(proxy.password)), session.timeouts.send);
        if (sent == NetResult::Failed)
            LogFailure(L"Failed to send password to server %ls on port %d. Check your connection.", display);
        if (sent != NetResult::Ok)
            return sent;
        read = ReadReplyCode(context, session, code);
        if (read != NetResult::Ok) {
            LogFailure(L"No reply from server %ls on port %d for password. Check your connection.", display);
            return read;
        }
    }
    if (code != 230) {
        LogWrite(kLoginFailed, LogErrorLevel);
        return NetResult::Failed;
    }
    return NetResult::Ok;
}

NetResult LoginThroughProxy(TaskContext& context, FtpSession& session, const LoginRequest& request, const ProxySettings& proxy,
                            LoginFailure& failure)
{
    uint16_t defaultPort = DefaultFtpPort(request.secure, request.implicit);
    NetResult connected = session.Connect(context, proxy.host, defaultPort, session.timeouts.connect);
    Display display = DisplayOf(proxy.host, defaultPort);
    if (connected != NetResult::Ok) {
        failure = LoginFailure::NotConnected;
        LogFailure(L"Failed to connect to server %ls on port %d. Check that you have the correct server address and port.",
                   display);
        return connected;
    }
    // The proxy is the peer of the control connection: TLS, implicit or
    // explicit, is negotiated with it.
    if (request.secure && request.implicit && !SecureControl(session, display, failure)) {
        LogFailure(kNotSecured, display);
        return NetResult::Failed;
    }
    uint16_t code = 0;
    NetResult greeted = ReadReplyCode(context, session, code);
    if (greeted != NetResult::Ok) {
        LogFailure(L"Failed to get a reply from the server %ls on port %d. Check that you have the correct server address and port.",
                   display);
        return greeted;
    }
    if (code != 220) {
        LogFailure(L"The server %ls on port %d returned a bad reply. Check that you have the correct server address and port.",
                   display);
        return NetResult::Failed;
    }
    if (proxy.type < 1 || proxy.type > 4)
        return NetResult::Failed;
    if (WantsExplicitTls(request)) {
        NetResult secured = NegotiateExplicitTls(context, session, request, display, failure);
        if (secured != NetResult::Ok)
            return secured;
    }
    if (proxy.type == 1 || proxy.type == 4) {
        NetResult loggedIn = ProxyLogin(context, session, proxy, display);
        if (loggedIn != NetResult::Ok)
            return loggedIn;
    }

    std::string server = WideToUtf8(request.hostText);
    std::string command;
    switch (proxy.type) {
    case 1:
        command = CommandLine("SITE", server);
        break;
    case 2:
        command = CommandLine("OPEN", server);
        break;
    default:
        command = CommandLine("USER", WideToUtf8(request.user) + "@" + server);
        break;
    }
    NetResult sent = SendRaw(context, session, command, session.timeouts.send);
    if (sent == NetResult::Failed)
        LogFailure(L"Failed to send SITE command to server %ls on port %d. Check your connection.", display);
    if (sent != NetResult::Ok)
        return sent;
    NetResult read = ReadReply(context, session, session.timeouts.reply, code, nullptr);
    if (read != NetResult::Ok) {
        LogFailure(L"No reply from server %ls on port %d. Check your connection.", display);
        return read;
    }
    if (code == 331)
        return UserLogin(context, session, request, display, true);
    if (code == 220)
        return UserLogin(context, session, request, display, false);
    LogFailure(L"Unknown response from server %ls on port %d.", display);
    return NetResult::Failed;
}

}  // namespace

uint16_t DefaultFtpPort(bool secure, bool implicit)
{
    return secure && implicit ? 990 : 21;
}

NetResult Login(TaskContext& context, FtpSession& session, const LoginRequest& request, const ProxySettings& proxy)
{
    LoginFailure failure;
    return Login(context, session, request, proxy, failure);
}

NetResult Login(TaskContext& context, FtpSession& session, const LoginRequest& request, const ProxySettings& proxy,
                LoginFailure& failure)
{
    failure = LoginFailure::None;
    if (session.IsOpen())
        session.Close();
    session.features = 0;
    session.transferType = 0;  // a new connection starts in the server's default type
    session.SetCertificateTrust(request.certificateTrust);
    if (proxy.type == 0)
        return LoginDirect(context, session, request, failure);
    return LoginThroughProxy(context, session, request, proxy, failure);
}

NetResult QueryFeatures(TaskContext& context, FtpSession& session)
{
    if (session.Has(FeatQueried))
        return NetResult::Ok;
    std::vector<std::string> lines;
    if (CollectReply(context, session, "FEAT\r\n", lines) != NetResult::Ok) {
        // FEAT is asked again at the next query of this log-in.
        session.Set(HasSize);
        return NetResult::Ok;
    }
    session.Set(FeatQueried);
    for (const std::string& line : lines) {
        auto has = [&](const char* word) { return line.find(word) != std::string::npos; };
        if (has("SIZE"))
            session.Set(HasSize);
        if (has("MDTM"))
            session.Set(HasMdtm);
        if (has("MFMT"))
            session.Set(HasMfmt);
        if (has("MLST")) {
            if (has("modify*"))
                session.Set(MlstModify);
            if (has("size*"))
                session.Set(MlstSize);
            if (has("type*"))
                session.Set(MlstType);
        }
        if (has("MLSD"))
            session.Set(HasMlsd);
        if (has("UTF8"))
            session.Set(HasUtf8);
        if (has("REST STREAM"))
            session.Set(HasRestStream);
    }
    return NetResult::Ok;
}
