#include <gtest/gtest.h>

#include "store/NumberedValues.h"
#include "store/ProtectedValues.h"
#include "store/SiteSave.h"
#include "store/SiteStore.h"
#include "support/ScratchRegistry.h"

namespace {

class SiteSaveTest : public ::testing::Test {
protected:
    static SiteDialogValues Dialog(const wchar_t* server, const wchar_t* user = L"bob")
    {
        SiteDialogValues values;
        values.server = server;
        values.user = user;
        values.password = L"pw";
        values.rememberPassword = true;
        return values;
    }
    static SiteFolderChoices Advanced(const wchar_t* label)
    {
        SiteFolderChoices folders;
        folders.label = label;
        folders.localPath = L"C:\\Users\\bob";
        return folders;
    }
    RegKeyRef Slot(const wchar_t* label, const wchar_t* server, const wchar_t* name = L"0")
    {
        return ChildKey(SiteServerKey(label, server), name);
    }
    std::vector<std::wstring> Labels()
    {
        std::vector<std::wstring> labels;
        for (const RegKeyRef& key : EnumerateSubkeys(SitesKey()))
            labels.push_back(key.name);
        return labels;
    }

    ScratchProductKey scratch;
};

}  // namespace

TEST_F(SiteSaveTest, APortGoesIntoTheServerKey)
{
    SiteDialogValues values = Dialog(L"FTP.Example.com");
    values.port = L"2121";
    values.advanced = Advanced(L"Home");
    ASSERT_EQ(SaveSite(values, L""), L"Home");

    RegKeyRef slot = Slot(L"Home", L"ftp.example.com:2121");
    EXPECT_EQ(ReadString(slot, L"Server"), L"ftp.example.com:2121");
    EXPECT_EQ(ReadString(slot, L"UserName"), L"bob");
    EXPECT_EQ(ReadProtected(slot, L"Password"), L"pw");
    EXPECT_TRUE(ValueExists(slot, L"_Password"));
    EXPECT_TRUE(ReadBool(slot, L"RemP", false));
    EXPECT_EQ(ReadString(slot, L"LocalDirectory"), L"C:\\Users\\bob");
    EXPECT_EQ(ReadString(slot, L"RecentLocalDirectory"), L"C:\\Users\\bob");
    EXPECT_TRUE(KeyExists(ChildKey(slot, L"LocalBookmarks")));
    EXPECT_TRUE(KeyExists(ChildKey(slot, L"RemoteBookmarks")));
}

TEST_F(SiteSaveTest, APastedAddressGivesServerAndStartFolder)
{
    SiteDialogValues values = Dialog(L" ftp://files.example.org:21/pub/files ");
    values.port = L"2121";
    values.advanced = Advanced(L"Files");
    values.advanced->remotePath = L"/other";  // the path typed after the host wins
    ASSERT_EQ(SaveSite(values, L""), L"Files");
    RegKeyRef slot = Slot(L"Files", L"files.example.org:2121");
    EXPECT_EQ(ReadString(slot, L"Server"), L"files.example.org:2121");
    EXPECT_EQ(ReadString(slot, L"Directory"), L"/pub/files");
    EXPECT_FALSE(ReadBool(slot, L"UseRecentRemote", true));

    // Without the Advanced page the typed path is not used.
    values.advanced.reset();
    ASSERT_EQ(SaveSite(values, L""), L"Site1");
    EXPECT_EQ(ReadString(Slot(L"Site1", L"files.example.org:2121"), L"Directory"), L"/");
    EXPECT_TRUE(ReadBool(Slot(L"Site1", L"files.example.org:2121"), L"UseRecentRemote", false));
}

TEST_F(SiteSaveTest, UnlabelledSitesTakeTheLowestFreeSiteNumber)
{
    CreateChildKey(SitesKey(), L"Site1");
    CreateChildKey(SitesKey(), L"site2");
    EXPECT_EQ(SaveSite(Dialog(L"a.example.com"), L""), L"Site3");
    EXPECT_EQ(SaveSite(Dialog(L"b.example.com"), L""), L"Site4");
    DeleteKeyTree(ChildKey(SitesKey(), L"Site1"));
    EXPECT_EQ(SaveSite(Dialog(L"c.example.com"), L""), L"Site1");
}

TEST_F(SiteSaveTest, CredentialsAndSecurity)
{
    SiteDialogValues values = Dialog(L"a.example.com", L"  ");
    values.password = L"";
    values.security = SecurityChoice::Implicit;
    ASSERT_EQ(SaveSite(values, L""), L"Site1");
    RegKeyRef slot = Slot(L"Site1", L"a.example.com");
    EXPECT_EQ(ReadString(slot, L"UserName"), L"anonymous");
    EXPECT_FALSE(ReadBool(slot, L"RemP", true));  // no password, nothing to remember
    EXPECT_FALSE(ReadBool(slot, L"UseExplicitSSL", true));
    EXPECT_TRUE(ReadBool(slot, L"UseImplicitSSL", false));

    values = Dialog(L"a.example.com");
    values.rememberPassword = false;
    values.security = SecurityChoice::Explicit;
    ASSERT_EQ(SaveSite(values, L"Site1"), L"Site1");
    slot = Slot(L"Site1", L"a.example.com");
    EXPECT_EQ(ReadString(slot, L"UserName"), L"bob");
    EXPECT_EQ(ReadProtected(slot, L"Password"), L"");
    EXPECT_TRUE(ReadBool(slot, L"UseExplicitSSL", false));
    EXPECT_FALSE(ReadBool(slot, L"UseImplicitSSL", true));
}

TEST_F(SiteSaveTest, RejectedInputChangesNothing)
{
    SiteDialogValues values = Dialog(L"a.example.com");
    values.advanced = Advanced(L"Home");
    ASSERT_EQ(SaveSite(values, L""), L"Home");
    values.advanced = Advanced(L"Work");
    ASSERT_EQ(SaveSite(values, L""), L"Work");

    SiteDialogValues bad = Dialog(L"no-dot-here");
    EXPECT_EQ(SaveSite(bad, L"Home"), L"");
    bad = Dialog(L"b.example.com");
    bad.advanced = Advanced(L"HOME");  // another site's label
    EXPECT_EQ(SaveSite(bad, L"Work"), L"");
    bad.advanced = Advanced(L"a/b");
    EXPECT_EQ(SaveSite(bad, L"Work"), L"");
    bad.advanced = Advanced(std::wstring(300, L'x').c_str());  // too long for a key name
    EXPECT_EQ(SaveSite(bad, L"Work"), L"");

    EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"Home", L"Work"}));
    EXPECT_EQ(ReadString(Slot(L"Home", L"a.example.com"), L"UserName"), L"bob");
    EXPECT_EQ(ReadString(Slot(L"Work", L"a.example.com"), L"UserName"), L"bob");
}

TEST_F(SiteSaveTest, LabelChecks)
{
    CreateChildKey(SitesKey(), L"Home");
    EXPECT_EQ(CheckSiteLabel(L"a/b", L""), SiteLabelProblem::HasSlash);
    EXPECT_EQ(CheckSiteLabel(L"a\\b", L""), SiteLabelProblem::HasSlash);
    EXPECT_EQ(CheckSiteLabel(L"home", L""), SiteLabelProblem::Taken);
    EXPECT_EQ(CheckSiteLabel(L"home", L"HOME"), SiteLabelProblem::None);
    EXPECT_EQ(CheckSiteLabel(L"Away", L"Home"), SiteLabelProblem::None);
    EXPECT_EQ(CheckSiteLabel(L"", L""), SiteLabelProblem::None);
}

TEST_F(SiteSaveTest, RenamingASiteRebuildsItUnderTheNewLabel)
{
    SiteDialogValues values = Dialog(L"a.example.com");
    values.advanced = Advanced(L"Old");
    ASSERT_EQ(SaveSite(values, L""), L"Old");
    WriteNumberedValues(ChildKey(Slot(L"Old", L"a.example.com"), L"RemoteBookmarks"), {L"/pub"});

    values.advanced = Advanced(L"New");
    ASSERT_EQ(SaveSite(values, L"Old"), L"New");
    EXPECT_EQ(Labels(), std::vector<std::wstring>{L"New"});
    EXPECT_EQ(ReadString(Slot(L"New", L"a.example.com"), L"UserName"), L"bob");
    EXPECT_TRUE(ReadNumberedValues(ChildKey(Slot(L"New", L"a.example.com"), L"RemoteBookmarks")).empty());

    // A case-only change keeps the tree (the registry sees one name).
    values.advanced = Advanced(L"NEW");
    ASSERT_EQ(SaveSite(values, L"New"), L"NEW");
    EXPECT_EQ(CountSites(), 1);
}

TEST_F(SiteSaveTest, AnEditWithoutUserStaysInItsTreeAsAnonymous)
{
    SiteDialogValues values = Dialog(L"a.example.com");
    values.advanced = Advanced(L"Home");
    ASSERT_EQ(SaveSite(values, L""), L"Home");

    values = Dialog(L"a.example.com", L"");
    EXPECT_EQ(SaveSite(values, L"Home"), L"Home");
    EXPECT_EQ(ReadString(Slot(L"Home", L"a.example.com"), L"UserName"), L"anonymous");
    EXPECT_EQ(EnumerateSites().size(), 1u);

    // With a new label too, the tree it came from is kept and gains a slot
    // for the anonymous account.
    ASSERT_EQ(SaveSite(Dialog(L"a.example.com"), L"Home"), L"Home");
    values.advanced = Advanced(L"Elsewhere");
    EXPECT_EQ(SaveSite(values, L"Home"), L"Home");
    EXPECT_EQ(Labels(), std::vector<std::wstring>{L"Home"});
    EXPECT_EQ(FindUserSlot(L"Home", L"a.example.com", L"bob"), L"0");
    EXPECT_EQ(FindUserSlot(L"Home", L"a.example.com", L"anonymous"), L"1");
    EXPECT_EQ(ReadString(Slot(L"Home", L"a.example.com", L"1"), L"LocalDirectory"), L"C:\\Users\\bob");
}

TEST_F(SiteSaveTest, AnEditKeepsBookmarksAndUntouchedStartFolders)
{
    SiteDialogValues values = Dialog(L"a.example.com");
    SiteFolderChoices folders = Advanced(L"Home");
    folders.useRecentRemote = false;
    folders.remotePath = L"  /var/www  ";
    folders.useRecentLocal = false;
    values.advanced = folders;
    ASSERT_EQ(SaveSite(values, L""), L"Home");
    RegKeyRef slot = Slot(L"Home", L"a.example.com");
    EXPECT_EQ(ReadString(slot, L"Directory"), L"/var/www");
    WriteNumberedValues(ChildKey(slot, L"LocalBookmarks"), {L"C:\\a", L"C:\\b"});
    WriteNumberedValues(ChildKey(slot, L"RemoteBookmarks"), {L"/pub"});
    WriteString(slot, L"RecentRemoteDirectory", L"/var/www/html");

    // Only the password changes; the Advanced page is not opened.
    values = Dialog(L"a.example.com");
    values.password = L"new-pw";
    ASSERT_EQ(SaveSite(values, L"Home"), L"Home");
    EXPECT_EQ(ReadProtected(slot, L"Password"), L"new-pw");
    EXPECT_EQ(ReadString(slot, L"Directory"), L"/var/www");
    EXPECT_FALSE(ReadBool(slot, L"UseRecentRemote", true));
    EXPECT_EQ(ReadString(slot, L"LocalDirectory"), L"C:\\Users\\bob");
    EXPECT_FALSE(ReadBool(slot, L"UseRecentLocal", true));
    EXPECT_EQ(ReadNumberedValues(ChildKey(slot, L"LocalBookmarks")), (std::vector<std::wstring>{L"C:\\a", L"C:\\b"}));
    EXPECT_EQ(ReadNumberedValues(ChildKey(slot, L"RemoteBookmarks")), std::vector<std::wstring>{L"/pub"});
    EXPECT_FALSE(ValueExists(slot, L"RecentRemoteDirectory"));  // recent folders start again

    // A new server starts from scratch.
    values = Dialog(L"b.example.com");
    ASSERT_EQ(SaveSite(values, L"Home"), L"Home");
    EXPECT_FALSE(KeyExists(slot));
    RegKeyRef moved = Slot(L"Home", L"b.example.com");
    EXPECT_EQ(ReadString(moved, L"Directory"), L"/");
    EXPECT_TRUE(ReadNumberedValues(ChildKey(moved, L"LocalBookmarks")).empty());
}

TEST_F(SiteSaveTest, QuickSitesTakeTheLowestFreeNumber)
{
    EXPECT_EQ(SaveQuickSite(L"FTP.Example.com", L"", L"", L"", false, SecurityChoice::Plain), L"Quick Site 1");
    EXPECT_EQ(ReadString(Slot(L"Quick Site 1", L"ftp.example.com"), L"UserName"), L"anonymous");
    EXPECT_EQ(SaveQuickSite(L"ftp.example.com", L"990", L"bob", L"pw", true, SecurityChoice::Implicit),
              L"Quick Site 2");
    CreateChildKey(SitesKey(), L"quick site 3");  // same registry key as "Quick Site 3"
    EXPECT_EQ(SaveQuickSite(L"c.example.com", L"", L"u", L"", false, SecurityChoice::Explicit), L"Quick Site 4");
    DeleteKeyTree(ChildKey(SitesKey(), L"Quick Site 1"));
    EXPECT_EQ(SaveQuickSite(L"d.example.com", L"", L"u", L"", false, SecurityChoice::Plain), L"Quick Site 1");
    EXPECT_EQ(SaveQuickSite(L"nodot", L"", L"u", L"", false, SecurityChoice::Plain), L"");
    EXPECT_EQ(CountSites(), 4);

    EXPECT_EQ(ReadString(Slot(L"Quick Site 1", L"d.example.com"), L"UserName"), L"u");
    RegKeyRef saved = Slot(L"Quick Site 2", L"ftp.example.com:990");
    EXPECT_EQ(ReadString(saved, L"Server"), L"ftp.example.com:990");
    EXPECT_EQ(ReadString(saved, L"UserName"), L"bob");
    EXPECT_EQ(ReadProtected(saved, L"Password"), L"pw");
    EXPECT_TRUE(ReadBool(saved, L"RemP", false));
    EXPECT_TRUE(ReadBool(saved, L"UseImplicitSSL", false));
    EXPECT_FALSE(ReadBool(saved, L"UseExplicitSSL", true));
    EXPECT_TRUE(ReadBool(Slot(L"Quick Site 4", L"c.example.com"), L"UseExplicitSSL", false));
}
