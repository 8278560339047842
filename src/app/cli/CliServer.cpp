#include "app/cli/CliServer.h"

#include "app/cli/CliConsole.h"
#include "app/cli/FtpUrl.h"
#include "ops/ProxySettingsStore.h"
#include "store/SiteStore.h"

namespace {

bool plainAllowed = false;

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
        target.path = record.useRecentRemote ? record.recentRemoteDirectory : record.remoteDirectory;
        return target;
    }
    PrintError(L"no saved site is labelled \"" + label + L"\" (and it is not a URL: ftp://, ftpes:// or ftps://)");
    return std::nullopt;
}

}  // namespace

void AllowPlainLogIns()
{
    plainAllowed = true;
}

std::optional<ServerTarget> ResolveServer(const std::wstring& argument)
{
    std::optional<ServerTarget> target = LooksLikeUrl(argument) ? FromUrl(argument) : FromSavedSite(argument);
    if (target)
        target->login.allowUnprotected = plainAllowed;
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
    else
        PrintError(failed);
    return false;
}
