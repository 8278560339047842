#include "ops/ConnectionManager.h"

#include "net/Log.h"
#include "net/TextCodec.h"
#include "ops/CertificateTrustGrant.h"
#include "ops/ProxySettingsStore.h"
#include "ops/UnprotectedLoginGrant.h"
#include "store/SiteStore.h"

namespace {

constexpr const wchar_t* kConnectTitle = L"FTP Connect";

bool IsAnonymous(const ConnectionParameters& parameters)
{
    return AsciiLower(parameters.user) == L"anonymous" && parameters.password.empty();
}

// The typed password goes into the current site (only when it remembers
// passwords, as WriteSite does).
void StorePassword(const std::wstring& password)
{
    if (CurrentSiteSlot().path.empty())
        return;
    SiteRecord site;
    site.requestedLabel = ReadCurrentSiteName().label;
    LoadCurrentSite(site);
    site.password = password;
    WriteSite(site);
}

}  // namespace

ConnectionManager::ConnectionManager(const ConnectionWindow& window, const ConnectionTimings& timings)
    : window_(window), timings_(timings)
{
}

NetResult ConnectionManager::Reconnect(TaskContext& context)
{
    ConnectionParameters parameters = last_;
    parameters.showProgress = false;
    return ConnectWith(parameters, context);
}

bool ConnectionManager::Connect(const ConnectionParameters& parameters)
{
    return ConnectWith(parameters, NullContext()) == NetResult::Ok;
}

NetResult ConnectionManager::RunStep(bool showProgress, TaskContext& silent, const Step& step)
{
    return showProgress ? window_.progress.Run(kConnectTitle, step) : step(silent);
}

void ConnectionManager::EndConnection()
{
    if (!session_.IsOpen())
        return;
    LogInfo(L"Disconnected from server.");
    SendCommand(NullContext(), session_, "QUIT\r\n");  // the answer changes nothing
    session_.Close();
}

NetResult ConnectionManager::ConnectStep(TaskContext& context, const ConnectionParameters& parameters,
                                         const LoginPermissions& permissions, LoginFailure& failure)
{
    context.SetStatus(L"Connecting...", 0);
    context.SetProgress(0.1);
    context.SetProgress(0.33);
    // The TCP connection is opened by the log-in itself.
    context.SetStatus(L"Logon...", 0);
    context.SetProgress(0.66);
    LoginRequest request{parameters.server, parameters.user,     parameters.password,
                         parameters.secure, parameters.implicit, permissions.allowUnprotected,
                         permissions.certificateTrust};
    NetResult result = Login(context, session_, request, ReadProxySettings(), failure);
    // A refused certificate is asked about next, not reported as a failure.
    bool certificateQuestion = failure == LoginFailure::CertificateRejected && session_.RejectedCertificate() &&
                               parameters.showProgress;
    if (result == NetResult::Failed && !certificateQuestion)
        context.ShowError(failure == LoginFailure::NotConnected ? L"Unable to connect to server."
                                                                : L"Unable to log onto server.");
    return result;
}

NetResult ConnectionManager::Attempt(const ConnectionParameters& parameters, const LoginPermissions& permissions,
                                     TaskContext& silent, LoginFailure& failure)
{
    LogInfo(L"Connecting to server: %ls.", parameters.server.c_str());
    last_ = parameters;
    NetResult result = RunStep(parameters.showProgress, silent, [&](TaskContext& context) {
        return ConnectStep(context, parameters, permissions, failure);
    });
    if (result != NetResult::Ok)
        window_.notifier.PostCancel();
    return result;
}

NetResult ConnectionManager::GiveUp(bool userDeclined)
{
    // A log-in broken off half-way leaves nothing to end later.
    session_.Close();
    // Retries and reconnects would only ask the user again.
    if (userDeclined)
        reconnectAllowed_ = false;
    return NetResult::Failed;
}

NetResult ConnectionManager::ConnectWith(const ConnectionParameters& parameters, TaskContext& silent)
{
    EndConnection();
    ConnectionParameters attempt = parameters;
    // A silent reconnect goes on with the trust the user granted this
    // connection, which may hold for this connection only.
    LoginPermissions permissions{CurrentSiteAllowsUnprotected(),
                                 parameters.showProgress || grantedTrust_.sha256.empty()
                                     ? CurrentSiteCertificateTrust()
                                     : grantedTrust_};
    for (;;) {
        LoginFailure failure = LoginFailure::None;
        NetResult result = Attempt(attempt, permissions, silent, failure);
        if (result == NetResult::Ok)
            break;
        if (result == NetResult::Cancelled)
            return result;
        if (failure == LoginFailure::ExplicitTlsRefused) {
            // Nothing has been sent after AUTH TLS yet.
            if (!permissions.allowUnprotected && GrantUnprotectedLogin(window_.prompt)) {
                permissions.allowUnprotected = true;
                continue;
            }
            return GiveUp(true);
        }
        if (failure == LoginFailure::CertificateRejected && session_.RejectedCertificate()) {
            // Nothing has been sent after the handshake. A silent reconnect
            // asks nobody: the certificate changed under a running session.
            std::optional<CertificateTrust> trust;
            if (attempt.showProgress)
                trust = GrantCertificateTrust(window_.certificates, *session_.RejectedCertificate());
            if (!trust)
                return GiveUp(true);
            permissions.certificateTrust = *trust;
            continue;
        }
        bool proxy = ReadProxySettings().type != 0;
        // No password helps when the server could not be reached.
        if (failure == LoginFailure::NotConnected && !proxy)
            return GiveUp(false);
        if (failure != LoginFailure::NotConnected && IsAnonymous(attempt)) {
            ConnectionParameters placeholder = attempt;
            placeholder.password = kAnonymousPassword;
            NetResult fallback = Attempt(placeholder, permissions, silent, failure);
            if (fallback == NetResult::Ok)
                break;
            if (fallback == NetResult::Cancelled)
                return fallback;
            window_.notifier.ShowBalloon(L"Anonymous login failed.",
                                         L"The server either needs a password for, or does not allow, anonymous login.");
        }
        if (proxy) {
            window_.prompt.Ask(ProxyFailureQuestion());
            return GiveUp(false);
        }
        std::optional<std::wstring> password = window_.login.AskPassword(attempt.server, attempt.user);
        if (!password)
            return GiveUp(true);
        attempt.password = *password;
        StorePassword(*password);
    }
    LogInfo(L"Connected OK.");
    connected_ = true;
    grantedTrust_ = permissions.certificateTrust;
    OpenStartFolder(attempt, silent);
    return NetResult::Ok;
}

void ConnectionManager::OpenStartFolder(const ConnectionParameters& parameters, TaskContext& silent)
{
    SetCurrentFolder(parameters.startFolder);
    RunStep(parameters.showProgress, silent, [this](TaskContext& context) {
        if (!OpenFolder(context)) {
            // A start folder that is gone or forbidden: the root instead.
            SetCurrentFolder(L"/");
            OpenFolder(context);
        }
        return NetResult::Ok;
    });
}
