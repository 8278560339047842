#include "app/cli/CliServer.h"

#include "app/cli/CliConsole.h"
#include "app/cli/FtpUrl.h"
#include "ops/ProxySettingsStore.h"
#include "store/SiteStore.h"

namespace {

bool plainAllowed = false;
std::optional<std::string> trustedFingerprint;

std::optional<ServerTarget> FromUrl(const std::wstring& argument)
{
    std::wstring error;
    std::optional<FtpUrl> url = ParseFtpUrl(argument, error);
    if (!url) {
        PrintError(L"\"" + argument + L"\" is not a server URL: " + error);
        return std::nullopt;
    }
    ServerTarget target;
    target.login = {url->hostText, url->user, url->password, url->secure, url->implicit};
    target.path = url->path;
    return target;
}

// The first account stored under the label (labels compare as key names do).
std::optional<ServerTarget> FromSavedSite(const std::wstring& label)
{
    for (const SiteSlot& site : EnumerateSites()) {
        if (!SameKeyName(site.label, label))
            continue;
        SiteRecord record;
        ReadSlot(site.slot, record);
        ServerTarget target;
        target.login = {record.server, record.userName, record.password, record.secure, record.implicit};
        target.login.certificateTrust = {record.trustedCertificate, false};
        target.path = record.useRecentRemote ? record.recentRemoteDirectory : record.remoteDirectory;
        return target;
    }
    PrintError(L"no saved site is labelled \"" + label + L"\" (and it is not a URL: ftp://, ftpes:// or ftps://)");
    return std::nullopt;
}

// The facts the user needs to decide, and how to go on if they trust it.
void ReportRejectedCertificate(const CertificateFacts& facts, const std::wstring& failed)
{
    PrintLine(L"The server's certificate was not accepted.");
    for (const std::wstring& line : CertificateFactLines(facts))
        PrintLine(L"  " + line);
    std::wstring changed = trustedFingerprint ? L" (it is not the certificate given with --trust-fingerprint)" : L"";
    PrintError(failed + L": the server's certificate was not accepted" + changed +
               L"; if you trust it, repeat with --trust-fingerprint " + std::wstring(facts.sha256.begin(), facts.sha256.end()));
}

}  // namespace

void AllowPlainLogIns()
{
    plainAllowed = true;
}

bool TrustFingerprint(const std::wstring& text)
{
    trustedFingerprint = ParseFingerprint(text);
    return trustedFingerprint.has_value();
}

std::optional<ServerTarget> ResolveServer(const std::wstring& argument)
{
    std::optional<ServerTarget> target = LooksLikeUrl(argument) ? FromUrl(argument) : FromSavedSite(argument);
    if (!target)
        return target;
    target->login.allowUnprotected = plainAllowed;
    // The fingerprint given on the command line is the user's decision for
    // this run, whatever the certificate's problem.
    if (trustedFingerprint)
        target->login.certificateTrust = {*trustedFingerprint, true};
    return target;
}

bool ConnectSession(TaskContext& context, FtpSession& session, const ServerTarget& target)
{
    LoginFailure failure;
    NetResult result = Login(context, session, target.login, ReadProxySettings(), failure);
    if (result == NetResult::Ok)
        return true;
    std::wstring failed = L"log-in to " + target.login.hostText + L" failed";
    if (result == NetResult::Cancelled)
        PrintError(L"log-in cancelled");
    else if (failure == LoginFailure::ExplicitTlsRefused)
        PrintError(failed + L": the server refused TLS; use --allow-plain to log in without it (the password then travels in clear text)");
    else if (failure == LoginFailure::CertificateRejected && session.RejectedCertificate())
        ReportRejectedCertificate(*session.RejectedCertificate(), failed);
    else
        PrintError(failed);
    return false;
}
