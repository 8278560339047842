// tarnwick-cli sites, site-add, site-rm, and saved-site labels in place of URLs.
#include <gtest/gtest.h>

#include "net/TextCodec.h"
#include "store/SiteStore.h"
#include "support/ProcessRunner.h"
#include "support/RealFtpServer.h"
#include "support/ScratchRegistry.h"

namespace {

class CliSites : public ::testing::Test {
protected:
    ProcessResult Run(std::vector<std::wstring> arguments)
    {
        arguments.insert(arguments.begin(), {L"--registry", scratch.Path()});
        return RunSiblingProgram(L"tarnwick-cli.exe", arguments);
    }

    ScratchProductKey scratch;
};

}  // namespace

TEST_F(CliSites, AddedSiteIsListedAndLogsInWithItsStoredPassword)
{
    RealFtpServer server(RealFtpServer::Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    // A saved server needs a dot in its name: the address, not "localhost".
    std::wstring address = L"127.0.0.1:" + std::to_wstring(server.Port());
    ProcessResult added = Run({L"site-add", L"Work FTP", address, server.User(), server.Password(), L"--remote", L"/"});
    ASSERT_EQ(added.exitCode, 0u) << added.output;

    ProcessResult listed = Run({L"sites"});
    EXPECT_EQ(listed.exitCode, 0u);
    std::string expectedRow = "Work FTP\t" + WideToUtf8(address) + "\t" + WideToUtf8(server.User()) + "\t/";
    EXPECT_NE(listed.output.find(expectedRow), std::string::npos) << listed.output;

    // The password is stored encrypted, never as text.
    std::vector<SiteSlot> sites = EnumerateSites();
    ASSERT_EQ(sites.size(), 1u);
    RawValue stored = ReadRawValue(sites[0].slot, L"_Password");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stored.bytes.size(), server.Password().size());
    EXPECT_EQ(stored.bytes.find(WideToUtf8(server.Password())), std::string::npos);
    EXPECT_FALSE(ReadRawValue(sites[0].slot, L"Password").exists);

    // The label, in any case, stands for the URL.
    ProcessResult raw = Run({L"raw", L"work ftp", L"PWD"});
    EXPECT_EQ(raw.exitCode, 0u) << raw.output;
    EXPECT_NE(raw.output.find("Response:  230"), std::string::npos) << raw.output;
    EXPECT_NE(raw.output.find("Response:  257 \"/\""), std::string::npos);

    ProcessResult removed = Run({L"site-rm", L"Work FTP"});
    EXPECT_EQ(removed.exitCode, 0u) << removed.output;
    EXPECT_EQ(CountSites(), 0);
}

TEST_F(CliSites, SavedSiteBringsItsTlsMode)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib, RealFtpServer::Tls::Implicit);
    ASSERT_TRUE(server.Started()) << server.Error();
    // Stored directly: the certificate names "localhost", which the site
    // dialog's address rule (a dot is required) would not take.
    SiteRecord site;
    site.label = L"Secure";
    site.server = server.HostText();
    site.userName = server.User();
    site.password = server.Password();
    site.rememberPassword = true;
    site.secure = site.implicit = true;
    WriteSite(site);
    ProcessResult login = Run({L"login", L"Secure"});
    EXPECT_EQ(login.exitCode, 0u) << login.output;
    EXPECT_NE(login.output.find("TLS: yes"), std::string::npos) << login.output;
}

TEST_F(CliSites, BadInputIsRefusedWithAReason)
{
    ProcessResult noDot = Run({L"site-add", L"Broken", L"localhost", L"u", L"p"});
    EXPECT_EQ(noDot.exitCode, 1u);
    EXPECT_NE(noDot.output.find("not a usable server address"), std::string::npos) << noDot.output;

    ProcessResult slash = Run({L"site-add", L"a/b", L"ftp.example.com"});
    EXPECT_EQ(slash.exitCode, 1u);

    ProcessResult missingFolder = Run({L"site-add", L"Local", L"ftp.example.com", L"--local", L"C:\\no\\such\\folder"});
    EXPECT_EQ(missingFolder.exitCode, 1u);
    EXPECT_EQ(CountSites(), 0);

    ProcessResult unknownLabel = Run({L"raw", L"Nowhere", L"PWD"});
    EXPECT_EQ(unknownLabel.exitCode, 2u);
    EXPECT_NE(unknownLabel.output.find("no saved site is labelled \"Nowhere\""), std::string::npos) << unknownLabel.output;

    ProcessResult notThere = Run({L"site-rm", L"Nowhere"});
    EXPECT_EQ(notThere.exitCode, 1u);
}

TEST_F(CliSites, PortAndSecurityAreStoredAsTheDialogWouldStoreThem)
{
    ProcessResult added = Run({L"site-add", L"Ported", L"FTP.Example.com:2121", L"", L"", L"--security", L"implicit"});
    ASSERT_EQ(added.exitCode, 0u) << added.output;
    std::vector<SiteSlot> sites = EnumerateSites();
    ASSERT_EQ(sites.size(), 1u);
    EXPECT_EQ(sites[0].server, L"ftp.example.com:2121");
    EXPECT_EQ(ReadString(sites[0].slot, L"UserName"), L"anonymous");
    EXPECT_TRUE(ReadBool(sites[0].slot, L"UseImplicitSSL", false));
    EXPECT_FALSE(ReadBool(sites[0].slot, L"UseExplicitSSL", true));
}
