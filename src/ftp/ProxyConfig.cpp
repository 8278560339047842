#include "ftp/ProxyConfig.h"

#include "store/ProtectedValues.h"
#include "store/Registry.h"

ProxySettings ReadProxySettings()
{
    RegKeyRef settings = SettingsKey();
    ProxySettings proxy;
    proxy.type = ReadInt(settings, L"FtpProxyType", 0);
    proxy.host = ReadString(settings, L"ProxyHost");
    proxy.user = ReadString(settings, L"ProxyUsername");
    proxy.password = ReadProtected(settings, L"ProxyPassword");
    return proxy;
}

NetResult Login(TaskContext& context, FtpSession& session, const LoginRequest& request)
{
    return Login(context, session, request, ReadProxySettings());
}

NetResult Login(TaskContext& context, FtpSession& session, const LoginRequest& request, LoginFailure& failure)
{
    return Login(context, session, request, ReadProxySettings(), failure);
}
