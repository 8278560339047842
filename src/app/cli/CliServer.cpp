#include "app/cli/CliServer.h"

#include "app/cli/CliConsole.h"
#include "app/cli/FtpUrl.h"

std::optional<ServerTarget> ResolveServer(const std::wstring& argument)
{
    std::wstring error;
    std::optional<FtpUrl> url = ParseFtpUrl(argument, error);
    if (!url) {
        PrintError(L"\"" + argument + L"\" is not a server URL: " + error);
        return std::nullopt;
    }
    ServerTarget target;
    target.login.hostText = url->hostText;
    target.login.user = url->user;
    target.login.password = url->password;
    target.login.secure = url->secure;
    target.login.implicit = url->implicit;
    target.path = url->path;
    return target;
}

bool ConnectSession(TaskContext& context, FtpSession& session, const ServerTarget& target)
{
    NetResult result = Login(context, session, target.login, ProxySettings{});
    if (result == NetResult::Ok)
        return true;
    PrintError(result == NetResult::Cancelled ? L"log-in cancelled" : L"log-in to " + target.login.hostText + L" failed");
    return false;
}
