#include <gtest/gtest.h>

#include "ops/ProxySettingsStore.h"
#include "store/ProtectedValues.h"
#include "support/ScratchRegistry.h"

TEST(ProxySettingsStore, ReadsWhatIsStoredNow)
{
    ScratchProductKey scratch;
    EXPECT_EQ(ReadProxySettings().type, 0);

    RegKeyRef settings = SettingsKey();
    WriteInt(settings, L"FtpProxyType", 1);
    WriteString(settings, L"ProxyHost", L"gateway.example.com:2121");
    WriteString(settings, L"ProxyUsername", L"gateway");
    WriteProtected(settings, L"ProxyPassword", L"gw-secret");
    ProxySettings proxy = ReadProxySettings();
    EXPECT_EQ(proxy.type, 1);
    EXPECT_EQ(proxy.host, L"gateway.example.com:2121");
    EXPECT_EQ(proxy.user, L"gateway");
    EXPECT_EQ(proxy.password, L"gw-secret");

    WriteInt(settings, L"FtpProxyType", 4);
    EXPECT_EQ(ReadProxySettings().type, 4);
}
