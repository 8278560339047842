#include <gtest/gtest.h>

#include "store/ProtectedValues.h"
#include "store/SiteStore.h"
#include "support/ScratchRegistry.h"

namespace {

class SiteStoreTest : public ::testing::Test {
protected:
    // A slot holding just a server and a user name.
    RegKeyRef PutSlot(const wchar_t* label, const wchar_t* server, const wchar_t* slotName, const wchar_t* user)
    {
        RegKeyRef slot = ChildKey(SiteServerKey(label, server), slotName);
        WriteString(slot, L"Server", server);
        WriteString(slot, L"UserName", user);
        return slot;
    }
    SiteRecord Load(const wchar_t* label)
    {
        SiteRecord site;
        site.requestedLabel = label;
        EXPECT_TRUE(LoadCurrentSite(site));
        return site;
    }

    ScratchProductKey scratch;
};

}  // namespace

TEST_F(SiteStoreTest, LoadsTheSlotOfTheCurrentUser)
{
    RegKeyRef alice = PutSlot(L"Home", L"ftp.example.com:2121", L"0", L"alice");
    RegKeyRef bob = PutSlot(L"Home", L"ftp.example.com:2121", L"1", L"bob");
    WriteProtected(bob, L"Password", L"b0b");
    WriteBool(bob, L"RemP", true);
    WriteBool(bob, L"UseImplicitSSL", true);
    WriteBool(bob, L"UseRecentRemote", false);
    WriteString(bob, L"Directory", L"/pub");
    WriteString(bob, L"RecentLocalDirectory", L"D:\\work");
    WriteCurrentSiteName({L"Home", L"ftp.example.com:2121", L"bob"});

    SiteRecord site = Load(L"Home");
    EXPECT_EQ(site.label, L"Home");
    EXPECT_EQ(site.server, L"ftp.example.com:2121");
    EXPECT_EQ(site.userName, L"bob");
    EXPECT_EQ(site.password, L"b0b");
    EXPECT_TRUE(site.rememberPassword);
    EXPECT_TRUE(site.secure);
    EXPECT_TRUE(site.implicit);
    EXPECT_FALSE(site.useRecentRemote);
    EXPECT_EQ(site.remoteDirectory, L"/pub");
    EXPECT_EQ(site.recentRemoteDirectory, L"/");
    EXPECT_TRUE(site.useRecentLocal);
    EXPECT_EQ(site.localDirectory, L"C:\\");
    EXPECT_EQ(site.recentLocalDirectory, L"D:\\work");

    // The slot is found by its name even after an earlier slot was deleted.
    DeleteKeyTree(alice);
    EXPECT_EQ(Load(L"Home").userName, L"bob");
}

TEST_F(SiteStoreTest, UnmatchedSitesLoadDefaults)
{
    SiteRecord site;
    EXPECT_FALSE(LoadCurrentSite(site));

    PutSlot(L"Home", L"ftp.example.com", L"0", L"Alice");
    WriteCurrentSiteName({L"Home", L"ftp.example.com", L"alice"});  // user names match exactly
    site.requestedLabel = L"Home";
    site.server = L"stale";
    site.secure = true;
    ASSERT_TRUE(LoadCurrentSite(site));
    EXPECT_EQ(site.label, L"Home");
    EXPECT_EQ(site.server, L"");
    EXPECT_EQ(site.userName, L"");
    EXPECT_FALSE(site.secure);
    EXPECT_EQ(site.remoteDirectory, L"/");
    EXPECT_TRUE(site.useRecentLocal);

    ForgetCurrentSiteName();
    EXPECT_FALSE(ValueExists(SettingsKey(), L"CurrentServer"));
    EXPECT_EQ(Load(L"Home").server, L"");
}

TEST_F(SiteStoreTest, SecurityModeIsTwoFlags)
{
    struct Case {
        bool explicitFlag, implicitFlag, secure, implicit;
    };
    for (Case c : {Case{false, false, false, false}, Case{true, false, true, false}, Case{false, true, true, true},
                   Case{true, true, true, true}}) {
        RegKeyRef slot = PutSlot(L"Tls", L"tls.example.com", L"0", L"u");
        WriteBool(slot, L"UseExplicitSSL", c.explicitFlag);
        WriteBool(slot, L"UseImplicitSSL", c.implicitFlag);
        WriteCurrentSiteName({L"Tls", L"tls.example.com", L"u"});
        SiteRecord site = Load(L"Tls");
        EXPECT_EQ(site.secure, c.secure);
        EXPECT_EQ(site.implicit, c.implicit);

        WriteSite(site);  // and written back as they were meant
        EXPECT_EQ(ReadBool(slot, L"UseExplicitSSL", true), c.secure && !c.implicit);
        EXPECT_EQ(ReadBool(slot, L"UseImplicitSSL", true), c.implicit);
    }
}

TEST_F(SiteStoreTest, WriteSiteUpdatesTheSlotOfItsUserOnly)
{
    RegKeyRef alice = PutSlot(L"Home", L"ftp.example.com", L"0", L"alice");
    WriteProtected(alice, L"Password", L"alice-secret");
    PutSlot(L"Home", L"ftp.example.com", L"1", L"bob");

    SiteRecord bob;
    bob.label = L"Home";
    bob.server = L"ftp.example.com";
    bob.userName = L"bob";
    bob.password = L"typed-at-login";
    bob.rememberPassword = true;
    bob.recentRemoteDirectory = L"/incoming";
    WriteSite(bob);

    EXPECT_EQ(ReadString(alice, L"UserName"), L"alice");
    EXPECT_EQ(ReadProtected(alice, L"Password"), L"alice-secret");
    WriteCurrentSiteName({L"Home", L"ftp.example.com", L"bob"});
    SiteRecord loaded = Load(L"Home");
    EXPECT_EQ(loaded.password, L"typed-at-login");
    EXPECT_EQ(loaded.recentRemoteDirectory, L"/incoming");

    bob.rememberPassword = false;
    WriteSite(bob);
    EXPECT_EQ(Load(L"Home").password, L"");
    EXPECT_TRUE(ValueExists(ChildKey(SiteServerKey(L"Home", L"ftp.example.com"), L"1"), L"_Password"));

    // A site unknown so far gets a slot of its own.
    bob.label = L"New";
    WriteSite(bob);
    EXPECT_EQ(FindUserSlot(L"New", L"ftp.example.com", L"bob"), L"0");
}

TEST_F(SiteStoreTest, KeyNamesWithBackslashesTouchNothing)
{
    EXPECT_TRUE(SiteServerKey(L"a\\b", L"ftp.example.com").path.empty());
    EXPECT_TRUE(SiteServerKey(L"Home", L"").path.empty());
    SiteRecord site;
    site.label = L"Home";
    site.server = L"x\\y";
    site.userName = L"u";
    WriteSite(site);
    DeleteSite(L"", L"", L"u");
    EXPECT_EQ(CountSites(), 0);
    EXPECT_FALSE(KeyExists(SitesKey()));
}

TEST_F(SiteStoreTest, RecentFoldersGoToTheCurrentSlot)
{
    RegKeyRef slot = PutSlot(L"Home", L"ftp.example.com", L"0", L"alice");
    UpdateRecentFolders(L"C:\\nowhere", L"/nowhere");  // no current site
    EXPECT_FALSE(ValueExists(slot, L"RecentLocalDirectory"));

    WriteCurrentSiteName({L"Home", L"ftp.example.com", L"alice"});
    UpdateRecentFolders(L"C:\\Users\\alice", L"/home/alice");
    EXPECT_EQ(ReadString(slot, L"RecentLocalDirectory"), L"C:\\Users\\alice");
    EXPECT_EQ(ReadString(slot, L"RecentRemoteDirectory"), L"/home/alice");
    UpdateRecentFolders(L"", L"/tmp");
    EXPECT_EQ(ReadString(slot, L"RecentLocalDirectory"), L"C:\\Users\\alice");
    EXPECT_EQ(ReadString(slot, L"RecentRemoteDirectory"), L"/tmp");

    WriteCurrentSiteName({L"Home", L"ftp.example.com", L"mallory"});
    UpdateRecentFolders(L"C:\\x", L"/x");
    EXPECT_EQ(ReadString(slot, L"RecentRemoteDirectory"), L"/tmp");
    EXPECT_EQ(CountSites(), 1);
}

TEST_F(SiteStoreTest, SitesAreCountedAndWalkedLevelByLevel)
{
    EXPECT_EQ(CountSites(), 0);
    EXPECT_TRUE(EnumerateSites().empty());
    PutSlot(L"Alpha", L"a.example.com", L"0", L"u1");
    PutSlot(L"Alpha", L"a.example.com", L"1", L"u2");
    PutSlot(L"Alpha", L"b.example.com", L"0", L"u3");
    PutSlot(L"Beta", L"c.example.com", L"0", L"u4");
    EXPECT_EQ(CountSites(), 2);

    std::vector<SiteSlot> sites = EnumerateSites();
    ASSERT_EQ(sites.size(), 4u);
    std::wstring walked;
    for (const SiteSlot& site : sites)
        walked += site.label + L"/" + site.server + L"/" + site.slot.name + L"=" + ReadString(site.slot, L"UserName") + L" ";
    EXPECT_EQ(walked, L"Alpha/a.example.com/0=u1 Alpha/a.example.com/1=u2 Alpha/b.example.com/0=u3 Beta/c.example.com/0=u4 ");
    EXPECT_EQ(FindUserSlot(L"Alpha", L"a.example.com", L"u2"), L"1");
    EXPECT_EQ(FindUserSlot(L"Alpha", L"a.example.com", L"U2"), L"");
    EXPECT_EQ(FindUserSlot(L"Gamma", L"a.example.com", L"u2"), L"");
}

TEST_F(SiteStoreTest, DeletingTheLastUserRemovesServerAndLabel)
{
    PutSlot(L"Alpha", L"a.example.com", L"0", L"u1");
    PutSlot(L"Alpha", L"a.example.com", L"1", L"u2");
    PutSlot(L"Alpha", L"b.example.com", L"0", L"u3");

    DeleteSite(L"Alpha", L"a.example.com", L"u1");
    EXPECT_EQ(FindUserSlot(L"Alpha", L"a.example.com", L"u2"), L"1");
    DeleteSite(L"Alpha", L"a.example.com", L"nobody");
    EXPECT_EQ(EnumerateSites().size(), 2u);
    DeleteSite(L"Alpha", L"a.example.com", L"u2");
    EXPECT_FALSE(KeyExists(SiteServerKey(L"Alpha", L"a.example.com")));
    EXPECT_EQ(CountSites(), 1);
    DeleteSite(L"Alpha", L"b.example.com", L"u3");
    EXPECT_EQ(CountSites(), 0);
    EXPECT_FALSE(ChildKeyExists(SitesKey(), L"Alpha"));
}

TEST_F(SiteStoreTest, DomainUsersAreShownQualifiedAndStillDeletable)
{
    RegKeyRef domainSlot = PutSlot(L"Corp", L"ftp.corp.example", L"0", L"bob");
    WriteString(domainSlot, L"Domain", L"CORP");
    RegKeyRef literalSlot = PutSlot(L"Corp", L"ftp.corp.example", L"1", L"OTHER\\carol");

    EXPECT_EQ(SiteUserDisplay(domainSlot), L"CORP\\bob");
    EXPECT_EQ(SiteUserDisplay(literalSlot), L"OTHER\\carol");

    DeleteSite(L"Corp", L"ftp.corp.example", SiteUserDisplay(literalSlot));
    EXPECT_FALSE(KeyExists(literalSlot));
    EXPECT_TRUE(KeyExists(domainSlot));
    DeleteSite(L"Corp", L"ftp.corp.example", SiteUserDisplay(domainSlot));
    EXPECT_EQ(CountSites(), 0);
}

TEST_F(SiteStoreTest, UnprotectedLoginAnswerIsKeptWithTheSlot)
{
    RegKeyRef slot = PutSlot(L"Tls", L"tls.example.com", L"0", L"u");
    WriteCurrentSiteName({L"Tls", L"tls.example.com", L"u"});
    EXPECT_EQ(CurrentSiteSlot().path, slot.path);
    EXPECT_EQ(Load(L"Tls").unprotectedLogin, UnprotectedLogin::Ask);

    WriteUnprotectedLogin(slot, UnprotectedLogin::Allow);
    EXPECT_EQ(ReadString(slot, L"AllowUnprotected"), L"1");
    SiteRecord site = Load(L"Tls");
    EXPECT_EQ(site.unprotectedLogin, UnprotectedLogin::Allow);

    site.unprotectedLogin = UnprotectedLogin::Refuse;
    WriteSite(site);
    EXPECT_EQ(ReadString(slot, L"AllowUnprotected"), L"0");
    EXPECT_EQ(Load(L"Tls").unprotectedLogin, UnprotectedLogin::Refuse);

    WriteString(slot, L"AllowUnprotected", L"yes");  // not a stored answer: asked again
    EXPECT_EQ(Load(L"Tls").unprotectedLogin, UnprotectedLogin::Ask);
    WriteUnprotectedLogin(slot, UnprotectedLogin::Ask);
    EXPECT_FALSE(ValueExists(slot, L"AllowUnprotected"));

    WriteCurrentSiteName({L"Tls", L"tls.example.com", L"someone-else"});
    EXPECT_TRUE(CurrentSiteSlot().path.empty());
}
