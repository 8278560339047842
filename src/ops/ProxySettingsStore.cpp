#include "ops/ProxySettingsStore.h"

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
